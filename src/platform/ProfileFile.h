#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

/// A settings file of bracketed sections and key=value lines, read and written
/// by the rules the program's settings have always followed:
/// - section and key names match without regard to case; the first matching
///   section and key win;
/// - a value is trimmed, and one pair of matching double or single quotes that
///   encloses the whole value is removed on reading;
/// - lines beginning with ";" are comments.
///
/// Encoding: each line is read on its own, as UTF-8 when it is valid UTF-8 and as
/// Shift-JIS (the Windows code page 932 that earlier installations wrote) otherwise,
/// so one line of another encoding (a comment an editor saved, stray bytes) hides no
/// other. A line valid both ways (half-width katakana in Shift-JIS can happen to be
/// valid UTF-8) is read as Shift-JIS when some section or key line is valid only in
/// Shift-JIS and none only in UTF-8, as in a file an earlier installation wrote
/// whole; otherwise as UTF-8. The lines a write adds take the file's encoding: UTF-8
/// when every section and key line is valid UTF-8 (or the file has a UTF-8 BOM), else
/// Shift-JIS; a new file is UTF-8. A changed line keeps the encoding it is read in where
/// it is not plain ASCII. Each write is read back by these rules before the file is
/// replaced: where the written line would read otherwise, or would change how another
/// line reads (one line valid in one encoding alone decides how the lines valid both
/// ways read), it is written in the other encoding; where that reads otherwise too, the
/// value is refused. CR LF and LF line ends are both read.
///
/// A write keeps every other line byte for byte, its line end included (comments,
/// other sections, a leading BOM, a last line without a line end); a changed line
/// keeps its line end, and the lines a write adds take the line end of the file's
/// first line (CR LF for a new file). The file is replaced atomically, so a crash
/// never leaves it half written. Where
/// the folder allows no new file beside it, the file is written in place. A missing
/// file reads as empty; a write creates it. A file that exists but could not be read
/// reads as empty and is never replaced; nor is a value written that the file's
/// encoding cannot hold or that would not read back. A path that is not a regular
/// file (a pipe, a socket, a device) is neither read nor written (see SettingsFile).
class ProfileFile
{
public:
    struct Entry {
        QString section;
        QString key;
        QString value;
    };

    explicit ProfileFile(const QString &path);

    QString path() const { return m_path; }

    /// The key's value, or defaultValue when the file, section or key is missing.
    QString value(const QString &section, const QString &key, const QString &defaultValue = QString()) const;
    bool contains(const QString &section, const QString &key) const;

    /// Writes key=value into the section, creating the file, the section or the
    /// key as needed. Line breaks inside names or value become blanks, so a value
    /// can never add lines of its own. False when the file could not be written;
    /// errorString() then says why.
    bool setValue(const QString &section, const QString &key, const QString &value);
    /// Writes several keys in one replacement of the file: all of them or none.
    bool setValues(const QList<Entry> &entries);

    /// Why the last read or write failed; empty when the last one worked.
    QString errorString() const { return m_error; }
    /// Why the folder could not be synced after the last write, which still counts as
    /// done (the file is on the disk); empty otherwise.
    QString folderSyncError() const { return m_folderError; }

    /// Whether this Qt can read and write Shift-JIS (it needs Qt's ICU support).
    static bool shiftJisAvailable();

private:
    enum class Encoding { Utf8, ShiftJis };
    struct Line {
        QByteArray bytes; // without its line end
        QByteArray end;   // "\r\n", "\n", or empty for a last line that has none
    };
    struct Lines {
        bool readable = true;
        QString error;
        Encoding encoding = Encoding::Utf8;  // of the lines a write adds
        Encoding eitherWay = Encoding::Utf8; // of a line valid in both encodings
        bool bom = false;
        QByteArray lineEnd = "\r\n"; // of the lines a write adds
        QList<Line> lines;
    };
    struct Position {
        int sectionLine = -1; // the section's header line
        int lastLine = -1;    // last key line of the section (the header when it has none)
        int keyLine = -1;     // the key's line
    };

    Lines load() const;
    bool save(const QByteArray &data);
    /// The file's encodings as its section and key lines give them.
    static void classify(Lines &file);
    /// The file with key=text written in the encoding; nothing when it cannot hold the text.
    static std::optional<Lines> withValue(Lines file, const Position &pos, const QString &section, const QString &key,
                                          const QString &text, Encoding encoding);
    /// Whether after, the file before with key=text written, reads as before but for text.
    static bool readsBack(const Lines &before, const Lines &after, const Position &pos, const QString &section,
                          const QString &key, const QString &text);
    /// Each section and key line as it reads; a null text for the other lines.
    static QStringList reading(const Lines &file);
    static QString valueAt(const Lines &file, int line);
    static Encoding encodingOf(const Lines &file, const QByteArray &line);
    static QString decode(const Lines &file, const QByteArray &line);
    static QString decodeAs(Encoding encoding, const QByteArray &line);
    static bool encode(Encoding encoding, const QString &text, QByteArray *out);
    static Position find(const Lines &file, const QString &section, const QString &key);
    static bool isSectionHeader(const QString &line, QString *name);
    static bool splitKeyLine(const QString &line, QString *key, QString *value);

    QString m_path;
    mutable QString m_error;
    QString m_folderError;
};
