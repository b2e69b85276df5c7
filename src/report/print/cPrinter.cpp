#include "cPrinter.h"

#include "DamagedFile.h"
#include "ErrorTrap.h"
#include "MsgBox.h"
#include "PrinterCatalog.h"
#include "StoredValue.h"
#include "cDao.h"
#include "fDlgPrint.h"

#include <QApplication>

const QString cPrinter::StandardReportName = QStringLiteral("(標準プリンタ設定)");

cPrinter::cPrinter()
    : m_reportPath(QCoreApplication::applicationDirPath()), m_areport(std::make_unique<cAreport>()),
      m_base(std::make_unique<cBase>()), m_system(std::make_unique<cSystem>())
{
}

cPrinter::~cPrinter()
{
    m_report.reset();
    m_system.reset();
    m_base.reset();
    m_areport.reset();
}

void cPrinter::install()
{
    setPrintJobFactory([] { return std::make_unique<cPrinter>(); });
}

void cPrinter::setReportPath(const QString &path)
{
    m_reportPath = path.isEmpty() ? QCoreApplication::applicationDirPath() : path;
}

int cPrinter::dialogStyleForMode(int printMode)
{
    switch (printMode) {
    case 1:
        return 3;
    case 2:
        return 5;
    case 3:
        return 15;
    case 4:
        return 63;
    default:
        return 7;
    }
}

DaoRows cPrinter::settingRows(const QString &sql, const QVariantList &values) const
{
    if (!m_database || !m_database->isConnected())
        throw std::runtime_error("プリンタ設定のデータベースが開かれていません。");
    return m_database->query(sql, values);
}

cPrinter::Setting cPrinter::readSetting()
{
    Setting s;
    const QString sql = QStringLiteral("SELECT * FROM M_Printer WHERE (Kind=?) AND ReportName=? ORDER BY Kind");
    const QVariant kind = m_base->CvtInt(QVariant(m_kind));
    DaoRows rows = settingRows(sql, {kind, storedValue(m_reportName, cBase::SqlText)});
    if (rows.isEmpty())
        rows = settingRows(sql, {kind, StandardReportName});
    else
        m_orientation = -1; // the report's own row decides its orientation
    if (rows.isEmpty()) {
        Desktop::beep();
        MsgBox::show(m_reportName + QStringLiteral("のプリンタ設定データが見つかりません。\r\n"
                                                   "標準のプリンタを使用します。"),
                     MsgBox::Critical | MsgBox::OKOnly, QStringLiteral("印刷確認"), QApplication::activeWindow());
        return s;
    }
    // A column the table lacks is an error to show, never a silent 0.
    const auto field = [&rows](const QString &name) { return rows.value(0, name); };
    s.bin = m_base->CvtInt(field(QStringLiteral("PaperBin")));
    s.size = m_base->CvtInt(field(QStringLiteral("PaperSize")));
    s.orientation = m_orientation == -1 ? m_base->CvtInt(field(QStringLiteral("PaperDirect"))) : m_orientation;
    s.mode = m_base->CvtInt(field(QStringLiteral("PrintMode")));
    const bool nt = m_system->IsWindowsNT();
    s.device = m_base->CvtStr(field(nt ? QStringLiteral("PrinterNameNT") : QStringLiteral("PrinterName9x")));
    s.port = m_base->CvtStr(field(nt ? QStringLiteral("PrinterPortNT") : QStringLiteral("PrinterPort9x")));
    return s;
}

int cPrinter::PrintDialog(int skip)
{
    int result = PrintJob::Cancel;
    std::unique_ptr<fDlgPrint> dialog;
    try {
        if (!m_report)
            throw std::runtime_error("印刷する帳票が設定されていません。");
        Setting setting;
        if (m_usePrintTable) {
            setting = readSetting();
            const PrinterCatalog &catalog = PrinterCatalog::current();
            if (!setting.device.isEmpty() && catalog.isEmpty() && catalog.reachable()) {
                // No printer at all: every report of the command goes to a PDF file, told once.
                if (m_noPrinterTold)
                    setting.device.clear();
                m_noPrinterTold = true;
            }
            // An empty name or port and zero codes change nothing: also right after the message.
            m_areport->SetPrinterParam(*m_report, setting.device, setting.port, setting.bin, setting.size,
                                       setting.orientation);
        }
        m_report->setCaption(m_reportName);
        m_report->setDocumentName(m_reportName);
        // Many plans' reports may be saved in one folder: the file is offered under the plan's name too.
        m_report->setOfferedFileName(m_planName.isEmpty() ? m_reportName
                                                          : m_planName + QLatin1Char('_') + m_reportName);
        if (m_recordSet)
            m_areport->SetDaoRecordset(m_report->DAODataControl1(), *m_recordSet);
        if (skip == 0) {
            dialog = std::make_unique<fDlgPrint>(QApplication::activeWindow());
            dialog->setDialogTitle(m_reportName + QStringLiteral(" 印刷確認"));
            dialog->setDialogPrompt(QStringLiteral("「") + m_reportName + QStringLiteral("」を印刷します。"));
            dialog->setDialogSubPrompt(m_message);
            dialog->setDialogStyle(dialogStyleForMode(setting.mode));
            result = dialog->DialogShow();
        } else {
            result = PrintJob::Print;
        }
        if (result == PrintJob::Print) {
            m_report->Restart();
            // The user cancelled the PDF file's name: nothing was printed.
            if (!m_report->PrintReport(false))
                result = PrintJob::Cancel;
        } else if (result == PrintJob::Preview) {
            m_report->Restart();
            m_report->Show(1);
        }
    } catch (const std::exception &e) {
        const auto *report = dynamic_cast<const ReportError *>(&e);
        if (report && report->number() == ReportError::JobRefused) {
            // Nothing went out: the job ends as if cancelled, and the failure is also logged.
            ActiveReport::tellPrintFailure(report->description(), QApplication::activeWindow());
            result = PrintJob::Cancel;
        } else {
            // A setting in a damaged file is told in words, not in the engine's; the engine's
            // own words of a database failure are kept in the log.
            const auto *data = dynamic_cast<const DaoError *>(&e);
            if (data)
                writeErrLog(data->logText(), QStringLiteral("cPrinter"), QStringLiteral("PrintDialog"));
            MsgBox::show(data && data->isDamage() && m_database ? DamagedFileText(m_database->databasePath())
                                                                : QString::fromUtf8(e.what()),
                         MsgBox::Critical, QStringLiteral("PrintDialog"), QApplication::activeWindow());
        }
    }
    // The report and the dialog are unloaded on every path; the next job needs a new report.
    m_report.reset();
    dialog.reset();
    return result;
}
