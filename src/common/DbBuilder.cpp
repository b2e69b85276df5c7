#include "DbBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace DbBuilder
{

QStringList splitStatements(const QString &script)
{
    QStringList out;
    QString cur;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script.at(i);
        if (c == QLatin1Char('-') && i + 1 < n && script.at(i + 1) == QLatin1Char('-')) {
            while (i < n && script.at(i) != QLatin1Char('\n'))
                ++i;
            cur += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < n && script.at(j) != c)
                ++j;
            cur += script.mid(i, j - i + 1);
            i = j;
            continue;
        }
        if (c == QLatin1Char(';')) {
            if (!cur.trimmed().isEmpty())
                out << cur.trimmed();
            cur.clear();
            continue;
        }
        cur += c;
    }
    if (!cur.trimmed().isEmpty())
        out << cur.trimmed();
    return out;
}

bool create(const QString &path, const QString &sqlDir, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (QFileInfo::exists(path))
        return fail(QStringLiteral("%1 exists already").arg(path));
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Build into a temporary name and rename at the end, so a failed run leaves nothing.
    const QString temp = path + QStringLiteral(".part");
    QFile::remove(temp);
    const QString conn = QStringLiteral("dbbuilder-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn);
        db.setDatabaseName(temp);
        if (!db.open()) {
            why = db.lastError().text();
        } else {
            QSqlQuery q(db);
            q.exec(QStringLiteral("BEGIN"));
            for (const char *name : {"schema.sql", "masters.sql"}) {
                QFile f(QDir(sqlDir).filePath(QLatin1String(name)));
                if (!f.open(QIODevice::ReadOnly)) {
                    why = QStringLiteral("cannot read %1").arg(f.fileName());
                    break;
                }
                for (const QString &stmt : splitStatements(QString::fromUtf8(f.readAll()))) {
                    if (!q.exec(stmt)) {
                        why = QStringLiteral("%1: %2\n%3").arg(QLatin1String(name), q.lastError().text(), stmt);
                        break;
                    }
                }
                if (!why.isEmpty())
                    break;
            }
            if (why.isEmpty() && !q.exec(QStringLiteral("COMMIT")))
                why = q.lastError().text();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(conn);
    if (!why.isEmpty()) {
        QFile::remove(temp);
        return fail(why);
    }
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        return fail(QStringLiteral("cannot rename %1 to %2").arg(temp, path));
    }
    return true;
}

} // namespace DbBuilder
