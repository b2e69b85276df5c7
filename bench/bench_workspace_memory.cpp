// Opens the workspace of a property with ten stored plans (five parking, five apartment,
// their plan windows open) from the property list and closes it again, 50 times, as the
// user does, and prints the resident memory after the first cycle and after the 50th.
// Whatever a closed workspace leaves behind shows as growth between the two.
// The style keeps pixmaps of every new window's controls in Qt's pixmap cache, up to its
// limit of 10 MB, so the raw figure grows until the cache is full (about 50 cycles here) and
// then stays. The second line gives both figures again with that cache emptied and the free
// heap handed back to the system.
#include "FormButtons.h"
#include "MDIForm1.h"
#include "MsgBox.h"
#include "PlanBuilders.h"
#include "PlanWindow.h"
#include "ProgramParts.h"
#include "TestDb.h"
#include "frmDataList.h"
#include "mdlMain.h"
#include "mdlMainStart.h"

#include <QApplication>
#include <QFile>
#include <QPixmapCache>

#include <malloc.h>

#include <cstdio>
#include <stdexcept>

namespace
{

constexpr int kCycles = 50;
constexpr int kPlans = 10;

/// VmRSS of /proc/self/status, in KiB (0 where it cannot be read).
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    // A /proc file has no size: read it whole rather than up to its end.
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

struct Resident {
    long raw = 0;  ///< KiB
    long held = 0; ///< KiB, without Qt's pixmap cache and the heap that is free
};

Resident measure()
{
    Resident r;
    r.raw = residentKiB();
    QPixmapCache::clear();
    malloc_trim(0);
    r.held = residentKiB();
    return r;
}

QtMessageHandler s_qtMessages = nullptr;

// The offscreen platform notes, at every showing of the list, that it passes no size hints
// on: fifty of those would bury the figures.
void dropSizeHintNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")))
        s_qtMessages(type, context, message);
}

/// Runs what the event loop would: posted events, then the windows deleted on close.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QWidget *button(QWidget *form, const char *name)
{
    QWidget *b = form->findChild<QWidget *>(QString::fromLatin1(name));
    if (!b)
        throw std::runtime_error(name);
    return b;
}

/// One open and close of the workspace; false when the workspace did not open its plans
/// or did not go away.
bool cycle(frmDataList *list)
{
    FormButtons::click(button(list, "lbutSelect"));
    settle();
    MDIForm1 *ws = list->workspace();
    if (!ws || ws->planWindows().size() != kPlans) {
        std::fprintf(stderr, "the workspace did not open its %d plan windows\n", kPlans);
        return false;
    }
    FormButtons::click(button(ws, "lbutClose"));
    settle();
    if (list->workspace() || !list->isVisible()) {
        std::fprintf(stderr, "the workspace did not close\n");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    s_qtMessages = qInstallMessageHandler(dropSizeHintNotes);
    TestDb db;
    if (!db.isValid() || !db.connectGlobal()) {
        std::fprintf(stderr, "cannot create the database: %s\n", qPrintable(db.error()));
        return 1;
    }
    setAppPath(db.folder());
    MsgBox::setAutoAnswer(true);
    addProperty();
    for (int id2 = 1; id2 <= kPlans; ++id2) {
        if (id2 % 2)
            addParkingPlan(sampleParking(1, id2));
        else
            addApartmentPlan(sampleApartment(1, id2));
    }
    installProgramParts();
    if (Main(0) != StartResult::Started) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    auto *list = qobject_cast<frmDataList *>(MainWindow());
    settle();

    Resident first;
    for (int n = 1; n <= kCycles; ++n) {
        if (!list || !cycle(list))
            return 1;
        if (n == 1)
            first = measure();
    }
    const Resident last = measure();
    std::printf("workspace with %d plan windows opened and closed %d times, resident memory: after cycle 1 %.1f MB, "
                "after cycle %d %.1f MB\n",
                kPlans, kCycles, first.raw / 1024.0, kCycles, last.raw / 1024.0);
    std::printf("  the same with Qt's pixmap cache emptied and free heap returned: %.1f MB and %.1f MB "
                "(%+.1f KB a cycle)\n",
                first.held / 1024.0, last.held / 1024.0, double(last.held - first.held) / (kCycles - 1));
    EndMain();
    releaseGlobals();
    return 0;
}
