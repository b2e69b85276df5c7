#include "ProfileFile.h"

#include "SettingsFile.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace
{

const QByteArray kBom("\xEF\xBB\xBF");
// Windows code page 932; ICU maps it under this name.
const char kShiftJis[] = "Shift_JIS";

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

// Whether every byte of data is text in the decoder's encoding.
bool decodesWhole(QStringDecoder &&decoder, const QByteArray &data)
{
    const QString text = decoder.decode(data);
    Q_UNUSED(text)
    return decoder.isValid() && !decoder.hasError();
}

bool isUtf8(const QByteArray &data)
{
    return decodesWhole(QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless), data);
}

bool isShiftJis(const QByteArray &data)
{
    return decodesWhole(QStringDecoder(kShiftJis, QStringConverter::Flag::Stateless), data);
}

bool isAscii(const QByteArray &data)
{
    return std::all_of(data.cbegin(), data.cend(), [](char c) { return uchar(c) < 0x80; });
}

// A section or key line, as opposed to a blank line or a comment.
bool isSettingLine(const QByteArray &line)
{
    const QByteArray text = line.trimmed();
    return !text.isEmpty() && !text.startsWith(';');
}

} // namespace

ProfileFile::ProfileFile(const QString &path) : m_path(path) {}

bool ProfileFile::shiftJisAvailable()
{
    return QStringDecoder(kShiftJis).isValid() && QStringEncoder(kShiftJis).isValid();
}

QString ProfileFile::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    const Lines file = load();
    const Position pos = find(file, section, key);
    return pos.keyLine < 0 ? defaultValue : valueAt(file, pos.keyLine);
}

bool ProfileFile::contains(const QString &section, const QString &key) const
{
    return find(load(), section, key).keyLine >= 0;
}

bool ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    return setValues({Entry{section, key, value}});
}

bool ProfileFile::setValues(const QList<Entry> &entries)
{
    m_error.clear();
    m_folderError.clear();
    Lines file = load();
    if (!file.readable) {
        // Never replace a file whose contents could not be read.
        m_error = file.error;
        return false;
    }

    for (const Entry &entry : entries) {
        const QString sectionName = oneLine(entry.section).trimmed();
        const QString keyName = oneLine(entry.key).trimmed();
        const QString text = oneLine(entry.value);
        const Position pos = find(file, sectionName, keyName);
        // A line of other than ASCII keeps the encoding it is read in, so the same value saved
        // again changes nothing; any other line takes the file's.
        Encoding encoding = file.encoding;
        if (pos.keyLine >= 0 && !isAscii(file.lines.at(pos.keyLine).bytes))
            encoding = encodingOf(file, file.lines.at(pos.keyLine).bytes);
        std::optional<Lines> changed = withValue(file, pos, sectionName, keyName, text, encoding);
        if (!changed) {
            m_error = QStringLiteral("設定ファイルの文字コード (Shift-JIS) で表せない文字があります: [%1] %2=%3")
                          .arg(sectionName, keyName, text);
            return false;
        }
        // A line valid in both encodings may read in the other one, and one line valid in
        // one alone may change how every such line reads: the other encoding is tried for
        // the written line, and a value that reads back otherwise either way is refused.
        if (!readsBack(file, *changed, pos, sectionName, keyName, text)) {
            changed = withValue(file, pos, sectionName, keyName, text,
                                encoding == Encoding::Utf8 ? Encoding::ShiftJis : Encoding::Utf8);
            if (!changed || !readsBack(file, *changed, pos, sectionName, keyName, text)) {
                m_error = QStringLiteral("この値は今のままの設定ファイルには保存できません（書き込むと、この値か"
                                         "他の値が正しく読めなくなります）: [%1] %2=%3")
                              .arg(sectionName, keyName, text);
                return false;
            }
        }
        file = std::move(*changed);
    }

    QByteArray data;
    if (file.bom)
        data += kBom;
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        const Line &line = file.lines.at(i);
        data += line.bytes;
        // A last line without a line end stays so, unless lines were added after it.
        data += line.end.isEmpty() && i + 1 < file.lines.size() ? file.lineEnd : line.end;
    }
    return save(data);
}

std::optional<ProfileFile::Lines> ProfileFile::withValue(Lines file, const Position &pos, const QString &section,
                                                         const QString &key, const QString &text, Encoding encoding)
{
    QByteArray keyBytes, valueBytes, sectionBytes;
    if (pos.keyLine >= 0) {
        // The key keeps its own bytes, as it is spelled in the file, where they are of this
        // encoding.
        const QByteArray &line = file.lines.at(pos.keyLine).bytes;
        const int eq = int(line.indexOf('='));
        keyBytes = (eq < 0 ? line : line.left(eq)).trimmed();
        const Encoding own = encodingOf(file, line);
        if (!isAscii(keyBytes) && own != encoding && !encode(encoding, decodeAs(own, keyBytes), &keyBytes))
            return std::nullopt;
    }
    if (!encode(encoding, text, &valueBytes) || (pos.keyLine < 0 && !encode(encoding, key, &keyBytes)) ||
        (pos.sectionLine < 0 && !encode(encoding, section, &sectionBytes)))
        return std::nullopt;
    if (pos.keyLine >= 0) {
        file.lines[pos.keyLine].bytes = keyBytes + '=' + valueBytes;
    } else if (pos.sectionLine >= 0) {
        file.lines.insert(pos.lastLine + 1, Line{keyBytes + '=' + valueBytes, file.lineEnd});
    } else {
        file.lines.append(Line{'[' + sectionBytes + ']', file.lineEnd});
        file.lines.append(Line{keyBytes + '=' + valueBytes, file.lineEnd});
    }
    classify(file);
    return file;
}

bool ProfileFile::readsBack(const Lines &before, const Lines &after, const Position &pos, const QString &section,
                            const QString &key, const QString &text)
{
    // Every line the write kept reads as it did; the written or added lines aside.
    QStringList was = reading(before), is = reading(after);
    if (pos.keyLine >= 0) {
        was.removeAt(pos.keyLine);
        is.removeAt(pos.keyLine);
    } else if (pos.sectionLine >= 0) {
        is.removeAt(pos.lastLine + 1);
    } else {
        is.resize(was.size());
    }
    const Position written = find(after, section, key);
    return was == is && written.keyLine >= 0 &&
           valueAt(after, written.keyLine) == withoutEnclosingQuotes(text.trimmed());
}

QStringList ProfileFile::reading(const Lines &file)
{
    QStringList texts;
    for (const Line &line : file.lines)
        texts << (isSettingLine(line.bytes) ? decode(file, line.bytes) : QString());
    return texts;
}

QString ProfileFile::valueAt(const Lines &file, int line)
{
    QString name, value;
    splitKeyLine(decode(file, file.lines.at(line).bytes), &name, &value);
    return withoutEnclosingQuotes(value);
}

bool ProfileFile::save(const QByteArray &data)
{
    return SettingsFile::replace(m_path, data, true, &m_error, &m_folderError);
}

ProfileFile::Lines ProfileFile::load() const
{
    Lines file;
    std::optional<QByteArray> read = SettingsFile::read(m_path, &file.error);
    m_error = file.error;
    if (!read) {
        file.readable = false;
        return file;
    }
    QByteArray data = std::move(*read);
    if (data.startsWith(kBom)) {
        file.bom = true;
        data.remove(0, kBom.size());
    }
    const int firstBreak = int(data.indexOf('\n'));
    if (firstBreak >= 0)
        file.lineEnd = (firstBreak > 0 && data.at(firstBreak - 1) == '\r') ? QByteArray("\r\n") : QByteArray("\n");
    if (data.isEmpty())
        return file;
    // Neither encoding has "\n" or "\r" inside a character, so lines split on bytes. Each
    // line keeps its own end, so a write gives back the bytes of the lines it leaves.
    const QList<QByteArray> pieces = data.split('\n');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        // What follows the last "\n" is a last line without a line end, or nothing.
        const bool ended = i + 1 < pieces.size();
        if (!ended && pieces.at(i).isEmpty())
            break;
        Line line{pieces.at(i), ended ? QByteArray("\n") : QByteArray()};
        if (ended && line.bytes.endsWith('\r')) {
            line.bytes.chop(1);
            line.end = "\r\n";
        }
        file.lines.append(line);
    }
    classify(file);
    if (file.encoding == Encoding::ShiftJis && !shiftJisAvailable()) {
        file.readable = false;
        file.error = QStringLiteral("Shift-JIS の設定ファイルを読み書きできません。");
        m_error = file.error;
    }
    return file;
}

void ProfileFile::classify(Lines &file)
{
    file.encoding = file.eitherWay = Encoding::Utf8;
    if (file.bom)
        return;
    bool shiftJisOnly = false, utf8Only = false;
    for (const Line &line : std::as_const(file.lines)) {
        // One section or key line that is no UTF-8 makes the file Shift-JIS for the lines
        // a write adds; a comment of another encoding says nothing of the file's.
        if (!isSettingLine(line.bytes))
            continue;
        if (!isUtf8(line.bytes)) {
            file.encoding = Encoding::ShiftJis;
            shiftJisOnly = shiftJisOnly || isShiftJis(line.bytes);
        } else if (!isAscii(line.bytes) && !isShiftJis(line.bytes)) {
            utf8Only = true;
        }
    }
    // Lines of one encoding alone, as an earlier installation wrote the whole file, say
    // how a line valid both ways was meant.
    if (shiftJisOnly && !utf8Only)
        file.eitherWay = Encoding::ShiftJis;
}

ProfileFile::Encoding ProfileFile::encodingOf(const Lines &file, const QByteArray &line)
{
    if (!isUtf8(line))
        return Encoding::ShiftJis;
    if (file.eitherWay == Encoding::ShiftJis && !isAscii(line) && isShiftJis(line))
        return Encoding::ShiftJis;
    return Encoding::Utf8;
}

QString ProfileFile::decode(const Lines &file, const QByteArray &line)
{
    return decodeAs(encodingOf(file, line), line);
}

QString ProfileFile::decodeAs(Encoding encoding, const QByteArray &line)
{
    if (encoding == Encoding::Utf8 || !shiftJisAvailable())
        return QString::fromUtf8(line);
    QStringDecoder decoder(kShiftJis, QStringConverter::Flag::Stateless);
    return decoder.decode(line);
}

bool ProfileFile::encode(Encoding encoding, const QString &text, QByteArray *out)
{
    if (encoding == Encoding::Utf8) {
        *out = text.toUtf8();
        return true;
    }
    QStringEncoder encoder(kShiftJis, QStringConverter::Flag::Stateless);
    *out = encoder.encode(text);
    if (encoder.hasError())
        return false;
    // A character the code page lacks may be replaced without an error: check the way back.
    QStringDecoder decoder(kShiftJis, QStringConverter::Flag::Stateless);
    return QString(decoder.decode(*out)) == text && !decoder.hasError();
}

ProfileFile::Position ProfileFile::find(const Lines &file, const QString &section, const QString &key)
{
    Position pos;
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    for (int i = 0; i < file.lines.size(); ++i) {
        const QString line = decode(file, file.lines.at(i).bytes).trimmed();
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
