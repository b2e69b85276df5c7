#include "cIni.h"

#include "ErrorTrap.h"
#include "ProfileFile.h"
#include "VbRuntime.h"

#include <QCoreApplication>
#include <QDir>

namespace
{

// The longest value a read returns, in ANSI bytes (a 512-byte buffer with its terminator).
constexpr int kMaxValueBytes = 511;

} // namespace

cIni::cIni() : m_iniPath(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Setting.ini"))) {}

QString cIni::GetSetIniStr(const QString &section, const QString &key, const QString &defaultValue)
{
    const QString value = vb::trim(GetIniStr(section, key));
    if (!value.isEmpty())
        return value;
    SetIni(section, key, defaultValue);
    return defaultValue;
}

QString cIni::GetIniStr(const QString &section, const QString &key)
{
    const ProfileFile file(m_iniPath);
    QString value = file.value(section, key);
    // An unreadable file reads as empty, so the defaults apply; why is logged once.
    writeErrLogOnce(m_lastReadFailure,
                    file.errorString().isEmpty()
                        ? QString()
                        : QStringLiteral("設定ファイル %1 を読み込めません。%2").arg(m_iniPath, file.errorString()),
                    QStringLiteral("cIni"), QStringLiteral("GetIniStr"));
    value = vb::ansiLeft(value, kMaxValueBytes);
    const int nul = int(value.indexOf(QChar(0)));
    if (nul >= 0)
        value.truncate(nul);
    value = vb::trim(value);
    // A ";" starts a comment, so no value can carry one.
    const int semicolon = int(value.indexOf(QLatin1Char(';')));
    if (semicolon >= 0)
        value = vb::trim(value.left(semicolon));
    return value;
}

bool cIni::SetIni(const QString &section, const QString &key, const QVariant &value)
{
    return write({Value{section, key, value}}, QStringLiteral("SetIni"));
}

bool cIni::SetIniValues(const QList<Value> &values)
{
    return write(values, QStringLiteral("SetIniValues"));
}

bool cIni::write(const QList<Value> &values, const QString &procedure)
{
    QList<ProfileFile::Entry> entries;
    for (const Value &v : values)
        entries.append({v.section, v.key, QLatin1Char('"') + ValueToText(v.value) + QLatin1Char('"')});
    ProfileFile file(m_iniPath);
    const bool written = file.setValues(entries);
    writeErrLogOnce(m_lastFailure,
                    written ? QString()
                            : QStringLiteral("設定ファイル %1 に書き込めません。%2").arg(m_iniPath, file.errorString()),
                    QStringLiteral("cIni"), procedure);
    // Saved all the same: only a power cut now could bring the old file back.
    if (!file.folderSyncError().isEmpty())
        writeErrLog(file.folderSyncError(), QStringLiteral("cIni"), procedure);
    return written;
}

QString cIni::ValueToText(const QVariant &value) const
{
    if (!IsData(value))
        return QString();
    return vb::trim(vb::cstr(value));
}

bool cIni::IsData(const QVariant &value) const
{
    return !vb::isEmpty(value) && !vb::isNull(value);
}
