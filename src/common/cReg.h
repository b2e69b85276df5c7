#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

/// Text access to the registry by full path:
/// "HKEY_LOCAL_MACHINE\SOFTWARE\Zorvik\Vanrek\Info\URL" names the root, the key and the value at once. The first part
/// must be a root name spelled exactly; any other first part means
/// HKEY_CURRENT_USER with the whole path as key and value. The last part is the
/// value name, "(標準)" standing for the key's default value.
///
/// The per-user settings members keep application/section/key settings under
/// HKEY_CURRENT_USER\Software\VB and VBA Program Settings in the same registry.
class RegistryStore;

class cReg
{
public:
    /// Uses the program's registry file (RegistryStore::filePath()).
    cReg();
    /// Uses the registry kept in the given file.
    explicit cReg(const QString &storePath);

    QString GetVBLocalReg(const QString &application, const QString &section, const QString &key);
    /// Key/value pairs of the section, each as {key, value}.
    bool GetVBLocalRegAll(const QString &application, const QString &section, QList<QStringList> &settings);
    bool SetVBLocalReg(const QString &application, const QString &section, const QString &key, const QString &value);
    bool DeleteVBLocalRegAll(const QString &application);
    bool DeleteVBLocalRegSection(const QString &application, const QString &section);
    bool DeleteVBLocalRegKey(const QString &application, const QString &section, const QString &key);

    /// The value as text (a number in signed decimal); "" for anything missing.
    QString GetRegStr(const QString &path);
    /// Stores a text value, creating the key when it is missing.
    void SetReg(const QString &path, const QString &value);
    /// Stores a 32-bit number in an existing key (a missing key gets nothing).
    /// Throws std::invalid_argument for a text that is no number and
    /// std::out_of_range for one outside the 32-bit range.
    void SetRegDWORD(const QString &path, const QString &value);
    /// Deletes the key the whole path names; a key with subkeys is refused.
    bool DeleteKey(const QString &path);
    /// Subkey names of the key the whole path names into names; their number.
    /// names is left as it was when the key is missing or has no subkeys.
    int32_t EnumKey(const QString &path, QStringList &names);

private:
    struct RegPath {
        QString root; // root name
        QString key;  // key below the root, "" for the root itself
        QString name; // value name, "" for the default value
        QString fullKey() const { return key.isEmpty() ? root : root + QLatin1Char('\\') + key; }
    };

    RegPath ParseRegPath(const QString &path) const;
    QString ReadRegValue(const RegPath &path) const;
    void WriteRegString(const RegPath &path, const QString &value);
    void WriteRegDword(const RegPath &path, int32_t value);
    bool DeleteRegKey(const RegPath &path);
    int32_t EnumRegKeys(const RegPath &path, QStringList &names) const;
    static QString SplitRegFirst(QString &text, const QString &separator);
    static QString SplitRegKeyPath(const QString &text);
    static QString SplitRegValueName(const QString &text);
    static QString vbSettingsKey(const QString &application, const QString &section = QString());
    /// Logs why the store could not be read or written, once until the reason changes.
    void logFailure(const RegistryStore &store, const char *procedure) const;

    QString m_storePath;
    mutable QString m_lastFailure;
};
