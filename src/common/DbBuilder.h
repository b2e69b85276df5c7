#pragma once

#include <QString>
#include <QStringList>

/// Creates a new database file from the schema and master-row scripts of db/.
/// Used by the set-up tool beside the executable and by the tests; it never
/// touches an existing file.
namespace DbBuilder
{

/// Splits a script into statements at ";" outside quotes and comments.
QStringList splitStatements(const QString &script);
/// Creates `path` from schema.sql then masters.sql in `sqlDir`. False (and no file
/// left behind) when the file exists already or a statement fails; `error` says why.
bool create(const QString &path, const QString &sqlDir, QString *error = nullptr);

} // namespace DbBuilder
