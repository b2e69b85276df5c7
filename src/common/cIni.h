#pragma once

#include <QString>
#include <QVariant>

/// The program's settings file. Every value is written enclosed in double quotes
/// and read trimmed, with everything from the first ";" on cut away; a value read
/// through GetSetIniStr that is missing or blank is written back with its default.
/// A value reads back as at most 511 bytes in the Japanese ANSI count (a
/// double-byte character counts 2 and is never cut in half).
class cIni
{
public:
    /// The path starts as the program's folder + "Setting.ini"; the program sets
    /// it to its folder + "Vanrek.ini" before the first read.
    cIni();

    QString GetSetIniStr(const QString &section, const QString &key, const QString &defaultValue);
    QString GetIniStr(const QString &section, const QString &key);
    void SetIni(const QString &section, const QString &key, const QVariant &value);

    QString Pro_IniPath() const { return m_iniPath; }
    void setPro_IniPath(const QString &path) { m_iniPath = path; }

private:
    QString ValueToText(const QVariant &value) const;
    bool IsData(const QVariant &value) const;

    QString m_iniPath;
};
