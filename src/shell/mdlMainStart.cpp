// Start-up of the program: everything before the property list takes over.
#include "mdlMainStart.h"

#include "DamagedFile.h"
#include "DbSchema.h"
#include "ErrorTrap.h"
#include "Globals.h"
#include "MsgBox.h"
#include "ProgramIcon.h"
#include "RegistryStore.h"
#include "SettingsFile.h"
#include "SingleInstance.h"
#include "TerminationSignals.h"
#include "cDao.h"
#include "cSystem.h"
#include "fSplash.h"
#include "frmDataList.h"
#include "mdlMain.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>

#include <memory>

namespace
{

std::unique_ptr<SingleInstance> s_instance;
QPointer<frmDataList> s_list;
std::function<void(const fSplash &)> s_splashRecorder;

void splashMessage(fSplash *splash, const QString &text)
{
    splash->labMessage->setText(text);
    if (s_splashRecorder)
        s_splashRecorder(*splash);
}

// The end the system asks for (a kill, a closed terminal, its shutdown), during the start
// as afterwards: what the program holds is given back, and nothing else is done. Nothing
// is asked and no window is closed, so no view setting is saved and what was not saved
// is dropped.
void EndBySignal()
{
    trapErrors(QStringLiteral("mdlMain"), QStringLiteral("EndBySignal"), [] {
        gDao().Disconnect(); // an open transaction rolls back
        s_instance.reset();  // the locks given back and removed
    });
}

} // namespace

StartResult Main(double waitSeconds)
{
    // The property list is hidden while a workspace is open: closing windows never ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window without an icon of its own shows the program's.
    QApplication::setWindowIcon(programIcon());
    setErrLogWriter(&SetErrLog);
    // Before the lock is taken, so that a signal during the start gives it back as well.
    TerminationSignals::install(&EndBySignal);

    // Held where the end by a signal finds it from the moment it is taken.
    s_instance = std::make_unique<SingleInstance>();
    const bool locked = s_instance->acquire(AppPath());
    if (s_instance->otherCopyRuns()) {
        s_instance.reset();
        return StartResult::AlreadyRunning;
    }
    // A lock that cannot be used is logged; the connection below says what else fails.
    if (!s_instance->failures().isEmpty())
        writeErrLog(s_instance->failures(), QStringLiteral("mdlMain"), QStringLiteral("Main"));
    // Without any lock a second copy could not be told from the first, and two copies
    // would write the same work rows.
    if (!locked) {
        s_instance.reset();
        MsgBox::show(QStringLiteral("二重起動を確認できないため、システムを起動できません。"), MsgBox::Critical,
                     QStringLiteral("Main"));
        return StartResult::NoLock;
    }
    // A save of the settings cut by a kill or a crash left its temporary file; no other
    // copy can be saving now.
    SettingsFile::removeLeftovers(IniPath());
    SettingsFile::removeLeftovers(RegistryStore::filePath());

    auto splash = std::make_unique<fSplash>();
    splash->show();
    splashMessage(splash.get(), QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽに接続しています"));
    Wait(waitSeconds, true);

    gDbPath = QDir(AppPath()).filePath(QStringLiteral("DB/Vanrek.mdb"));
    // A database without a table or column the windows use would show them empty or
    // fail inside them: it is refused like one that cannot be opened.
    bool connected = gDao().Connect(gDbPath, false);
    QString failure = connected ? QString() : gDao().lastErrorLogText();
    try {
        if (connected)
            DbSchema::check(gDao());
    } catch (const DaoError &e) {
        connected = false;
        failure = e.logText();
    }
    if (!connected) {
        gDao().Disconnect();
        writeErrLog(failure, QStringLiteral("mdlMain"), QStringLiteral("Main"));
        splash.reset();
        MsgBox::show(QStringLiteral("Localﾃﾞｰﾀﾍﾞｰｽに接続できません。"), MsgBox::Critical, QStringLiteral("Main"));
        s_instance.reset();
        return StartResult::NoDatabase;
    }

    bool damageTold = false;
    {
        const cSystem system;
        if (!system.IsWindows98() && !system.IsWindows95()) {
            splashMessage(splash.get(), QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽを最適化しています"));
            // Rewritten in place on the open connection, unless the engine's check finds the
            // file damaged; a failure leaves the file as it was and the start goes on. A
            // damaged file is told: its unreadable rows would otherwise show as plans
            // without results.
            if (!gDao().CompactDatabase(gDbPath)) {
                writeErrLog(gDao().lastErrorLogText(), QStringLiteral("mdlMain"), QStringLiteral("CompactDatabase"));
                damageTold = gDao().lastErrorIsDamage();
                if (damageTold)
                    ShowDamagedFile();
            }
            Wait(waitSeconds, true);
        }
    }

    // A settings file that cannot be read or written leaves the defaults in force.
    trapErrors(QStringLiteral("mdlMain"), QStringLiteral("LoadIniSettings"), [] { LoadIniSettings(); });
    BuildYearFilter();
    splash.reset();

    s_list = new frmDataList(nullptr, damageTold);
    s_list->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(
        s_list, &frmDataList::shutDown, qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    s_list->show();
    return StartResult::Started;
}

QWidget *MainWindow()
{
    return s_list.data();
}

void EndMain()
{
    delete s_list.data();
    s_instance.reset();
}

void setSplashRecorder(std::function<void(const fSplash &splash)> recorder)
{
    s_splashRecorder = std::move(recorder);
}
