#include "PlanBuilders.h"
#include "PlanDeleter.h"
#include "Recordset.h"
#include "TestDb.h"
#include "cDao.h"

#include <QSqlQuery>
#include <QtTest>

// Discarding a plan: its rows go from all seven tables at once, or, when one
// deletion fails, from none of them.
class tst_PlanDeleter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void deletesThePlanFromEveryTable();
    void failureKeepsEveryRow_data();
    void failureKeepsEveryRow();

private:
    /// Rows of the plan in each of the seven tables.
    QVector<int> counts(int id1, int id2) const;
    int count(const QString &table, const QString &where) const;

    std::unique_ptr<TestDb> m_db;
};

void tst_PlanDeleter::init()
{
    m_db = std::make_unique<TestDb>();
    QVERIFY(m_db->connectGlobal());
    // Plan 3 of property 40000 has rows in all seven tables: an apartment plan with
    // rent rows, loans and results, and a parking record under the same number.
    addProperty(40000);
    SampleApartment apartment = sampleApartment(40000, 3);
    apartment.rents = {SampleRent(), SampleRent()};
    addApartmentPlan(apartment);
    addParkingPlan(sampleParking(40000, 3, false));
    // Neighbours that must stay: another plan of the property, the same plan number
    // of another property, the store title and the work rows.
    apartment.id2 = 4;
    addApartmentPlan(apartment);
    addProperty(1);
    addParkingPlan(sampleParking(1, 3));
    addStorePlan(40000, 3, QStringLiteral("店舗"));
    QVERIFY(gDao().Execute(QStringLiteral("INSERT INTO W_家賃 SELECT * FROM D_家賃 WHERE ID1 = 40000")) == 4);
}

void tst_PlanDeleter::cleanup()
{
    releaseGlobals();
    m_db.reset();
}

int tst_PlanDeleter::count(const QString &table, const QString &where) const
{
    QSqlQuery q(gDao().CurrentDB());
    if (!q.exec(QStringLiteral("SELECT count(*) FROM ") + table + QStringLiteral(" WHERE ") + where) || !q.next())
        return -1;
    return q.value(0).toInt();
}

QVector<int> tst_PlanDeleter::counts(int id1, int id2) const
{
    QVector<int> n;
    for (const QString &table : PlanDeleter::tables())
        n << count(table, QStringLiteral("ID1 = %1 AND ID2 = %2").arg(id1).arg(id2));
    return n;
}

void tst_PlanDeleter::deletesThePlanFromEveryTable()
{
    // D_駐車場, D_賃貸マンション, D_家賃 (2 rows), D_借入金, then 75 rows per result table.
    QCOMPARE(counts(40000, 3), (QVector<int>{1, 1, 2, 1, 75, 75, 75}));
    const QVector<int> plan4 = counts(40000, 4);
    const QVector<int> otherProperty = counts(1, 3);
    PlanDeleter(gDao()).deletePlan(40000, 3);
    QCOMPARE(counts(40000, 3), QVector<int>(7, 0));
    QCOMPARE(counts(40000, 4), plan4);
    QCOMPARE(counts(1, 3), otherProperty);
    QCOMPARE(count(QStringLiteral("D_物件"), QStringLiteral("ID1 = 40000")), 1);
    QCOMPARE(count(QStringLiteral("D_店舗"), QStringLiteral("ID1 = 40000 AND ID2 = 3")), 1);
    QCOMPARE(count(QStringLiteral("W_家賃"), QStringLiteral("ID1 = 40000 AND ID2 = 3")), 2);
    QVERIFY(!gDao().inTransaction());
}

void tst_PlanDeleter::failureKeepsEveryRow_data()
{
    QTest::addColumn<QString>("table");
    for (const QString &table : PlanDeleter::tables())
        QTest::newRow(qPrintable(table)) << table;
}

void tst_PlanDeleter::failureKeepsEveryRow()
{
    QFETCH(QString, table);
    QVERIFY(gDao().Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON %1 "
                                          "BEGIN SELECT RAISE(ABORT, 'locked'); END")
                               .arg(table)) >= 0);
    const QVector<int> before = counts(40000, 3);
    QString error;
    QString engine;
    try {
        PlanDeleter(gDao()).deletePlan(40000, 3);
    } catch (const DaoError &e) {
        error = e.text();
        engine = e.engineText();
    }
    // The table in front; the engine's words (the trigger's) stay with the error.
    QCOMPARE(error, table + QStringLiteral(": データベースの制約に違反するため、処理できません。"));
    QVERIFY2(engine.contains(QStringLiteral("locked")), qPrintable(engine));
    QCOMPARE(counts(40000, 3), before);
    QVERIFY(!gDao().inTransaction());
}

QTEST_GUILESS_MAIN(tst_PlanDeleter)
#include "tst_PlanDeleter.moc"
