#include "RegistryStore.h"

#include "SettingsFile.h"

#include <QCoreApplication>
#include <QDir>

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
    tree.keys.append(newKey(spelled(tree, *path)));
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
        tree.keys.append(newKey(spelled(tree, parent)));
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

// A key written in several blocks has the values of all of them; the first of a name wins.
QList<std::pair<QString, RegistryStore::Value>> RegistryStore::values(const QString &key) const
{
    QList<std::pair<QString, Value>> out;
    const auto path = splitKey(key);
    if (!path)
        return out;
    const Tree tree = load();
    for (const Key &k : tree.keys) {
        if (k.path.size() != path->size() || !isBelow(k.path, *path))
            continue;
        for (const Line &line : k.lines) {
            if (line.isValue &&
                std::none_of(out.cbegin(), out.cend(), [&](const auto &nv) { return sameName(nv.first, line.name); }))
                out.append({line.name, line.value});
        }
    }
    return out;
}

bool RegistryStore::setValue(const QString &key, const QString &name, const Value &value)
{
    const auto path = splitKey(key);
    if (!path)
        return false;
    Tree tree = load();
    if (!tree.readable || !exists(tree, *path))
        return false;
    for (Key &k : tree.keys) {
        if (k.path.size() != path->size() || !isBelow(k.path, *path))
            continue;
        for (Line &line : k.lines) {
            if (line.isValue && sameName(line.name, name)) {
                line.value = value;
                line.raw = valueLine(line.name, value);
                return save(tree);
            }
        }
    }
    int i = findKey(tree, *path);
    if (i < 0) {
        tree.keys.append(newKey(spelled(tree, *path)));
        i = int(tree.keys.size()) - 1;
    }
    // After the key's last value, so comments and blank lines that follow it stay where they are.
    QList<Line> &lines = tree.keys[i].lines;
    int at = 0;
    for (int j = 0; j < lines.size(); ++j) {
        if (lines.at(j).isValue)
            at = j + 1;
    }
    lines.insert(at, Line{valueLine(name, value), true, name, value});
    return save(tree);
}

bool RegistryStore::deleteValue(const QString &key, const QString &name)
{
    const auto path = splitKey(key);
    if (!path)
        return false;
    Tree tree = load();
    if (!tree.readable || findKey(tree, *path) < 0)
        return false;
    bool found = false;
    for (Key &k : tree.keys) {
        if (k.path.size() != path->size() || !isBelow(k.path, *path))
            continue;
        // Every line of the name goes, so no later one shows through.
        const auto gone = std::remove_if(k.lines.begin(), k.lines.end(),
                                         [&](const Line &line) { return line.isValue && sameName(line.name, name); });
        found = found || gone != k.lines.end();
        k.lines.erase(gone, k.lines.end());
    }
    return found && save(tree);
}

RegistryStore::Tree RegistryStore::load() const
{
    Tree tree;
    const std::optional<QByteArray> read = SettingsFile::read(m_path, &m_error);
    if (!read) {
        tree.readable = false;
        return tree;
    }
    const QByteArray &data = *read;
    const int firstBreak = int(data.indexOf('\n'));
    if (firstBreak > 0 && data.at(firstBreak - 1) == '\r')
        tree.lineEnd = "\r\n";
    QList<QByteArray> rawLines = data.split('\n');
    if (data.endsWith('\n') || data.isEmpty())
        rawLines.removeLast();
    tree.keys.append(Key{}); // the lines before the first key
    for (QByteArray raw : rawLines) {
        if (raw.endsWith('\r'))
            raw.chop(1);
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith(QLatin1Char('['))) {
            const int close = int(line.lastIndexOf(QLatin1Char(']')));
            const auto path = splitKey(close < 0 ? QString() : line.mid(1, close - 1));
            tree.keys.append(Key{path.value_or(QStringList()), raw, {}, false});
            continue;
        }
        Line entry{raw, false, QString(), Value()};
        if (!tree.keys.last().path.isEmpty())
            entry.isValue = parseValueLine(line, &entry.name, &entry.value);
        tree.keys.last().lines.append(entry);
    }
    return tree;
}

bool RegistryStore::parseValueLine(const QString &line, QString *name, Value *value)
{
    if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
        return false;
    int pos = 0;
    name->clear();
    if (line.startsWith(QLatin1Char('@')))
        pos = 1;
    else if (!unquote(line, pos, name))
        return false;
    if (pos >= line.size() || line.at(pos) != QLatin1Char('='))
        return false;
    ++pos;
    *value = Value();
    if (line.mid(pos).startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        value->type = DWord;
        value->number = line.mid(pos + 6).trimmed().toUInt(&ok, 16);
        return ok;
    }
    return unquote(line, pos, &value->text);
}

QByteArray RegistryStore::valueLine(const QString &name, const Value &value)
{
    QString text = name.isEmpty() ? QStringLiteral("@") : quoted(name);
    text += QLatin1Char('=');
    if (value.type == DWord)
        text += QStringLiteral("dword:%1").arg(value.number, 8, 16, QLatin1Char('0'));
    else
        text += quoted(value.text);
    return text.toUtf8();
}

RegistryStore::Key RegistryStore::newKey(const QStringList &path)
{
    return Key{path, (QLatin1Char('[') + path.join(QLatin1Char('\\')) + QLatin1Char(']')).toUtf8(), {}, true};
}

bool RegistryStore::save(const Tree &tree) const
{
    QByteArray data;
    for (const Key &k : tree.keys) {
        if (k.header.isEmpty() && k.lines.isEmpty())
            continue;
        // A key added by this write stands apart from the one before it.
        if (k.added && !data.isEmpty() && !data.endsWith(tree.lineEnd + tree.lineEnd))
            data += tree.lineEnd;
        if (!k.header.isEmpty())
            data += k.header + tree.lineEnd;
        for (const Line &line : k.lines)
            data += line.raw + tree.lineEnd;
    }
    QString folderError;
    const bool saved = SettingsFile::replace(m_path, data, false, &m_error, &folderError);
    if (!folderError.isEmpty())
        m_folderError = folderError;
    return saved;
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
