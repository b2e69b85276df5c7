#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSize>
#include <QTemporaryDir>
#include <QtTest>

/// A test row that needs a screen of its own size. The offscreen platform takes its
/// screen when the program starts, so such a row runs again in a process of its own,
/// started on that screen (its size in the platform's pixels, and a scale factor).
///
///     void fits_data() { TestScreen::addColumns(); ... newRow(...) << QSize(800, 600) << 1.0 ... }
///     void fits() { if (!TestScreen::onRowScreen()) return; ... }
namespace TestScreen
{

inline QString name(const QSize &pixels, double scale)
{
    return QStringLiteral("%1x%2@%3").arg(pixels.width()).arg(pixels.height()).arg(scale);
}

/// True in the process that runs on that screen.
inline bool isCurrent(const QSize &pixels, double scale)
{
    return qEnvironmentVariable("VANREK_TEST_SCREEN") == name(pixels, scale);
}

/// Runs the current test function and data row in a new process on that screen; true
/// when it passed there. The process's output is shown when it did not.
inline bool runOn(const QSize &pixels, double scale)
{
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("screen.json")));
    if (!dir.isValid() || !config.open(QIODevice::WriteOnly))
        return false;
    config.write(QStringLiteral("{\"screens\": [{\"name\": \"test\", \"x\": 0, \"y\": 0, \"width\": %1, "
                                "\"height\": %2, \"logicalDpi\": 96, \"logicalBaseDpi\": 96}]}\n")
                     .arg(pixels.width())
                     .arg(pixels.height())
                     .toUtf8());
    config.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config.fileName());
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    env.insert(QStringLiteral("VANREK_TEST_SCREEN"), name(pixels, scale));
    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QCoreApplication::applicationFilePath(), {QString::fromUtf8(QTest::currentTestFunction()) +
                                                        QLatin1Char(':') + QString::fromUtf8(QTest::currentDataTag())});
    const bool finished = run.waitForFinished(60000);
    if (finished && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0)
        return true;
    if (!finished) {
        run.kill();
        run.waitForFinished(5000);
    }
    qWarning().noquote() << "on the screen" << name(pixels, scale) << ":\n" << run.readAll();
    return false;
}

/// The first columns of a test's rows: "screen" (its size in pixels) and "scale".
inline void addColumns()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<double>("scale");
}

/// True in the process on the current row's screen, where the row goes on. Elsewhere the
/// row runs on its screen, its outcome is recorded here, and the caller returns.
inline bool onRowScreen()
{
    QFETCH(QSize, screen);
    QFETCH(double, scale);
    if (isCurrent(screen, scale))
        return true;
    QTest::qVerify(runOn(screen, scale), "TestScreen::runOn(screen, scale)", "", __FILE__, __LINE__);
    return false;
}

} // namespace TestScreen
