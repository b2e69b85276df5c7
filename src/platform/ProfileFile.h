#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

/// A settings file of bracketed sections and key=value lines, read and written
/// by the rules the program's settings have always followed:
/// - section and key names match without regard to case; the first matching
///   section and key win;
/// - a value is trimmed, and one pair of matching double or single quotes that
///   encloses the whole value is removed on reading;
/// - lines beginning with ";" are comments.
///
/// The file is UTF-8; CR LF and LF line ends are both read. A write keeps every
/// other line byte for byte (comments, other sections, a leading BOM), uses the
/// line end of the file's first line (CR LF for a new file) and replaces the file
/// atomically, so a crash never leaves it half written. A missing or unreadable
/// file reads as empty; a write creates a missing file but never replaces a file
/// that exists and could not be read.
class ProfileFile
{
public:
    explicit ProfileFile(const QString &path);

    QString path() const { return m_path; }

    /// The key's value, or defaultValue when the file, section or key is missing.
    QString value(const QString &section, const QString &key, const QString &defaultValue = QString()) const;
    bool contains(const QString &section, const QString &key) const;

    /// Writes key=value into the section, creating the file, the section or the
    /// key as needed. Line breaks inside names or value become blanks, so a value
    /// can never add lines of its own. False when the file could not be written.
    bool setValue(const QString &section, const QString &key, const QString &value);

private:
    struct Lines {
        bool readable = true;
        bool bom = false;
        QByteArray lineEnd = "\r\n";
        QList<QByteArray> lines;
    };
    struct Position {
        int sectionLine = -1; // the section's header line
        int lastLine = -1;    // last key line of the section (the header when it has none)
        int keyLine = -1;     // the key's line
    };

    Lines load() const;
    static Position find(const Lines &file, const QString &section, const QString &key);
    static bool isSectionHeader(const QString &line, QString *name);
    static bool splitKeyLine(const QString &line, QString *key, QString *value);

    QString m_path;
};
