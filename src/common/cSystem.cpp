#include "cSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

int16_t cSystem::WindowsType(QString &detail) const
{
    const QStringList numbers = QSysInfo::kernelVersion().split(QLatin1Char('.'));
    const auto number = [&](int i) {
        const QString part = numbers.value(i);
        int digits = 0;
        while (digits < part.size() && part.at(digits).isDigit())
            ++digits;
        return part.left(digits).toInt();
    };
    const bool onLinux = QSysInfo::kernelType() == QLatin1String("linux");
    detail = QStringLiteral("PlatformID= %1 MajorVersion= %2 MinorVersion= %3 BuildNumber= %4")
                 .arg(onLinux ? QStringLiteral("Linux") : QSysInfo::kernelType())
                 .arg(number(0))
                 .arg(number(1))
                 .arg(number(2));
    return onLinux ? Linux : Other;
}

int16_t cSystem::type() const
{
    QString detail;
    return WindowsType(detail);
}

bool cSystem::IsWindows9x() const
{
    const int16_t t = type();
    return t >= Windows95 && t <= WindowsMe;
}

bool cSystem::IsWindowsNT() const
{
    const int16_t t = type();
    return t >= WindowsNT351 && t <= Linux;
}

bool cSystem::IsWindows95() const
{
    return type() == Windows95;
}

bool cSystem::IsWindows98() const
{
    return type() == Windows98;
}

bool cSystem::IsWindowsMe() const
{
    return type() == WindowsMe;
}

bool cSystem::IsWindowsNT351() const
{
    return type() == WindowsNT351;
}

bool cSystem::IsWindowsNT40() const
{
    return type() == WindowsNT40;
}

bool cSystem::IsWindows2K() const
{
    return type() == Windows2K;
}

bool cSystem::IsWindowsXP() const
{
    return type() == WindowsXP;
}

QString cSystem::ComputerName() const
{
    return QSysInfo::machineHostName().trimmed();
}

QString cSystem::UserName() const
{
    if (const passwd *pw = getpwuid(geteuid()); pw && pw->pw_name && *pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER").trimmed();
}

QString cSystem::GetFileVersion(const QString &path) const
{
    const QString file = QFileInfo(path).canonicalFilePath();
    if (file.isEmpty() || file != QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath())
        return QString();
    return QStringLiteral("%1.%2.%3").arg(VANREK_VERSION_MAJOR).arg(VANREK_VERSION_MINOR).arg(VANREK_VERSION_PATCH);
}

QString cSystem::GetMACAddress(bool &ok) const
{
    ok = false;
    const QDir net(QStringLiteral("/sys/class/net"));
    const QStringList interfaces = net.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString &name : interfaces) {
        if (name == QLatin1String("lo"))
            continue;
        QFile file(net.filePath(name + QStringLiteral("/address")));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QString address = QString::fromLatin1(file.readAll()).trimmed().remove(QLatin1Char(':')).toUpper();
        if (address.size() != 12 || address == QLatin1String("000000000000"))
            continue;
        ok = true;
        return address;
    }
    return QString();
}
