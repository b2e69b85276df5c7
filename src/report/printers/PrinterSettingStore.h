#pragma once

#include "Recordset.h"

#include <QString>

#include <memory>

/// The rows of M_Printer as the printer-settings list and editor read and write
/// them, all through the program's one connection. A statement's success is the
/// count of rows it wrote: 1 or more commits; 0 and a failure (-1) roll back.
namespace PrinterSettingStore
{

/// The greatest key a setting can have: keys are 16-bit numbers.
constexpr int MaxID = 32767;

/// Every row, in report-name order; null when the query fails.
std::unique_ptr<Recordset> openList();
/// The row with the key; null when the query fails.
std::unique_ptr<Recordset> openRow(int id);
/// The key of a new row: 1 for an empty table or a greatest key below 1, else the
/// greatest plus one (which may pass MaxID: the caller refuses it).
int nextID();
/// Runs one writing statement in a transaction and returns its count. On -1 the
/// database's text is in *error. Errors of the transaction itself are thrown (DaoError).
int write(const QString &sql, QString *error);
/// Deletes the row with the key, as write does.
int remove(int id, QString *error);

} // namespace PrinterSettingStore
