#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

/// The registry the installation values live in: a tree of keys holding named
/// values of two types, text and 32-bit number, kept in one file beside the
/// executable ("Vanrek.reg").
///
/// Key paths are "\"-separated and begin with a root name
/// ("HKEY_LOCAL_MACHINE\SOFTWARE\..."); the roots always exist. Key names and value names match without
/// regard to case and keep the spelling they were first written with. The empty
/// value name is the key's default value.
///
/// Every call reads the file afresh, so several users see one registry. A missing
/// or unreadable file is an empty registry; a write replaces the file atomically,
/// and never replaces a file that exists and could not be read, nor anything that is
/// not a regular file (see SettingsFile).
///
/// File format (UTF-8, LF): a line "[key path]" starts a key, then one line per
/// value: "name"="text" or "name"=dword:0000000a, @ for the default value; "\\",
/// "\"", "\n" and "\r" are escaped inside quotes. Other lines (comments, blank
/// lines, lines that do not parse, keys without a root name) are skipped on
/// reading and written back as they stood; a write changes only the lines of the
/// values and keys it changes.
class RegistryStore
{
public:
    enum Type { String = 1, DWord = 4 };

    struct Value {
        Type type = String;
        QString text;
        uint32_t number = 0;
    };

    /// The file every default-constructed store uses: "Vanrek.reg" in the program's
    /// folder unless setFilePath named another (tests do; an empty path restores it).
    static QString filePath();
    static void setFilePath(const QString &path);

    RegistryStore();
    explicit RegistryStore(const QString &path);

    QString path() const { return m_path; }
    /// Why the file could not be read or written the last time it failed; empty when
    /// nothing failed since this store was made.
    QString errorString() const { return m_error; }
    /// Why the folder could not be synced after a write, which still counts as done (the
    /// file is on the disk), the last time that failed; empty when it never did since
    /// this store was made.
    QString folderSyncError() const { return m_folderError; }

    bool keyExists(const QString &key) const;
    /// Creates the key and any missing key above it; true when it exists afterwards.
    bool createKey(const QString &key);
    /// Deletes a key that has no subkeys (with recursive, the key and everything
    /// below it). A root cannot be deleted.
    bool deleteKey(const QString &key, bool recursive = false);
    /// Names of the direct subkeys, in case-insensitive order.
    QStringList subKeys(const QString &key) const;

    std::optional<Value> value(const QString &key, const QString &name) const;
    /// Names and values of a key, in the order they were written.
    QList<std::pair<QString, Value>> values(const QString &key) const;
    /// Stores a value in an existing key; false when the key does not exist.
    bool setValue(const QString &key, const QString &name, const Value &value);
    bool deleteValue(const QString &key, const QString &name);

    static bool isRootName(const QString &name);

private:
    /// One line of a key's block: a value, or a line kept as it stands.
    struct Line {
        QByteArray raw;       // the line as read, without its end; empty for a new value
        bool isValue = false; // raw parsed as a value line
        QString name;
        Value value;
    };
    /// A "[key path]" line and the lines up to the next one. The lines before the
    /// first key, and a key whose path has no root name, are blocks that never match.
    struct Key {
        QStringList path; // empty: a block that never matches
        QByteArray header;
        QList<Line> lines;
        bool added = false; // made by this write
    };
    struct Tree {
        bool readable = true;
        QByteArray lineEnd = "\n";
        QList<Key> keys;
    };

    Tree load() const;
    bool save(const Tree &tree) const;
    static Key newKey(const QStringList &path);
    static bool parseValueLine(const QString &line, QString *name, Value *value);
    static QByteArray valueLine(const QString &name, const Value &value);
    static std::optional<QStringList> splitKey(const QString &key);
    static int findKey(const Tree &tree, const QStringList &path);
    static bool isBelow(const QStringList &path, const QStringList &ancestor);
    static bool exists(const Tree &tree, const QStringList &path);
    static QStringList spelled(const Tree &tree, const QStringList &path);

    QString m_path;
    mutable QString m_error;
    mutable QString m_folderError;
};
