#include "DbFixture.h"

#include "ErrorTrap.h"
#include "Globals.h"
#include "MsgBox.h"
#include "ShownBoxes.h"
#include "TestFiles.h"
#include "cDao.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

bool DbFixture::setUp()
{
    clearShownBoxes();
    MsgBox::setAutoAnswer(true);
    m_db = std::make_unique<TestDb>();
    return m_db->connectGlobal();
}

void DbFixture::tearDown()
{
    gDao().Disconnect();
    m_db.reset();
}

QString DbFixture::iniPath() const
{
    return QDir(folder()).filePath(QStringLiteral("Vanrek.ini"));
}

bool DbFixture::writeIni(const QByteArray &text) const
{
    return writeFileBytes(iniPath(), text);
}

QString DbFixture::iniText() const
{
    return QString::fromUtf8(fileBytes(iniPath()));
}

void execSql(const QString &sql)
{
    QSqlQuery q(gDao().CurrentDB());
    QVERIFY2(q.exec(sql), qPrintable(sql + QStringLiteral(": ") + q.lastError().text()));
}

bool runSql(const QString &sql)
{
    QSqlQuery q(gDao().CurrentDB());
    if (q.exec(sql))
        return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return false;
}

QStringList queryRowList(const QString &sql)
{
    QSqlQuery q(gDao().CurrentDB());
    if (!q.exec(sql))
        return {QStringLiteral("error: ") + q.lastError().text()};
    QStringList out;
    while (q.next()) {
        QStringList fields;
        for (int i = 0; i < q.record().count(); ++i)
            fields << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
        out << fields.join(QLatin1Char('|'));
    }
    return out;
}

QString queryRows(const QString &sql)
{
    return queryRowList(sql).join(QLatin1Char(';'));
}

ErrLogRecorder::ErrLogRecorder()
{
    setErrLogWriter([this](const QString &message, const QString &object, const QString &procedure) {
        m_lines << object + QLatin1Char('|') + procedure + QLatin1Char('|') + message;
    });
}

ErrLogRecorder::~ErrLogRecorder()
{
    setErrLogWriter(nullptr);
}
