#include "mdlMain.h"

#include "Globals.h"
#include "MsgBox.h"
#include "RegularFile.h"
#include "cBase.h"
#include "cIni.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <limits>

#include <fcntl.h>

double gTaxRate = 0;
int16_t gDispInterval = 0;
bool gGraphOnly = false;
int16_t gDispSize = 0;
QString gBackImage;
QString gImage1, gImage2, gImage3;
QString gIcon1, gIcon2, gIcon3;
std::array<int16_t, 16> gYears{};
QString gYearFilter;
QString gYearFilterSK;
bool gMdiClosing = false;
QString gPropertyName;
QString gDbPath;

namespace
{

QString &appPathSlot()
{
    static QString path;
    return path;
}

// A value that does not fit the 16-bit setting counts as out of range.
int16_t narrow(int32_t value)
{
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        return 0;
    return int16_t(value);
}

QString padRight(const QString &text, int width)
{
    // A longer name is kept whole: losing the line would lose the error.
    return text.size() >= width ? text : text + QString(width - text.size(), QLatin1Char(' '));
}

} // namespace

QString AppPath()
{
    if (appPathSlot().isEmpty())
        return QCoreApplication::applicationDirPath();
    return appPathSlot();
}

void setAppPath(const QString &folder)
{
    appPathSlot() = folder;
}

QString IniPath()
{
    return QDir(AppPath()).filePath(QStringLiteral("Vanrek.ini"));
}

QString IniValue(const QString &section, const QString &key)
{
    cIni &ini = gIni();
    ini.setPro_IniPath(IniPath());
    return ini.GetIniStr(section, key);
}

void LoadIniSettings()
{
    cIni &ini = gIni();
    const cBase &base = gBase();
    const QString setting = QStringLiteral("SETTING");
    ini.setPro_IniPath(IniPath());
    gTaxRate = base.CvtDbl(ini.GetSetIniStr(QStringLiteral("CONST"), QStringLiteral("消費税"), QStringLiteral("5")));
    gDispInterval = narrow(base.CvtLng(ini.GetSetIniStr(setting, QStringLiteral("表示間隔"), QStringLiteral("1"))));
    gGraphOnly =
        ini.GetSetIniStr(setting, QStringLiteral("グラフのみ"), QStringLiteral("False")) == QLatin1String("True");
    gDispSize = narrow(base.CvtLng(ini.GetSetIniStr(setting, QStringLiteral("サイズ"), QStringLiteral("2"))));
    QString *const paths[] = {&gBackImage, &gImage1, &gImage2, &gImage3, &gIcon1, &gIcon2, &gIcon3};
    const char *const keys[] = {"背景", "画像1", "画像2", "画像3", "アイコン1", "アイコン2", "アイコン3"};
    for (int i = 0; i < 7; ++i)
        *paths[i] = base.CvtStr(ini.GetSetIniStr(setting, QString::fromUtf8(keys[i]), QString()));

    // A hand-edited file must not leave every plan window empty or unsized.
    if (gDispInterval < 1 || gDispInterval > 4)
        gDispInterval = 1;
    if (gDispSize < 1 || gDispSize > 3)
        gDispSize = 2;
}

void SaveSetting()
{
    cIni &ini = gIni();
    const QString setting = QStringLiteral("SETTING");
    ini.setPro_IniPath(IniPath());
    ini.SetIni(setting, QStringLiteral("表示間隔"), gBase().CvtStr(int(gDispInterval)));
    ini.SetIni(setting, QStringLiteral("グラフのみ"), gGraphOnly ? QStringLiteral("True") : QStringLiteral("False"));
    ini.SetIni(setting, QStringLiteral("サイズ"), gBase().CvtStr(int(gDispSize)));
}

void BuildYearFilter()
{
    if (gDispInterval < 1 || gDispInterval > 4)
        return;
    const cBase &base = gBase();
    auto num = [&base](int n) { return base.CvtSQL(QVariant(n), cBase::SqlLong); };
    static const int16_t automatic[15] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30, 35};
    for (int i = 1; i <= 15; ++i) {
        switch (gDispInterval) {
        case 1:
            gYears[i] = int16_t(i);
            break;
        case 2:
            gYears[i] = int16_t(2 * i);
            break;
        case 3:
            gYears[i] = int16_t(5 * i);
            break;
        default:
            gYears[i] = automatic[i - 1];
            break;
        }
    }
    // SQLite has no mod operator; % is its remainder.
    switch (gDispInterval) {
    case 1:
        gYearFilter = QStringLiteral("年 <= ") + num(15);
        gYearFilterSK = QStringLiteral("SK.年 <= ") + num(15);
        break;
    case 2:
        gYearFilter = QStringLiteral("年 <= ") + num(30);
        gYearFilterSK = QStringLiteral("SK.年 % 2 = 0 AND SK.年 <= 30");
        break;
    case 3:
        gYearFilter = QStringLiteral("年 <= ") + num(75);
        gYearFilterSK = QStringLiteral("SK.年 % 5 = 0 AND SK.年 <= 75");
        break;
    default:
        gYearFilter = QStringLiteral("年 <= ") + num(35);
        gYearFilterSK.clear();
        for (int i = 1; i <= 15; ++i) {
            if (i > 1)
                gYearFilterSK += QStringLiteral(" OR");
            gYearFilterSK += QStringLiteral(" SK.年 =") + num(gYears[i]);
        }
        break;
    }
}

QString ErrLogLine(const QString &timeText, const QString &objectName, const QString &procName, const QString &message)
{
    return timeText + QLatin1Char(',') + padRight(objectName, 20) + QLatin1Char(',') + padRight(procName, 30) +
           QLatin1Char(',') + message;
}

void SetErrLog(const QString &message, const QString &objectName, const QString &procName)
{
    try {
        const QString line = ErrLogLine(QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")),
                                        objectName, procName, message);
        // A pipe or a device in the log's place is not opened: it would hold the program up.
        QString failure;
        QFile file;
        if (RegularFile::open(file, QDir(AppPath()).filePath(QStringLiteral("ErrLog.txt")),
                              O_WRONLY | O_APPEND | O_CREAT, &failure)) {
            const QByteArray bytes = (line + QStringLiteral("\r\n")).toUtf8();
            if (file.write(bytes) != bytes.size() || !file.flush())
                failure = file.errorString();
            file.close();
        }
        if (failure.isEmpty())
            return;
        // The line still reaches whoever watches the program's output.
        qWarning().noquote() << line;
        MsgBox::show(QStringLiteral("ファイルへの書込みに失敗しました。\r\n") + failure, MsgBox::Critical,
                     QStringLiteral("SetErrLog"));
    } catch (...) {
        // The error handler of every form procedure must never fail its caller.
    }
}

void Wait(double seconds, bool processEvents)
{
    QElapsedTimer timer;
    timer.start();
    while (double(timer.elapsed()) < seconds * 1000.0) {
        if (processEvents)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}
