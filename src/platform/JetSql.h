#pragma once

#include <QString>

/// Turns the statement texts the forms write in the original engine's dialect into
/// SQLite's: "a mod b" becomes "a % b", the "&" text join becomes "||", and "#date#"
/// literals become quoted texts. Quoted texts and [bracketed] names are left alone.
namespace JetSql
{
QString toSqlite(const QString &sql);
}
