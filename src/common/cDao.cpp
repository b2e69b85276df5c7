#include "cDao.h"

#include "JetSql.h"
#include "MsgBox.h"
#include "VbRuntime.h"
#include <algorithm>
#include <utility>

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>

#include <sqlite3.h>

namespace
{

QString uriFor(const QString &path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           QStringLiteral("?mode=rw");
}

QSqlDatabase openUri(const QString &name, const QString &path, int busyTimeoutMs)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(uriFor(path));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    return db;
}

// The engine's connection under Qt's driver. Calls into it go through this program's
// own sqlite3 library, so that must be the library the driver runs on: a second copy
// of the engine would not know the handle.
sqlite3 *driverHandle(const QSqlDatabase &db, QString *error)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    sqlite3 *engine = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
                          ? *static_cast<sqlite3 *const *>(handle.constData())
                          : nullptr;
    if (!engine) {
        *error = QStringLiteral("データベースエンジンの接続を取得できません。(%1)")
                     .arg(QString::fromLatin1(handle.typeName()));
        return nullptr;
    }
    QSqlQuery q(db);
    const QString driverSource =
        q.exec(QStringLiteral("SELECT sqlite_source_id()")) && q.next() ? q.value(0).toString() : QString();
    if (driverSource != QString::fromLatin1(sqlite3_sourceid())) {
        *error = QStringLiteral("データベースエンジンのライブラリが一致しません。(%1 / %2)")
                     .arg(driverSource, QString::fromLatin1(sqlite3_sourceid()));
        return nullptr;
    }
    return engine;
}

QVariant fieldValue(const QSqlQuery &q, int i)
{
    const QVariant v = q.value(i);
    return v.isNull() ? vb::null() : v;
}

} // namespace

cDao::cDao() : m_connection(QStringLiteral("vanrek-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

cDao::~cDao()
{
    Disconnect();
}

void cDao::setBusyTimeout(int ms)
{
    m_busyTimeoutMs = std::max(0, ms);
    if (m_open)
        QSqlQuery(CurrentDB()).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(m_busyTimeoutMs));
}

bool cDao::Connect(const QString &path, bool exclusive)
{
    Q_UNUSED(exclusive) // the file is always opened shared; SQLite locks per statement
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile()) {
        keepConnectFailure(QStringLiteral("データベース %1 が見つかりません。").arg(path), QSqlError());
        return false;
    }
    if (fi.size() == 0 || !fi.isReadable() || !fi.isWritable()) {
        keepConnectFailure(QStringLiteral("データベース %1 を読み書きできません。").arg(path), QSqlError());
        return false;
    }
    const QString name = m_connection + QStringLiteral("-try");
    bool ok = false;
    {
        QSqlDatabase db = openUri(name, path, m_busyTimeoutMs);
        if (db.open()) {
            // Opening is lazy: make the engine read the file so a corrupt one fails here.
            QSqlQuery q(db);
            ok = q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) && q.next() && q.value(0).toInt() > 0;
            if (!ok)
                keepConnectFailure(QStringLiteral("データベース %1 を開けません。").arg(path), q.lastError());
            q.finish();
            ok = ok && probeWrite(db, path);
        } else {
            keepConnectFailure(QStringLiteral("データベース %1 を開けません。").arg(path), db.lastError());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok)
        return false;
    // A database that was open before is replaced.
    Disconnect();
    {
        QSqlDatabase db = openUri(m_connection, path, m_busyTimeoutMs);
        if (!db.open()) {
            keepConnectFailure(QStringLiteral("データベース %1 を開けません。").arg(path), db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connection);
            return false;
        }
        QString refused;
        m_handle = driverHandle(db, &refused);
        if (!m_handle) {
            keepConnectFailure(refused, QSqlError());
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connection);
            return false;
        }
    }
    m_path = fi.absoluteFilePath();
    m_open = true;
    m_depth = 0;
    m_lostDepth = 0;
    return true;
}

// A file the engine could only open for reading, or whose folder takes no journal
// file, opens and reads well and fails at the first registration. Rewriting one
// header value inside a transaction that is rolled back makes the engine lock the
// file for writing and create its journal, and leaves the file as it was.
bool cDao::probeWrite(const QSqlDatabase &db, const QString &path)
{
    QSqlQuery q(db);
    QSqlError failure;
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        failure = q.lastError();
    } else {
        int version = 0;
        if (q.exec(QStringLiteral("PRAGMA user_version")) && q.next())
            version = q.value(0).toInt();
        q.finish();
        if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(version)))
            failure = q.lastError();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    }
    if (!failure.isValid())
        return true;
    keepConnectFailure(QStringLiteral("データベース %1 に書き込めません。").arg(path), failure);
    return false;
}

QVariant cDao::Disconnect()
{
    if (m_open) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            if (m_depth > 0)
                db.rollback();
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
        m_open = false;
        m_depth = 0;
        m_lostDepth = 0;
        m_handle = nullptr;
        m_path.clear();
    }
    return QVariant();
}

QSqlDatabase cDao::CurrentDB() const
{
    return m_open ? QSqlDatabase::database(m_connection, false) : QSqlDatabase();
}

void cDao::control(const QString &sql)
{
    QSqlQuery q = statement();
    if (!q.exec(sql))
        fail(q.lastError());
}

bool cDao::inTransaction() const
{
    return m_depth > 0 && !(m_handle && sqlite3_get_autocommit(m_handle));
}

// After a full disk or an I/O error the engine may have rolled the whole transaction
// back by itself, whatever statement failed (ours, the plan forms' or the result
// writer's): the connection, not our count, says whether one is open.
void cDao::followConnection()
{
    if (m_depth > 0 && !inTransaction()) {
        m_lostDepth += m_depth;
        m_depth = 0;
    }
}

// Nested calls become savepoints, so an inner rollback undoes only its own work.
void cDao::BeginTrans()
{
    followConnection();
    control(m_depth == 0 ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT vanrek_%1").arg(m_depth));
    ++m_depth;
}

void cDao::CommitTrans()
{
    followConnection();
    if (m_depth == 0 && m_lostDepth > 0)
        throw DaoError(QStringLiteral("トランザクションはデータベースエンジンによってロールバックされました。"));
    if (m_depth == 0)
        throw DaoError(QStringLiteral("BeginTrans を実行せずに CommitTrans を実行しました。"));
    control(m_depth == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE vanrek_%1").arg(m_depth - 1));
    --m_depth;
}

void cDao::RollbackTrans()
{
    followConnection();
    if (m_depth == 0 && m_lostDepth > 0) {
        --m_lostDepth; // the engine has undone this level already
        return;
    }
    if (m_depth == 0)
        throw DaoError(QStringLiteral("BeginTrans を実行せずに Rollback を実行しました。"));
    if (m_depth == 1) {
        control(QStringLiteral("ROLLBACK"));
    } else {
        const QString sp = QStringLiteral("vanrek_%1").arg(m_depth - 1);
        control(QStringLiteral("ROLLBACK TO ") + sp);
        control(QStringLiteral("RELEASE ") + sp);
    }
    --m_depth;
}

void cDao::requireOpen()
{
    if (m_open)
        return;
    // Kept like a failed statement's reason, so that no earlier failure's is shown for it.
    const DaoError error(QStringLiteral("データベースが開かれていません。"));
    keep(error);
    throw error;
}

QSqlQuery cDao::statement()
{
    requireOpen();
    QSqlQuery q(CurrentDB());
    q.setForwardOnly(true);
    return q;
}

void cDao::keep(const DaoError &error)
{
    m_lastError = error.text();
    m_lastEngineError = error.engineText();
    m_lastCode = error.engineCode();
}

void cDao::keepConnectFailure(const QString &what, const QSqlError &error)
{
    // Whether the file is damaged is for the statements and the compaction to say.
    const bool engine = error.isValid();
    m_lastError = engine ? what + DaoError::engineFailureText(error.nativeErrorCode().toInt()) : what;
    m_lastEngineError = engine ? error.text() : QString();
}

void cDao::fail(const QString &engineText, int engineCode)
{
    const DaoError error = DaoError::fromEngine(engineCode, engineText);
    keep(error);
    followConnection();
    throw error;
}

void cDao::fail(const QSqlError &error)
{
    fail(error.text(), error.nativeErrorCode().toInt());
}

void cDao::run(QSqlQuery &q, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &v = values.at(i);
        q.bindValue(i, vb::isNull(v) || vb::isEmpty(v) ? QVariant() : v);
    }
    if (!q.exec())
        fail(q.lastError());
}

DaoRows cDao::rowsOf(QSqlQuery &q)
{
    const QSqlRecord rec = q.record();
    QStringList names;
    for (int i = 0; i < rec.count(); ++i)
        names << rec.fieldName(i);
    QVector<QVector<QVariant>> rows;
    while (q.next()) {
        QVector<QVariant> row(rec.count());
        for (int i = 0; i < rec.count(); ++i)
            row[i] = fieldValue(q, i);
        rows.append(std::move(row));
    }
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        fail(error);
    return DaoRows(std::move(names), std::move(rows));
}

qint64 cDao::totalChanges() const
{
    return m_handle ? sqlite3_total_changes64(m_handle) : -1;
}

// The engine's count of affected rows stays at the last statement that changed rows;
// a query or a table definition changes none, which shows as an unchanged running
// total of changes on the connection.
int cDao::changesSince(qint64 totalBefore) const
{
    return totalChanges() == totalBefore ? 0 : sqlite3_changes(m_handle);
}

DaoRows cDao::query(const QString &sql, const QVariantList &values)
{
    QSqlQuery q = statement();
    if (!q.prepare(sql))
        fail(q.lastError());
    run(q, values);
    return rowsOf(q);
}

int cDao::exec(const QString &sql, const QVariantList &values)
{
    QSqlQuery q = statement();
    if (!q.prepare(sql))
        fail(q.lastError());
    const qint64 before = totalChanges();
    run(q, values);
    const int changed = changesSince(before);
    q.finish();
    return changed;
}

// The one statement of the program that goes past Qt's driver: the engine's own
// handle of the connection (see m_handle), for the speed of the result rows.
DaoStatement cDao::prepare(const QString &sql)
{
    requireOpen();
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare16_v2(m_handle, sql.utf16(), int(sql.size() * sizeof(char16_t)), &st, nullptr) != SQLITE_OK) {
        const QString failure = engineMessage();
        const int code = sqlite3_extended_errcode(m_handle);
        sqlite3_finalize(st);
        fail(failure, code);
    }
    return DaoStatement(*this, st);
}

QString cDao::engineMessage() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_handle));
}

DaoStatement::DaoStatement(DaoStatement &&other) noexcept
    : m_dao(other.m_dao), m_statement(std::exchange(other.m_statement, nullptr))
{
}

DaoStatement &DaoStatement::operator=(DaoStatement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_statement);
        m_dao = other.m_dao;
        m_statement = std::exchange(other.m_statement, nullptr);
    }
    return *this;
}

DaoStatement::~DaoStatement()
{
    sqlite3_finalize(m_statement);
}

void DaoStatement::bind(int index, std::optional<int> value)
{
    if (value)
        sqlite3_bind_int(m_statement, index + 1, *value);
    else
        sqlite3_bind_null(m_statement, index + 1);
}

void DaoStatement::bind(int index, const QVariant &value)
{
    const int n = index + 1;
    if (vb::isNull(value) || vb::isEmpty(value)) {
        sqlite3_bind_null(m_statement, n);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Bool:
        sqlite3_bind_int64(m_statement, n, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(m_statement, n, value.toDouble());
        break;
    default: {
        const QString text = value.toString();
        sqlite3_bind_text16(m_statement, n, text.utf16(), int(text.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
    }
    }
}

int DaoStatement::exec()
{
    const qint64 before = m_dao->totalChanges();
    const int rc = sqlite3_step(m_statement);
    const bool failed = rc != SQLITE_DONE && rc != SQLITE_ROW;
    const QString failure = failed ? m_dao->engineMessage() : QString();
    // Reset at once: the statement holds no lock between runs and takes new values.
    sqlite3_reset(m_statement);
    if (failed)
        m_dao->fail(failure, rc);
    return m_dao->changesSince(before);
}

int DaoStatement::exec(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i, values.at(i));
    return exec();
}

std::unique_ptr<Recordset> cDao::OpenRecordset(const QString &sql, int, int, int)
{
    try {
        return std::make_unique<Recordset>(query(JetSql::toSqlite(sql)));
    } catch (const DaoError &) {
        return nullptr; // the reason is in lastError(), also when no connection is open
    }
}

int cDao::Execute(const QString &sql, int)
{
    try {
        return exec(JetSql::toSqlite(sql));
    } catch (const DaoError &) {
        return -1; // the reason is in lastError(), also when no connection is open
    }
}

bool cDao::DeleteTableData(const QString &table)
{
    BeginTrans();
    if (Execute(QStringLiteral("DELETE FROM ") + table, 672) >= 0) {
        CommitTrans();
        return true;
    }
    RollbackTrans();
    return false;
}

int cDao::RecordCount(Recordset *rs)
{
    return rs ? rs->RecordCount() : 0;
}

bool cDao::IsRecordsetReady(Recordset *rs)
{
    return rs && !rs->isBOF() && !rs->isEOF();
}

QVariant cDao::Lookup(const QString &table, const QString &field, const QString &condition, bool *ok)
{
    QString sql = QStringLiteral("SELECT ") + field + QStringLiteral(" FROM ") + table;
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition;
    auto rs = OpenRecordset(sql, dbOpenDynaset, dbReadOnly, dbReadOnly);
    if (ok)
        *ok = rs != nullptr;
    QVariant result = vb::null();
    if (rs && !rs->isEOF())
        result = rs->Fields(0);
    return result;
}

QVariant cDao::lookupOrThrow(const QString &table, const QString &field, const QString &condition)
{
    bool read = false;
    const QVariant value = Lookup(table, field, condition, &read);
    if (!read)
        throw DaoError(m_lastError, m_lastCode, m_lastEngineError);
    return value;
}

bool cDao::isOpenFile(const QString &path) const
{
    return m_open && QFileInfo(path).absoluteFilePath() == m_path;
}

namespace
{

// The first finding of a check's answer, without the heading that names the database.
QString firstFinding(const QString &answer)
{
    const QStringList lines = answer.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines)
        if (!line.startsWith(QLatin1String("*** in database ")))
            return line;
    return answer;
}

DaoError engineFailure(const QSqlError &error)
{
    return DaoError::fromEngine(error.nativeErrorCode().toInt(), error.text());
}

// Runs sql; false with the failure when it fails or, for a check, answers anything but
// "ok": such an answer counts as a damaged file, the finding as the engine's words.
bool runChecked(QSqlQuery &q, const QString &sql, DaoError *error)
{
    if (!q.exec(sql)) {
        *error = engineFailure(q.lastError());
        return false;
    }
    if (q.isSelect() && q.next() && q.value(0).toString() != QLatin1String("ok")) {
        *error = DaoError::fromEngine(SQLITE_CORRUPT, firstFinding(q.value(0).toString()));
        return false;
    }
    return true;
}

} // namespace

bool cDao::runOnFile(const QString &path, const QString &sql, DaoError *error)
{
    if (isOpenFile(path)) {
        QSqlQuery q(CurrentDB());
        return runChecked(q, sql, error);
    }
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile()) {
        *error = DaoError(QStringLiteral("ファイル '%1' が見つかりません。").arg(path));
        return false;
    }
    const QString name = m_connection + QStringLiteral("-maint");
    bool ok = false;
    {
        QSqlDatabase db = openUri(name, path, m_busyTimeoutMs);
        if (db.open()) {
            QSqlQuery q(db);
            ok = runChecked(q, sql, error);
        } else {
            *error = engineFailure(db.lastError());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool cDao::CompactDatabase(const QString &path)
{
    // VACUUM rewrites the file through the engine itself, so the open connection
    // stays valid and the file is never deleted or replaced behind its back.
    followConnection();
    m_lastCode = 0;
    if (m_depth > 0) {
        keep(DaoError(QStringLiteral("トランザクションの実行中は最適化できません。")));
        return false;
    }
    // A damaged file is left as it is: VACUUM copies only the rows a scan still reaches, so
    // it would make the damage final and erase what a repair could recover.
    DaoError error{QString()};
    if (runOnFile(path, QStringLiteral("PRAGMA quick_check"), &error) &&
        runOnFile(path, QStringLiteral("VACUUM"), &error))
        return true;
    keep(error);
    return false;
}

bool cDao::RepairDatabase(const QString &path)
{
    DaoError error{QString()};
    if (runOnFile(path, QStringLiteral("PRAGMA integrity_check"), &error))
        return true;
    MsgBox::show(QStringLiteral("Error:%1\r%2").arg(11).arg(error.text()), MsgBox::Critical | MsgBox::OKOnly,
                 QStringLiteral("Database Repair Error"));
    return false;
}

bool cDao::RepairCompactDatabase(const QString &path)
{
    return RepairDatabase(path) && CompactDatabase(path);
}

bool cDao::ConnectLinkTable(const QString &table, const QString &, const QString &, const QString &)
{
    // This engine has no linked tables: an existing table needs no relinking.
    if (m_open && CurrentDB().tables().contains(table, Qt::CaseInsensitive))
        return true;
    MsgBox::show(QStringLiteral("このコレクションには項目がありません。"), MsgBox::Critical | MsgBox::OKOnly,
                 QStringLiteral("ConnectLinkTable"));
    return false;
}
