#include "TestDb.h"

#include "DbBuilder.h"
#include "Globals.h"
#include "cDao.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QUuid>

#include <sqlite3.h>

TestDb::TestDb()
{
    m_path = m_dir.filePath(QStringLiteral("DB/Vanrek.mdb"));
    m_ok = m_dir.isValid() && createTestDatabase(m_path, &m_error);
}

bool TestDb::connectGlobal(int busyTimeoutMs)
{
    gDao().setBusyTimeout(busyTimeoutMs);
    return m_ok && gDao().Connect(m_path, false);
}

bool createTestDatabase(const QString &path, QString *error)
{
    return DbBuilder::create(path, QStringLiteral(VANREK_DB_SQL_DIR), error);
}

namespace
{

// The page size of the closed file at path and the first page of the table's rows; 0 when unknown.
qint64 tableRoot(const QString &path, const QString &table, qint64 *pageSize)
{
    qint64 rootPage = 0;
    *pageSize = 0;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA page_size")) && q.next())
                *pageSize = q.value(0).toLongLong();
            q.prepare(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE type = 'table' AND name = ?"));
            q.addBindValue(table);
            if (q.exec() && q.next())
                rootPage = q.value(0).toLongLong();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rootPage;
}

quint32 bigEndian(const QByteArray &bytes, qint64 at, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = value << 8 | quint8(bytes.at(at + i));
    return value;
}

} // namespace

bool damageTable(const QString &path, const QString &table)
{
    qint64 pageSize = 0;
    const qint64 rootPage = tableRoot(path, table, &pageSize);
    QFile file(path);
    // Page 1 holds the file header; a table's rows never start there.
    if (pageSize <= 0 || rootPage < 2 || !file.open(QIODevice::ReadWrite) || !file.seek((rootPage - 1) * pageSize))
        return false;
    return file.write(QByteArray(8, char(0xff))) == 8;
}

bool damageLeaf(const QString &path, const QString &table, LeafDamage how)
{
    qint64 pageSize = 0;
    const qint64 root = tableRoot(path, table, &pageSize);
    qint64 page = root;
    QFile file(path);
    if (pageSize <= 0 || root < 2 || !file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray bytes = file.readAll();
    const auto header = [pageSize](qint64 p) { return (p - 1) * pageSize + (p == 1 ? 100 : 0); };
    // Down the first child of each interior page (type 5) to the first leaf (type 13).
    while (header(page) < bytes.size() && bytes.at(header(page)) == 5) {
        const qint64 firstCell = (page - 1) * pageSize + bigEndian(bytes, header(page) + 12, 2);
        page = bigEndian(bytes, firstCell, 4);
    }
    const qint64 leaf = header(page);
    if (page == root || page < 2 || leaf >= bytes.size() || bytes.at(leaf) != 13)
        return false; // the rows fill one page only
    if (how == LeafDamage::Header)
        return file.seek(leaf) && file.write(QByteArray(8, char(0xff))) == 8;
    const quint32 cells = bigEndian(bytes, leaf + 3, 2) / 2;
    const char count[2] = {char(cells >> 8), char(cells & 0xff)};
    return file.seek(leaf + 3) && file.write(count, 2) == 2;
}

void failMaxOnTheConnection()
{
    const QVariant handle = gDao().CurrentDB().driver()->handle();
    sqlite3 *db = *static_cast<sqlite3 *const *>(handle.data());
    // An aggregate of the connection's own takes the place of the engine's built-in one.
    sqlite3_create_function(
        db, "max", 1, SQLITE_UTF8, nullptr, nullptr,
        [](sqlite3_context *context, int, sqlite3_value **) { sqlite3_result_error_code(context, SQLITE_BUSY); },
        [](sqlite3_context *context) { sqlite3_result_error_code(context, SQLITE_BUSY); });
}
