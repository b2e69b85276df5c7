// Times the workspace of a property with 20 stored plans (10 parking, 10 apartment, each
// with its 75 result years): opening it (20 plan windows created, their rows read, their
// graphs drawn) and redrawing all 20 after a change of the display interval.
// With "--grab FOLDER" it also writes pictures of the workspace at every size, interval and
// in graph-only mode, for looking at.
#include "Globals.h"
#include "MDIForm1.h"
#include "MsgBox.h"
#include "PlanBuilders.h"
#include "PlanWindow.h"
#include "RecordingPrintJob.h"
#include "ShellHooks.h"
#include "TestDb.h"
#include "frmGraph.h"
#include "mdlMain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

QAction *menuItem(MDIForm1 *ws, const char *name, int index)
{
    for (QAction *a : ws->findChildren<QAction *>(QLatin1String(name)))
        if (a->property("index").toInt() == index)
            return a;
    return nullptr;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void grabAll(const QString &folder)
{
    QDir().mkpath(folder);
    auto *ws = new MDIForm1;
    ws->setPro_ID1(1);
    ws->resize(1500, 1150);
    ws->show();
    // Only plans 1 (parking) and 2 (apartment) for the pictures.
    for (PlanWindow *w : ws->planWindows())
        if (w->Pro_ID2().toInt() > 2)
            w->hide();
    const char *sizes[] = {"", "large", "middle", "small"};
    const char *intervals[] = {"", "1y", "2y", "5y", "auto"};
    for (int size = 1; size <= 3; ++size) {
        menuItem(ws, "menuWindow_Size_Select", size)->trigger();
        for (int interval = 1; interval <= 4; ++interval) {
            menuItem(ws, "menuWindow_Between_Nen", interval)->trigger();
            int x = 0;
            for (PlanWindow *w : ws->planWindows())
                if (w->isVisible()) {
                    w->move(x, 0);
                    x += w->width();
                }
            QApplication::processEvents();
            ws->grab().save(QStringLiteral("%1/ws_%2_%3.png").arg(folder, sizes[size], intervals[interval]));
        }
    }
    menuItem(ws, "menuWindow_Size_Select", 2)->trigger();
    menuItem(ws, "menuWindow_Between_Nen", 4)->trigger();
    ws->findChild<QAction *>(QStringLiteral("menuWindow_Only"))->trigger();
    QApplication::processEvents();
    ws->grab().save(folder + QStringLiteral("/ws_middle_auto_graphonly.png"));
    ws->findChild<QAction *>(QStringLiteral("menuWindow_Only"))->trigger();

    // Both reports of both plans as the print command hands them to the print job, run
    // onto PDF files.
    auto log = std::make_shared<RecordingPrintJob::Log>();
    setPrintJobFactory([log] { return std::make_unique<RecordingPrintJob>(log); });
    for (PlanWindow *w : ws->planWindows())
        if (w->isVisible())
            qobject_cast<frmGraph *>(w)->lbutPrint_Click();
    setPrintJobFactory(nullptr);
    int n = 0;
    for (const RecordingPrintJob::Call &call : log->calls) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("%1/report_%2.pdf").arg(folder).arg(++n));
        printer.setPageSize(QPageSize(QPageSize::A4));
        call.report->run(printer);
    }
    gMdiClosing = true;
    delete ws;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    TestDb db;
    if (!db.isValid() || !db.connectGlobal()) {
        std::fprintf(stderr, "cannot create the database: %s\n", qPrintable(db.error()));
        return 1;
    }
    setAppPath(db.folder());
    MsgBox::setAutoAnswer(true);
    ShellHooks::setPlanWindowFactory([] { return new frmGraph; });
    gDispInterval = 1;
    BuildYearFilter();
    gDispSize = 2;
    gGraphOnly = false;
    addProperty();
    for (int id2 = 1; id2 <= 20; ++id2) {
        if (id2 % 2)
            addParkingPlan(sampleParking(1, id2));
        else
            addApartmentPlan(sampleApartment(1, id2));
    }

    const int grabAt = int(args.indexOf(QStringLiteral("--grab")));
    if (grabAt > 0 && grabAt + 1 < args.size()) {
        grabAll(args.at(grabAt + 1));
        return 0;
    }

    std::vector<double> open;
    std::vector<double> redraw;
    for (int run = 0; run < 6; ++run) {
        gDispInterval = 1;
        BuildYearFilter();
        QElapsedTimer t;
        t.start();
        auto *ws = new MDIForm1;
        ws->setPro_ID1(1);
        ws->resize(1400, 1000);
        ws->show();
        QApplication::processEvents();
        const double opened = t.nsecsElapsed() / 1e6;
        if (ws->planWindows().size() != 20) {
            std::fprintf(stderr, "%d plan windows instead of 20\n", int(ws->planWindows().size()));
            return 1;
        }
        t.restart();
        menuItem(ws, "menuWindow_Between_Nen", 3)->trigger();
        QApplication::processEvents();
        const double redrawn = t.nsecsElapsed() / 1e6;
        gMdiClosing = true;
        delete ws;
        gMdiClosing = false;
        if (run > 0) { // the first run loads the fonts
            open.push_back(opened);
            redraw.push_back(redrawn);
        }
    }
    std::printf("workspace with 20 plans opened: %.1f ms (median of %zu; target under 500 ms)\n", median(open),
                open.size());
    std::printf("20 plan windows reloaded and redrawn after an interval change: %.1f ms (target under 100 ms)\n",
                median(redraw));
    releaseGlobals();
    return 0;
}
