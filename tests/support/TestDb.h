#pragma once

#include <QString>
#include <QTemporaryDir>

/// A fresh database built from db/ in a temporary folder that disappears with the
/// fixture. connectGlobal() points the program's one connection (gDao) at it.
class TestDb
{
public:
    TestDb();
    bool isValid() const { return m_ok; }
    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }
    QString error() const { return m_error; }
    /// Connects gDao to the fixture; a write lock held elsewhere fails after busyTimeoutMs.
    bool connectGlobal(int busyTimeoutMs = 200);

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_error;
    bool m_ok = false;
};

/// Makes every MAX() on the program's open connection fail with the engine's busy code, as
/// while another program holds the database, until the connection closes; other statements
/// go on as before.
void failMaxOnTheConnection();

/// Creates a database file from db/ at `path` (which must not exist yet).
bool createTestDatabase(const QString &path, QString *error = nullptr);

/// Damages the closed database file at `path` as a disk fault would: the header of the
/// first page of the table's rows is overwritten, so that the engine reports the file
/// malformed whenever those rows are read, while its schema still reads.
bool damageTable(const QString &path, const QString &table);

/// How damageLeaf damages a page.
enum class LeafDamage {
    Header,     ///< overwritten: a scan of the table fails "malformed", a seek to another page does not
    HalvedCells ///< its cell count halved: the engine's check reports the page, while a scan
                ///< returns the rows past the new count no more, without an error
};
/// Damages the first leaf page of the table's rows in the closed file at `path`, as a disk
/// fault would. The rows must fill several pages.
bool damageLeaf(const QString &path, const QString &table, LeafDamage how);
