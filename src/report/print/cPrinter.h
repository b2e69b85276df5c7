#pragma once

#include "DaoRows.h"
#include "PrintJob.h"
#include "cAreport.h"
#include "cBase.h"
#include "cSystem.h"

#include <QCoreApplication>
#include <QString>

#include <memory>
#include <optional>

/// The print job: it looks up the printer setting stored for the report's name in
/// M_Printer (falling back to the standard row "(標準プリンタ設定)"), applies it to
/// the report's printer, names the report, binds the record set, asks in fDlgPrint
/// whether to print, preview or cancel (the stored print mode picks the buttons),
/// carries the answer out and unloads the report and the dialog on every path.
/// An error is shown titled "PrintDialog"; the job then ends with what it reached.
/// Where no printer exists at all, a stored printer is told missing once per job object.
class cPrinter : public PrintJob
{
public:
    /// The report name of the row every report without its own falls back to.
    static const QString StandardReportName;

    cPrinter();
    ~cPrinter() override;

    /// Makes it the print job that createPrintJob() hands out (the program's start-up).
    static void install();

    int Orientation() const override { return m_orientation; }
    void setOrientation(int orientation) override { m_orientation = orientation; }
    int PrintDialog(int skip) override;

    QString ReportName() const { return m_reportName; }
    void setReportName(const QString &name) override { m_reportName = name; }
    QString PlanName() const { return m_planName; }
    void setPlanName(const QString &name) override { m_planName = name; }
    QString ReportPath() const { return m_reportPath; }
    /// "" stores the program's folder.
    void setReportPath(const QString &path);
    ActiveReport *activeReport() const { return m_report.get(); }
    void setActiveReport(std::unique_ptr<ActiveReport> report) override { m_report = std::move(report); }
    void setDatabase(cDao &database) override { m_database = &database; }
    const std::optional<ReportData> &RecordSet() const { return m_recordSet; }
    void setRecordSet(std::optional<ReportData> rows) override { m_recordSet = std::move(rows); }
    int DialogStyle() const { return m_dialogStyle; }
    void setDialogStyle(int style) { m_dialogStyle = style; }
    QString Message() const { return m_message; }
    void setMessage(const QString &message) { m_message = message; }
    int Kind() const { return m_kind; }
    void setKind(int kind) override { m_kind = kind; }
    QString LocalDatabase() const { return m_localDatabase; }
    void setLocalDatabase(const QString &path) { m_localDatabase = path; }
    bool UsePrintTable() const { return m_usePrintTable; }
    void setUsePrintTable(bool on) { m_usePrintTable = on; }

    /// The confirmation style for a stored print mode: 1 print and cancel (3),
    /// 2 preview and cancel (5), 3 gives 15, 4 gives 63, anything else all three (7).
    static int dialogStyleForMode(int printMode);

private:
    struct Setting {
        QString device;
        QString port;
        int bin = 0;
        int size = 0;
        int orientation = 0;
        int mode = 0;
    };
    Setting readSetting();
    /// The rows of a query of the printer settings; throws when there is no database.
    DaoRows settingRows(const QString &sql, const QVariantList &values) const;

    int m_orientation = -1;
    QString m_reportName;
    QString m_planName;
    QString m_reportPath;
    std::unique_ptr<ActiveReport> m_report;
    cDao *m_database = nullptr;
    std::optional<ReportData> m_recordSet;
    int m_dialogStyle = 7;
    QString m_message;
    int m_kind = 1;
    QString m_localDatabase;
    bool m_usePrintTable = true;
    /// A stored printer has been told missing while no printer exists at all: the reports of
    /// one command all go to PDF files, which one box says.
    bool m_noPrinterTold = false;

    std::unique_ptr<cAreport> m_areport;
    std::unique_ptr<cBase> m_base;
    std::unique_ptr<cSystem> m_system;
};
