#pragma once

#include "PrintJob.h"

#include <QList>

#include <memory>
#include <vector>

/// A print job for tests of its callers: it prints nothing and records every
/// PrintDialog with what was set before it, keeping the layout (named and bound
/// to the record set, as a real job leaves it) so the test can look at it or render it. Results are answered from a
/// queue (Cancel when empty).
///
///     auto log = std::make_shared<RecordingPrintJob::Log>();
///     setPrintJobFactory([log] { return std::make_unique<RecordingPrintJob>(log); });
class RecordingPrintJob : public PrintJob
{
public:
    struct Call {
        QString reportName;
        QString planName;
        int orientation = -1;
        int kind = 1;
        bool databaseSet = false;
        std::optional<ReportData> recordSet;
        int skip = 0;
        std::shared_ptr<ActiveReport> report;
    };
    struct Log {
        std::vector<Call> calls;
        QList<int> answers;
        int jobsCreated = 0;
    };

    explicit RecordingPrintJob(std::shared_ptr<Log> log = std::make_shared<Log>()) : m_log(std::move(log))
    {
        ++m_log->jobsCreated;
    }

    const Log &log() const { return *m_log; }

    void setReportName(const QString &name) override { m_name = name; }
    void setPlanName(const QString &name) override { m_planName = name; }
    void setActiveReport(std::unique_ptr<ActiveReport> report) override { m_report = std::move(report); }
    int Orientation() const override { return m_orientation; }
    void setOrientation(int orientation) override { m_orientation = orientation; }
    void setKind(int kind) override { m_kind = kind; }
    void setDatabase(cDao &) override { m_databaseSet = true; }
    void setRecordSet(std::optional<ReportData> rows) override { m_rows = std::move(rows); }
    int PrintDialog(int skip) override
    {
        Call call;
        call.reportName = m_name;
        call.planName = m_planName;
        call.orientation = m_orientation;
        call.kind = m_kind;
        call.databaseSet = m_databaseSet;
        call.recordSet = m_rows;
        call.skip = skip;
        call.report = std::shared_ptr<ActiveReport>(std::move(m_report));
        if (call.report) {
            call.report->setCaption(m_name);
            call.report->setDocumentName(m_name);
            if (m_rows)
                call.report->DAODataControl1().setRecordset(m_rows);
        }
        m_log->calls.push_back(std::move(call));
        return m_log->answers.isEmpty() ? Cancel : m_log->answers.takeFirst();
    }

private:
    std::shared_ptr<Log> m_log;
    QString m_name;
    QString m_planName;
    std::unique_ptr<ActiveReport> m_report;
    int m_orientation = -1;
    int m_kind = 1;
    bool m_databaseSet = false;
    std::optional<ReportData> m_rows;
};
