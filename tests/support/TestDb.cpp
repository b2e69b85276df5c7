#include "TestDb.h"

#include "DbBuilder.h"
#include "Globals.h"
#include "cDao.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

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

bool damageTable(const QString &path, const QString &table)
{
    qint64 pageSize = 0;
    qint64 rootPage = 0;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA page_size")) && q.next())
                pageSize = q.value(0).toLongLong();
            q.prepare(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE type = 'table' AND name = ?"));
            q.addBindValue(table);
            if (q.exec() && q.next())
                rootPage = q.value(0).toLongLong();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    QFile file(path);
    // Page 1 holds the file header; a table's rows never start there.
    if (pageSize <= 0 || rootPage < 2 || !file.open(QIODevice::ReadWrite) || !file.seek((rootPage - 1) * pageSize))
        return false;
    return file.write(QByteArray(8, char(0xff))) == 8;
}
