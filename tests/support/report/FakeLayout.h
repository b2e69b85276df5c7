#pragma once

#include "ActiveReport.h"

#include <QString>

#include <memory>
#include <stdexcept>
#include <vector>

/// What happened to fake layouts: each print or preview with the printer as it
/// stood then, and how many layouts were unloaded.
struct FakeLayoutLog {
    struct Run {
        QString what; ///< "print" or "preview"
        QString caption;
        QString documentName;
        QString device;
        QString port;
        int paperSize = 0;
        int orientation = 0;
        int paperBin = 0;
        int rows = -1; ///< rows of the bound record set, -1 for none
    };
    std::vector<Run> runs;
    int restarts = 0;
    int unloaded = 0;
};

/// A layout of a few simple pages: a box from the left margin to `width` twips and
/// the page number in it. With a log it records its runs; recordOnly keeps it from
/// printing or previewing for real.
class FakeLayout : public ActiveReport
{
public:
    explicit FakeLayout(int pages = 2, double width = 9000, std::shared_ptr<FakeLayoutLog> log = nullptr,
                        bool recordOnly = false)
        : m_pages(pages), m_width(width), m_log(std::move(log)), m_recordOnly(recordOnly)
    {
    }
    ~FakeLayout() override
    {
        if (m_log)
            ++m_log->unloaded;
    }

    bool withData = true;
    bool failRendering = false;

    std::vector<DrawList> renderPages(const QPageLayout &page) const override
    {
        Q_UNUSED(page)
        if (failRendering)
            throw std::runtime_error("描画できません");
        std::vector<DrawList> pages;
        for (int i = 1; i <= m_pages; ++i) {
            DrawList list;
            list.size = QSizeF(m_width, 4000);
            list.rect(QRectF(0, 0, m_width, 1000), Qt::black, QColor(40, 40, 40));
            list.text(QRectF(0, 1200, m_width, 600), QStringLiteral("ページ %1").arg(i), Qt::black,
                      QStringLiteral("ＭＳ ゴシック"), 12);
            pages.push_back(list);
        }
        return pages;
    }
    bool hasData() const override { return withData; }

    void Restart() override
    {
        if (m_log)
            ++m_log->restarts;
        ActiveReport::Restart();
    }
    bool PrintReport(bool showDialog) override
    {
        record(QStringLiteral("print"));
        return m_recordOnly || ActiveReport::PrintReport(showDialog);
    }
    void Show(int modal) override
    {
        record(QStringLiteral("preview"));
        if (!m_recordOnly)
            ActiveReport::Show(modal);
    }

private:
    void record(const QString &what)
    {
        if (!m_log)
            return;
        FakeLayoutLog::Run run;
        run.what = what;
        run.caption = Caption();
        run.documentName = documentName();
        run.device = Printer().DeviceName();
        run.port = Printer().Port();
        run.paperSize = Printer().PaperSize();
        run.orientation = Printer().Orientation();
        run.paperBin = Printer().PaperBin();
        const auto &rows = DAODataControl1().Recordset();
        run.rows = rows ? int(rows->rows.size()) : -1;
        m_log->runs.push_back(run);
    }

    int m_pages;
    double m_width;
    std::shared_ptr<FakeLayoutLog> m_log;
    bool m_recordOnly;
};
