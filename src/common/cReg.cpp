#include "cReg.h"

#include "Currency.h"
#include "ErrorTrap.h"
#include "RegistryStore.h"
#include "VbRuntime.h"

#include <stdexcept>

namespace
{

const QString kSeparator = QStringLiteral("\\");
const QString kDefaultValueName = QStringLiteral("(標準)");
const QString kVbSettingsRoot = QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings");

QString textOf(const RegistryStore::Value &value)
{
    if (value.type == RegistryStore::DWord)
        return QString::number(int32_t(value.number));
    const int nul = int(value.text.indexOf(QChar(0)));
    return nul < 0 ? value.text : value.text.left(nul);
}

} // namespace

cReg::cReg() : m_storePath(RegistryStore::filePath()) {}

cReg::cReg(const QString &storePath) : m_storePath(storePath) {}

// Per-user settings: a missing application or section name is an error, as is
// deleting what does not exist; every error gives false or "".

QString cReg::GetVBLocalReg(const QString &application, const QString &section, const QString &key)
{
    if (application.isEmpty() || section.isEmpty() || key.isEmpty())
        return QString();
    const auto value = RegistryStore(m_storePath).value(vbSettingsKey(application, section), key);
    return value ? textOf(*value) : QString();
}

bool cReg::GetVBLocalRegAll(const QString &application, const QString &section, QList<QStringList> &settings)
{
    if (application.isEmpty() || section.isEmpty())
        return false;
    settings.clear();
    for (const auto &[name, value] : RegistryStore(m_storePath).values(vbSettingsKey(application, section)))
        settings.append({name, textOf(value)});
    return true;
}

bool cReg::SetVBLocalReg(const QString &application, const QString &section, const QString &key, const QString &value)
{
    if (application.isEmpty() || section.isEmpty() || key.isEmpty())
        return false;
    RegistryStore store(m_storePath);
    const QString k = vbSettingsKey(application, section);
    return store.createKey(k) && store.setValue(k, key, {RegistryStore::String, value, 0});
}

bool cReg::DeleteVBLocalRegAll(const QString &application)
{
    return !application.isEmpty() && RegistryStore(m_storePath).deleteKey(vbSettingsKey(application), true);
}

bool cReg::DeleteVBLocalRegSection(const QString &application, const QString &section)
{
    return !application.isEmpty() && !section.isEmpty() &&
           RegistryStore(m_storePath).deleteKey(vbSettingsKey(application, section), true);
}

bool cReg::DeleteVBLocalRegKey(const QString &application, const QString &section, const QString &key)
{
    return !application.isEmpty() && !section.isEmpty() && !key.isEmpty() &&
           RegistryStore(m_storePath).deleteValue(vbSettingsKey(application, section), key);
}

QString cReg::GetRegStr(const QString &path)
{
    return ReadRegValue(ParseRegPath(path));
}

void cReg::SetReg(const QString &path, const QString &value)
{
    WriteRegString(ParseRegPath(path), value);
}

void cReg::SetRegDWORD(const QString &path, const QString &value)
{
    double d = 0;
    if (!vb::isNumeric(value, &d))
        throw std::invalid_argument("型が一致しません。");
    const double r = roundHalfEven(d);
    if (r < -2147483648.0 || r > 2147483647.0)
        throw std::out_of_range("オーバーフローしました。");
    WriteRegDword(ParseRegPath(path), int32_t(r));
}

bool cReg::DeleteKey(const QString &path)
{
    return DeleteRegKey(ParseRegPath(path));
}

int32_t cReg::EnumKey(const QString &path, QStringList &names)
{
    return EnumRegKeys(ParseRegPath(path), names);
}

cReg::RegPath cReg::ParseRegPath(const QString &path) const
{
    QString text = vb::trim(path);
    if (text.startsWith(kSeparator))
        text.remove(0, 1);
    RegPath out;
    QString rest = text;
    const QString first = SplitRegFirst(rest, kSeparator);
    if (RegistryStore::isRootName(first)) {
        out.root = first;
    } else {
        out.root = QStringLiteral("HKEY_CURRENT_USER");
        rest = text;
    }
    out.key = SplitRegKeyPath(rest);
    out.name = SplitRegValueName(rest);
    if (out.name == kDefaultValueName)
        out.name.clear();
    return out;
}

QString cReg::ReadRegValue(const RegPath &path) const
{
    const RegistryStore store(m_storePath);
    const auto value = store.value(path.fullKey(), path.name);
    logFailure(store, "GetRegStr");
    return value ? vb::trim(textOf(*value)) : QString();
}

void cReg::WriteRegString(const RegPath &path, const QString &value)
{
    RegistryStore store(m_storePath);
    if (store.createKey(path.fullKey()))
        store.setValue(path.fullKey(), path.name, {RegistryStore::String, value, 0});
    logFailure(store, "SetReg");
}

void cReg::WriteRegDword(const RegPath &path, int32_t value)
{
    RegistryStore store(m_storePath);
    if (store.keyExists(path.fullKey()))
        store.setValue(path.fullKey(), path.name, {RegistryStore::DWord, QString(), uint32_t(value)});
    logFailure(store, "SetRegDWORD");
}

void cReg::logFailure(const RegistryStore &store, const char *procedure) const
{
    writeErrLogOnce(
        m_lastFailure,
        store.errorString().isEmpty()
            ? QString()
            : QStringLiteral("レジストリファイル %1 を読み書きできません。%2").arg(store.path(), store.errorString()),
        QStringLiteral("cReg"), QString::fromLatin1(procedure));
    // Written all the same: only a power cut now could bring the old file back.
    if (!store.folderSyncError().isEmpty())
        writeErrLog(store.folderSyncError(), QStringLiteral("cReg"), QString::fromLatin1(procedure));
}

// Here the last part of the path names a key, not a value.
bool cReg::DeleteRegKey(const RegPath &path)
{
    RegPath key = path;
    key.key = path.key.isEmpty() ? path.name : path.key + kSeparator + path.name;
    return !key.key.isEmpty() && RegistryStore(m_storePath).deleteKey(key.fullKey());
}

int32_t cReg::EnumRegKeys(const RegPath &path, QStringList &names) const
{
    RegPath key = path;
    key.key = path.key.isEmpty() ? path.name : path.key + kSeparator + path.name;
    RegistryStore store(m_storePath);
    if (!store.keyExists(key.fullKey()))
        return 0;
    const QStringList found = store.subKeys(key.fullKey());
    if (!found.isEmpty())
        names = found;
    return int32_t(found.size());
}

QString cReg::SplitRegFirst(QString &text, const QString &separator)
{
    int start = 0;
    while (text.mid(start).startsWith(separator))
        start += int(separator.size());
    const int next = int(text.indexOf(separator, start));
    if (next < 0) {
        const QString part = text.mid(start);
        text.clear();
        return part;
    }
    const QString part = text.mid(start, next - start);
    text = text.mid(next + separator.size());
    return part;
}

QString cReg::SplitRegKeyPath(const QString &text)
{
    const int last = int(text.lastIndexOf(kSeparator));
    return last < 0 ? QString() : text.left(last);
}

QString cReg::SplitRegValueName(const QString &text)
{
    const int last = int(text.lastIndexOf(kSeparator));
    if (last < 0)
        return text;
    const QString after = text.mid(last + 1);
    if (!after.isEmpty())
        return after;
    const QString before = text.left(last);
    return before.mid(before.lastIndexOf(kSeparator) + 1);
}

QString cReg::vbSettingsKey(const QString &application, const QString &section)
{
    QString key = kVbSettingsRoot + kSeparator + application;
    if (!section.isEmpty())
        key += kSeparator + section;
    return key;
}
