#include "RegistryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace
{

QString s_overridePath;

const QStringList kRootNames = {QStringLiteral("HKEY_CLASSES_ROOT"),     QStringLiteral("HKEY_CURRENT_USER"),
                                QStringLiteral("HKEY_LOCAL_MACHINE"),    QStringLiteral("HKEY_USERS"),
                                QStringLiteral("HKEY_PERFORMANCE_DATA"), QStringLiteral("HKEY_CURRENT_CONFIG"),
                                QStringLiteral("HKEY_DYN_DATA")};

bool sameName(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case 0:
            out += QLatin1String("\\0");
            break;
        default:
            out += c;
        }
    }
    return out + QLatin1Char('"');
}

// Reads a quoted text starting at pos (on its opening quote); pos ends after the closing quote.
bool unquote(const QString &line, int &pos, QString *out)
{
    if (pos >= line.size() || line.at(pos) != QLatin1Char('"'))
        return false;
    out->clear();
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line.at(pos);
        if (c == QLatin1Char('"')) {
            ++pos;
            return true;
        }
        if (c == QLatin1Char('\\') && pos + 1 < line.size()) {
            const QChar e = line.at(++pos);
            *out += e == QLatin1Char('n')   ? QChar('\n')
                    : e == QLatin1Char('r') ? QChar('\r')
                    : e == QLatin1Char('0') ? QChar(0)
                                            : e;
        } else {
            *out += c;
        }
    }
    return false;
}

} // namespace

QString RegistryStore::filePath()
{
    if (!s_overridePath.isEmpty())
        return s_overridePath;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Vanrek.reg"));
}

void RegistryStore::setFilePath(const QString &path)
{
    s_overridePath = path;
}

RegistryStore::RegistryStore() : m_path(filePath()) {}

RegistryStore::RegistryStore(const QString &path) : m_path(path) {}

bool RegistryStore::isRootName(const QString &name)
{
    return kRootNames.contains(name);
}

bool RegistryStore::keyExists(const QString &key) const
{
    const auto path = splitKey(key);
    return path && exists(load(), *path);
}

bool RegistryStore::createKey(const QString &key)
{
    const auto path = splitKey(key);
    if (!path)
        return false;
    Tree tree = load();
    if (exists(tree, *path))
        return true;
    if (!tree.readable)
        return false;
    tree.keys.append(Key{spelled(tree, *path), {}});
    return save(tree);
}

bool RegistryStore::deleteKey(const QString &key, bool recursive)
{
    const auto path = splitKey(key);
    if (!path || path->size() < 2)
        return false;
    Tree tree = load();
    if (!tree.readable || !exists(tree, *path))
        return false;
    if (!recursive && !subKeys(key).isEmpty())
        return false;
    // The parent must not vanish with its last child.
    const QStringList parent = path->mid(0, path->size() - 1);
    if (parent.size() > 1 && findKey(tree, parent) < 0)
        tree.keys.append(Key{spelled(tree, parent), {}});
    tree.keys.erase(
        std::remove_if(tree.keys.begin(), tree.keys.end(), [&](const Key &k) { return isBelow(k.path, *path); }),
        tree.keys.end());
    return save(tree);
}

QStringList RegistryStore::subKeys(const QString &key) const
{
    const auto path = splitKey(key);
    QStringList names;
    if (!path)
        return names;
    const Tree tree = load();
    for (const Key &k : tree.keys) {
        if (k.path.size() > path->size() && isBelow(k.path, *path)) {
            const QString name = k.path.at(path->size());
            if (std::none_of(names.cbegin(), names.cend(), [&](const QString &n) { return sameName(n, name); }))
                names.append(name);
        }
    }
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    return names;
}

std::optional<RegistryStore::Value> RegistryStore::value(const QString &key, const QString &name) const
{
    for (const auto &[n, v] : values(key)) {
        if (sameName(n, name))
            return v;
    }
    return std::nullopt;
}

QList<std::pair<QString, RegistryStore::Value>> RegistryStore::values(const QString &key) const
{
    const auto path = splitKey(key);
    if (!path)
        return {};
    const Tree tree = load();
    const int i = findKey(tree, *path);
    return i < 0 ? QList<std::pair<QString, Value>>() : tree.keys.at(i).values;
}

bool RegistryStore::setValue(const QString &key, const QString &name, const Value &value)
{
    const auto path = splitKey(key);
    if (!path)
        return false;
    Tree tree = load();
    if (!tree.readable || !exists(tree, *path))
        return false;
    int i = findKey(tree, *path);
    if (i < 0) {
        tree.keys.append(Key{spelled(tree, *path), {}});
        i = int(tree.keys.size()) - 1;
    }
    auto &values = tree.keys[i].values;
    auto it = std::find_if(values.begin(), values.end(), [&](const auto &nv) { return sameName(nv.first, name); });
    if (it != values.end())
        it->second = value;
    else
        values.append({name, value});
    return save(tree);
}

bool RegistryStore::deleteValue(const QString &key, const QString &name)
{
    const auto path = splitKey(key);
    if (!path)
        return false;
    Tree tree = load();
    const int i = findKey(tree, *path);
    if (!tree.readable || i < 0)
        return false;
    auto &values = tree.keys[i].values;
    auto it = std::find_if(values.begin(), values.end(), [&](const auto &nv) { return sameName(nv.first, name); });
    if (it == values.end())
        return false;
    values.erase(it);
    return save(tree);
}

RegistryStore::Tree RegistryStore::load() const
{
    Tree tree;
    QFile in(m_path);
    if (!in.exists())
        return tree;
    if (!in.open(QIODevice::ReadOnly)) {
        tree.readable = false;
        return tree;
    }
    const QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    int current = -1;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1Char('['))) {
            const int close = int(line.lastIndexOf(QLatin1Char(']')));
            const auto path = splitKey(close < 0 ? QString() : line.mid(1, close - 1));
            current = -1;
            if (path) {
                current = findKey(tree, *path);
                if (current < 0) {
                    tree.keys.append(Key{*path, {}});
                    current = int(tree.keys.size()) - 1;
                }
            }
            continue;
        }
        if (current < 0 || line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        int pos = 0;
        QString name;
        if (line.startsWith(QLatin1Char('@')))
            pos = 1;
        else if (!unquote(line, pos, &name))
            continue;
        if (pos >= line.size() || line.at(pos) != QLatin1Char('='))
            continue;
        ++pos;
        Value value;
        if (line.mid(pos).startsWith(QLatin1String("dword:"))) {
            bool ok = false;
            value.type = DWord;
            value.number = line.mid(pos + 6).trimmed().toUInt(&ok, 16);
            if (!ok)
                continue;
        } else if (!unquote(line, pos, &value.text)) {
            continue;
        }
        auto &values = tree.keys[current].values;
        if (std::none_of(values.cbegin(), values.cend(), [&](const auto &nv) { return sameName(nv.first, name); }))
            values.append({name, value});
    }
    return tree;
}

bool RegistryStore::save(const Tree &tree) const
{
    QString text;
    for (const Key &k : tree.keys) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QLatin1Char('[') + k.path.join(QLatin1Char('\\')) + QLatin1String("]\n");
        for (const auto &[name, value] : k.values) {
            text += name.isEmpty() ? QStringLiteral("@") : quoted(name);
            text += QLatin1Char('=');
            if (value.type == DWord)
                text += QStringLiteral("dword:%1").arg(value.number, 8, 16, QLatin1Char('0'));
            else
                text += quoted(value.text);
            text += QLatin1Char('\n');
        }
    }
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = text.toUtf8();
    if (out.write(data) != data.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

// A key path is a root name and key names, none of them empty.
std::optional<QStringList> RegistryStore::splitKey(const QString &key)
{
    const QStringList parts = key.split(QLatin1Char('\\'));
    if (!isRootName(parts.first()))
        return std::nullopt;
    for (const QString &p : parts) {
        if (p.isEmpty())
            return std::nullopt;
    }
    return parts;
}

int RegistryStore::findKey(const Tree &tree, const QStringList &path)
{
    for (int i = 0; i < tree.keys.size(); ++i) {
        if (tree.keys.at(i).path.size() == path.size() && isBelow(tree.keys.at(i).path, path))
            return i;
    }
    return -1;
}

// True when path is ancestor itself or lies under it.
bool RegistryStore::isBelow(const QStringList &path, const QStringList &ancestor)
{
    if (path.size() < ancestor.size())
        return false;
    for (int i = 0; i < ancestor.size(); ++i) {
        if (!sameName(path.at(i), ancestor.at(i)))
            return false;
    }
    return true;
}

bool RegistryStore::exists(const Tree &tree, const QStringList &path)
{
    if (path.size() == 1)
        return true;
    return std::any_of(tree.keys.cbegin(), tree.keys.cend(), [&](const Key &k) { return isBelow(k.path, path); });
}

// The path with each existing key spelled as it was first written.
QStringList RegistryStore::spelled(const Tree &tree, const QStringList &path)
{
    QStringList out = path;
    for (const Key &k : tree.keys) {
        int common = 0;
        while (common < out.size() && common < k.path.size() && sameName(out.at(common), k.path.at(common)))
            ++common;
        for (int i = 0; i < common; ++i)
            out[i] = k.path.at(i);
    }
    return out;
}
