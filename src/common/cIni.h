#pragma once

#include <QList>
#include <QString>
#include <QVariant>

/// The program's settings file. Every value is written enclosed in double quotes
/// and read trimmed, with everything from the first ";" on cut away; a value read
/// through GetSetIniStr that is missing or blank is written back with its default.
/// A value reads back as at most 511 bytes in the Japanese ANSI count (a
/// double-byte character counts 2 and is never cut in half).
///
/// A write that fails is written to the error log with its reason (once while the
/// same failure repeats, as it does for every default of a read-only folder); the
/// program goes on with the values it has.
class cIni
{
public:
    struct Value {
        QString section;
        QString key;
        QVariant value;
    };

    /// The path starts as the program's folder + "Setting.ini"; the program sets
    /// it to its folder + "Vanrek.ini" before the first read.
    cIni();

    QString GetSetIniStr(const QString &section, const QString &key, const QString &defaultValue);
    QString GetIniStr(const QString &section, const QString &key);
    /// False, with an error-log line, when the file could not be written.
    bool SetIni(const QString &section, const QString &key, const QVariant &value);
    /// Writes several keys at once: every one of them or, on failure, none.
    bool SetIniValues(const QList<Value> &values);

    QString Pro_IniPath() const { return m_iniPath; }
    void setPro_IniPath(const QString &path) { m_iniPath = path; }

private:
    QString ValueToText(const QVariant &value) const;
    bool IsData(const QVariant &value) const;
    bool write(const QList<Value> &values, const QString &procedure);

    QString m_iniPath;
    QString m_lastFailure;
    QString m_lastReadFailure;
};
