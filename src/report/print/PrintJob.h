#pragma once

#include "ActiveReport.h"
#include "ReportData.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class cDao;

/// A print job as the plan window's print command runs it: name the report, hand
/// over the filled layout, set the orientation, class, database and record set,
/// then PrintDialog. One job object may run several reports one after the other;
/// every PrintDialog takes the layout over and unloads it at its end.
///
///     std::unique_ptr<PrintJob> job = createPrintJob();
///     job->setPlanName(planName);
///     job->setReportName(QStringLiteral("経営計画ご提案書１"));
///     job->setActiveReport(std::move(sheet));
///     job->setOrientation(1);
///     job->setKind(1);
///     job->setDatabase(gDao());
///     job->setRecordSet(std::nullopt);
///     job->PrintDialog(0);
class PrintJob
{
public:
    /// Result codes of PrintDialog.
    enum Result { Cancel = 1, Print = 2, Preview = 4 };

    virtual ~PrintJob() = default;

    /// The report's name: key of its printer setting, its caption and document name.
    virtual void setReportName(const QString &name) = 0;
    /// The name of the plan the reports are of: a PDF file of a report is offered under the
    /// plan's name before the report's. "" offers the report's name alone.
    virtual void setPlanName(const QString &name) = 0;
    /// The filled layout to run; the job owns it until PrintDialog unloads it.
    virtual void setActiveReport(std::unique_ptr<ActiveReport> report) = 0;
    /// Orientation for the standard setting (1 portrait, 2 landscape); -1 takes the setting's own.
    virtual int Orientation() const = 0;
    virtual void setOrientation(int orientation) = 0;
    /// Print class: which rows of the printer settings the job reads.
    virtual void setKind(int kind) = 0;
    /// The connection to the database holding the printer settings.
    virtual void setDatabase(cDao &database) = 0;
    /// The rows the layout's data control walks; none for a layout without rows.
    virtual void setRecordSet(std::optional<ReportData> rows) = 0;
    /// skip 0 asks the user (print, preview or cancel); any other value prints at
    /// once. Returns Cancel, Print or Preview.
    virtual int PrintDialog(int skip) = 0;
};

using PrintJobFactory = std::function<std::unique_ptr<PrintJob>()>;
/// A new job of the kind installed; null when none is.
std::unique_ptr<PrintJob> createPrintJob();
/// Installs the print job: the program installs cPrinter at start-up, a test may install
/// a job of its own; an empty factory installs none.
void setPrintJobFactory(PrintJobFactory factory);
