#pragma once

#include "DaoRows.h"
#include "PlanType.h"
#include "ReportData.h"
#include "YearView.h"

#include <QStringList>

class cDao;

/// Fills the data of a plan's two proposal reports: the conditions sheet (every
/// value field as text, by field name, "" when left unfilled) and the yearly record
/// set (the rows unformatted under their column aliases).
///
/// The steps keep the names under which the print command logs them. Each writes
/// its block of fields and throws (DaoError) when its data cannot be read; the
/// command runs the chain of the plan type with fillSheet(), which turns the first
/// failure into one log line and false, so nothing is printed.
class PlanReportFiller
{
public:
    PlanReportFiller(cDao &dao, int id1, int id2);

    /// The value fields of the parking sheet (44) and of the apartment sheet (108).
    static const QStringList &parkingFields();
    static const QStringList &apartmentFields();

    /// The step names of a plan type's sheet chain in order: parking, apartment, store
    /// (the apartment chain without the rent rows); empty for a value that names no type.
    static QStringList sheetSteps(PlanType planType);
    /// Runs the step of that name; throws std::invalid_argument for an unknown name.
    void runStep(const QString &step, ReportData &sheet) const;
    /// Runs the plan type's chain; at the first step that throws, writes one error-log
    /// line (the object name, the step's name, the message) and returns false. A type
    /// without a chain returns false without a line.
    bool fillSheet(PlanType planType, ReportData &sheet, const QString &objectName) const;

    /// Every value field of the sheet to "", so no field of an earlier print remains.
    void ClearActiveReportParking(ReportData &sheet) const;
    void ClearActiveReportApartment(ReportData &sheet) const;
    /// The property block: fldBuken, fldSikiti1, fldSikiti2 from D_物件.
    void SetPrintThingData(ReportData &sheet) const;
    /// The loan block: up to three loans in 連番 order into fldKariire11 to fldKariire39.
    void SetPrintKariireData(ReportData &sheet) const;
    /// The parking plan's own fields from D_駐車場.
    void SetPrintParkingData(ReportData &sheet) const;
    /// Up to five rent rows in タイプ order and the totals over all rent rows.
    void SetPrintMadoriData(ReportData &sheet) const;
    /// The apartment plan's own fields from D_賃貸マンション.
    void SetPrintApartmentData(ReportData &sheet) const;

    /// The yearly record set: the plan's rows of T_収支計画 (SK) joined with
    /// T_損益計算 (SE) for the view's display years, ascending; 45 columns. An
    /// empty table is no failure (the command then prints nothing); a failed query
    /// throws DaoError.
    void MakePrintSkSeData(ReportData &yearly, const YearView &view) const;

private:
    /// The rows of table under condition with its "?" bound to key; throws DaoError
    /// when there is none.
    DaoRows record(const QString &table, const QString &condition, const QVariantList &key) const;
    /// The plan's row of a plan table.
    DaoRows planRecord(const QString &table) const;

    cDao &m_dao;
    int m_id1;
    int m_id2;
};
