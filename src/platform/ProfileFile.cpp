#include "ProfileFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{

const QByteArray kBom("\xEF\xBB\xBF");

// A value of one line: line breaks would otherwise start lines of their own.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString withoutEnclosingQuotes(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

bool sameName(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

} // namespace

ProfileFile::ProfileFile(const QString &path) : m_path(path) {}

QString ProfileFile::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    const Lines file = load();
    const Position pos = find(file, section, key);
    if (pos.keyLine < 0)
        return defaultValue;
    QString name, value;
    splitKeyLine(QString::fromUtf8(file.lines.at(pos.keyLine)), &name, &value);
    return withoutEnclosingQuotes(value);
}

bool ProfileFile::contains(const QString &section, const QString &key) const
{
    return find(load(), section, key).keyLine >= 0;
}

bool ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    Lines file = load();
    if (!file.readable)
        return false; // never replace a file whose contents could not be read

    const QString sectionName = oneLine(section).trimmed();
    const QString keyName = oneLine(key).trimmed();
    const QString text = oneLine(value);
    const Position pos = find(file, sectionName, keyName);
    if (pos.keyLine >= 0) {
        // Keep the key as it is spelled in the file.
        QString existing, old;
        splitKeyLine(QString::fromUtf8(file.lines.at(pos.keyLine)), &existing, &old);
        file.lines[pos.keyLine] = (existing + QLatin1Char('=') + text).toUtf8();
    } else if (pos.sectionLine >= 0) {
        file.lines.insert(pos.lastLine + 1, (keyName + QLatin1Char('=') + text).toUtf8());
    } else {
        file.lines.append((QLatin1Char('[') + sectionName + QLatin1Char(']')).toUtf8());
        file.lines.append((keyName + QLatin1Char('=') + text).toUtf8());
    }

    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray data;
    if (file.bom)
        data += kBom;
    for (const QByteArray &line : std::as_const(file.lines)) {
        data += line;
        data += file.lineEnd;
    }
    if (out.write(data) != data.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

ProfileFile::Lines ProfileFile::load() const
{
    Lines file;
    QFile in(m_path);
    if (!in.exists())
        return file;
    if (!in.open(QIODevice::ReadOnly)) {
        file.readable = false;
        return file;
    }
    QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        file.readable = false;
        return file;
    }
    if (data.startsWith(kBom)) {
        file.bom = true;
        data.remove(0, kBom.size());
    }
    const int firstBreak = int(data.indexOf('\n'));
    if (firstBreak >= 0)
        file.lineEnd = (firstBreak > 0 && data.at(firstBreak - 1) == '\r') ? QByteArray("\r\n") : QByteArray("\n");
    if (data.isEmpty())
        return file;
    file.lines = data.split('\n');
    if (data.endsWith('\n'))
        file.lines.removeLast();
    for (QByteArray &line : file.lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return file;
}

ProfileFile::Position ProfileFile::find(const Lines &file, const QString &section, const QString &key)
{
    Position pos;
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    for (int i = 0; i < file.lines.size(); ++i) {
        const QString line = QString::fromUtf8(file.lines.at(i)).trimmed();
        QString name;
        if (isSectionHeader(line, &name)) {
            if (pos.sectionLine >= 0)
                break; // only the first section of that name counts
            if (sameName(name, wantedSection))
                pos.sectionLine = pos.lastLine = i;
            continue;
        }
        if (pos.sectionLine < 0 || line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        pos.lastLine = i;
        QString value;
        if (pos.keyLine < 0 && splitKeyLine(line, &name, &value) && sameName(name, wantedKey))
            pos.keyLine = i;
    }
    return pos;
}

bool ProfileFile::isSectionHeader(const QString &line, QString *name)
{
    if (!line.startsWith(QLatin1Char('[')))
        return false;
    const int close = int(line.indexOf(QLatin1Char(']')));
    *name = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed();
    return true;
}

// A line without "=" is a key with an empty value.
bool ProfileFile::splitKeyLine(const QString &line, QString *key, QString *value)
{
    const int eq = int(line.indexOf(QLatin1Char('=')));
    *key = (eq < 0 ? line : line.left(eq)).trimmed();
    *value = eq < 0 ? QString() : line.mid(eq + 1).trimmed();
    return !key->isEmpty();
}
