#pragma once

#include "DaoStatement.h"
#include "Recordset.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>

#include <memory>

struct sqlite3;

/// The one connection of the program to its database file, and the one way to it.
/// The program's own statements go through query(), exec() and prepare(): SQLite's
/// text with bound values, failures thrown as DaoError. The members the original
/// program calls by name are a thin front over them, with its results: a failed
/// query gives no record set, a failed statement -1, a look-up null, a connection
/// false; those statements are written in the original engine's dialect and
/// translated (JetSql). Transaction calls throw DaoError.
class cDao
{
public:
    // Values the callers pass, kept for the record-set and statement calls.
    enum { dbOpenDynaset = 2, dbReadOnly = 4, dbOptimistic = 3, dbInconsistent = 16, dbFailOnError = 128 };

    cDao();
    ~cDao();
    cDao(const cDao &) = delete;
    cDao &operator=(const cDao &) = delete;

    /// Opens an existing database file for reading and writing; false, with nothing
    /// created or changed and the reason in lastError(), when the file is missing,
    /// empty, not a database, or cannot be written (a read-only file, a folder that
    /// takes no journal file, a lock held by another writer), or when the engine library
    /// of this program is not the one under Qt's driver (see m_handle).
    bool Connect(const QString &path, bool exclusive = false);
    QVariant Disconnect();
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    void Refresh() {}
    std::unique_ptr<Recordset> OpenRecordset(const QString &sql, int type = dbOpenDynaset, int options = dbReadOnly,
                                             int lock = dbReadOnly);
    /// Rows affected, or -1 when the statement fails.
    int Execute(const QString &sql, int options = dbFailOnError);
    bool DeleteTableData(const QString &table);
    int RecordCount(Recordset *rs);
    /// Checks the file with the engine's integrity check; a failure shows "Database Repair Error".
    bool RepairDatabase(const QString &path);
    /// Compacts the file in place (VACUUM). Refused, changing nothing, while a transaction is open
    /// or when the engine's check does not find the file sound. A failure leaves its reason in
    /// lastError() (and whether the file is damaged in lastErrorIsDamage()).
    bool CompactDatabase(const QString &path);
    bool RepairCompactDatabase(const QString &path);
    bool ConnectLinkTable(const QString &table, const QString &source, const QString &type, const QString &target);
    QSqlDatabase CurrentDB() const;
    /// First field of the first row of "SELECT field FROM table [WHERE condition]"; null when none,
    /// and also when the statement fails. ok, when given, tells the two apart: false when the
    /// statement failed (the reason in lastError()).
    QVariant Lookup(const QString &table, const QString &field, const QString &condition = QString(),
                    bool *ok = nullptr);
    /// Lookup for a caller that must not go on from a failed statement: null only when no row
    /// matched; a failure throws DaoError with the engine's code and words.
    QVariant lookupOrThrow(const QString &table, const QString &field, const QString &condition = QString());
    bool IsRecordsetReady(Recordset *rs);

    /// The rows of a query of the program: SQLite's text with a "?" for each value,
    /// bound in order (a null or empty variant binds NULL). Throws DaoError with the
    /// engine's message, which also stays in lastError().
    DaoRows query(const QString &sql, const QVariantList &values = {});
    /// Runs an action statement of the program, as query() does; the rows it changed
    /// (0 for a statement that changes none, such as a table definition).
    int exec(const QString &sql, const QVariantList &values = {});
    /// A statement prepared once to run many times; throws DaoError when it cannot be.
    DaoStatement prepare(const QString &sql);

    /// How long a statement waits for another process's write lock before it fails
    /// (5 s unless set; tests set it short so a held lock fails at once).
    void setBusyTimeout(int ms);
    int busyTimeout() const { return m_busyTimeoutMs; }

    bool isConnected() const { return m_open; }
    /// True while a transaction begun here is open on the connection. The engine may
    /// end one by itself after a failed statement (a full disk or an I/O error rolls it
    /// back); from then on this is false, a commit of it throws, and a rollback of
    /// each of its levels has nothing left to undo.
    bool inTransaction() const;
    QString databasePath() const { return m_path; }
    /// Why the last connection or statement failed, in the user's words (a failure of the
    /// engine as DaoError::fromEngine tells it).
    QString lastError() const { return m_lastError; }
    /// The engine's own words for that failure; empty when the engine gave none.
    QString lastEngineError() const { return m_lastEngineError; }
    /// Both, as the error log keeps them (DaoError::logText).
    QString lastErrorLogText() const { return DaoError::logText(m_lastError, m_lastEngineError); }
    /// Whether the last failed statement or compaction found the file damaged (see
    /// DaoError::isDamage); a failed connection does not set it.
    bool lastErrorIsDamage() const { return DaoError::isDamageCode(m_lastCode); }

private:
    friend class DaoStatement;
    /// Throws DaoError, kept as the last error, when no connection is open.
    void requireOpen();
    /// A query on the connection; throws DaoError when none is open.
    QSqlQuery statement();
    /// Binds the values and runs q; throws DaoError when it fails.
    void run(QSqlQuery &q, const QVariantList &values);
    /// The rows a query that ran gives, read to the end.
    DaoRows rowsOf(QSqlQuery &q);
    /// The rows the statement that just ran changed: the engine's count, or 0 when the
    /// running total of changes of the connection did not move from totalBefore.
    int changesSince(qint64 totalBefore) const;
    qint64 totalChanges() const;
    /// Keeps the engine's failure for lastError(), follows the connection's
    /// transaction state and throws it as a DaoError.
    [[noreturn]] void fail(const QString &engineText, int engineCode);
    [[noreturn]] void fail(const QSqlError &error);
    /// Makes the error the last one (lastError, lastEngineError, lastErrorIsDamage).
    void keep(const DaoError &error);
    /// A connection that failed: what, then the user's words for the engine's error, if any.
    void keepConnectFailure(const QString &what, const QSqlError &error);
    QString engineMessage() const;
    bool isOpenFile(const QString &path) const;
    bool probeWrite(const QSqlDatabase &db, const QString &path);
    /// Runs sql on the file (through the connection when it is the open one); false, with
    /// the failure in *error, when it fails or, for a check, finds the file damaged.
    bool runOnFile(const QString &path, const QString &sql, DaoError *error);
    void control(const QString &sql);
    void followConnection();

    QString m_connection;
    QString m_path;
    QString m_lastError;
    QString m_lastEngineError;
    int m_lastCode = 0;
    bool m_open = false;
    int m_depth = 0;
    int m_lostDepth = 0; ///< levels the engine rolled back that are still to be rolled back here
    /// The engine's own handle of the connection, for work that goes past Qt's driver
    /// (the prepared statements, the transaction state); null when not connected. The
    /// one place the program takes it: Connect checks that the handle is the driver's
    /// sqlite3 connection and that this program's sqlite3 library is the very one the
    /// driver runs on.
    sqlite3 *m_handle = nullptr;
    int m_busyTimeoutMs = 5000;
};
