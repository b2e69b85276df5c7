#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class cDao;

/// The tables and columns the program reads and writes, in one list, and the start-up
/// check that an opened database has them. The list follows the program's statements:
/// the property list and registration, the workspace, the entry forms with their row
/// dialogs and registration, and the plan window with its reports; new database files
/// get the same names from db/schema.sql. The printer settings table is left out:
/// printing reports its absence itself.
namespace DbSchema
{

struct Table {
    QString name;
    QStringList columns;
};

const QVector<Table> &tables();

/// Reads every table of the list once, without rows, and compares its columns with
/// the list. Throws DaoError naming every missing or unreadable table and every
/// missing column when anything is not there. Writes nothing.
void check(cDao &dao);

} // namespace DbSchema
