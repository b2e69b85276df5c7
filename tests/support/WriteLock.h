#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

/// While it lives, a second connection holds the database's exclusive lock, as
/// another program that ran "BEGIN EXCLUSIVE" would: every read and write of the
/// program's connection then fails after its busy timeout.
class WriteLock
{
public:
    explicit WriteLock(const QString &path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName);
        db.setDatabaseName(path);
        m_held = db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    ~WriteLock() { release(); }
    WriteLock(const WriteLock &) = delete;
    WriteLock &operator=(const WriteLock &) = delete;

    bool isHeld() const { return m_held; }
    void release()
    {
        if (!QSqlDatabase::contains(kName))
            return;
        {
            QSqlDatabase db = QSqlDatabase::database(kName, false);
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
        QSqlDatabase::removeDatabase(kName);
        m_held = false;
    }

private:
    static inline const QString kName = QStringLiteral("writeLock");
    bool m_held = false;
};
