#pragma once

#include "DaoRows.h"

#include <QString>
#include <QVariant>

/// The rows of M_Printer as the printer-settings list and editor read and write
/// them, all through the program's one connection. A statement's success is the
/// count of rows it wrote: 1 or more commits, 0 rolls back; a failed statement or
/// transaction throws DaoError, rolled back.
namespace PrinterSettingStore
{

/// The greatest key a setting can have: keys are 16-bit numbers.
constexpr int MaxID = 32767;

/// Every row, in report-name order.
DaoRows list();
/// The row with the key (none when there is no such row).
DaoRows row(int id);
/// The key of a new row: 1 for an empty table or a greatest key below 1, else the
/// greatest plus one (which may pass MaxID: the caller refuses it). Throws DaoError when
/// the greatest key cannot be read.
int nextID();
/// Runs one writing statement in a transaction and returns its count.
int write(const QString &sql, const QVariantList &values = {});
/// Deletes the row with the key, as write does.
int remove(int id);

} // namespace PrinterSettingStore
