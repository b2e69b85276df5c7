// Times the registration of a parking plan with 3 loans, from the click on the
// register button to the committed transaction, on a database of 100 properties x
// 20 plans, against inserting the same rows (225 result rows, 3 loans, the plan
// record) with prepared statements of the bare SQLite C API in one transaction.
#include "ImNumber.h"
#include "MsgBox.h"
#include "RegistrationBench.h"
#include "TestDb.h"
#include "frmInputParking.h"
#include "mdlMain.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace
{

constexpr int kProperties = 100;
constexpr int kPlans = 20;

using bench::exec;

const bench::ResultColumns kColumns = {"ID1,ID2,年,収入1,収入計,支出1,支出2,支出3,支出計,累計",
                                       "ID1,ID2,年,収入1,収入計,支出1,支出2,支出3,支出計"};

// Three stored loans of each plan, so every form opens with its loan grid full.
void addLoans(sqlite3 *db)
{
    exec(db, QStringLiteral("BEGIN"));
    for (int id1 = 1; id1 <= kProperties; ++id1)
        for (int id2 = 1; id2 <= kPlans; ++id2)
            exec(db, QStringLiteral("INSERT INTO D_借入金 VALUES (%1,%2,1,'銀行',3000,0,1,9,2.5,10,20,3.1,20),"
                                    "(%1,%2,2,'信用金庫',2000,1,1,15,1.8,NULL,NULL,NULL,15),"
                                    "(%1,%2,3,'公庫',1000,0,1,30,1.2,NULL,NULL,NULL,30)")
                         .arg(id1)
                         .arg(id2));
    exec(db, QStringLiteral("COMMIT"));
}

// One registration through the form: open, change the fee, click 登録.
double registration(int id1, int id2, int fee, bool *ok)
{
    frmInputParking form;
    form.setPro_ID1(id1);
    form.setPro_ID2(id2);
    form.Form_Load();
    auto box = [&](const char *name) { return form.findChild<ImNumber *>(QString::fromLatin1(name)); };
    box("numRyokin1")->setValue(25);
    box("numRyokin2")->setValue(20);
    box("numRyokin3")->setValue(fee);
    box("numKeikaku1")->setValue(5);
    box("numYosan1")->setValue(6000);
    box("numYosan4")->setValue(6000);
    box("numSikin1")->setValue(0); // the loans cover the budget: no question
    return bench::timeRegistration(form, ok);
}

// The rows the registration wrote are read back so the baseline inserts the very same.
double bareInsert(sqlite3 *db, const bench::ResultRows &rows, int id1, int id2)
{
    const QString key = QStringLiteral(" WHERE ID1 = %1 AND ID2 = %2").arg(id1).arg(id2);
    for (const char *table : {"T_収支", "T_収支計画", "T_損益計算", "D_借入金", "D_駐車場"})
        exec(db, QStringLiteral("DELETE FROM ") + QString::fromUtf8(table) + key);
    bench::Statements st(
        db,
        {bench::insertSql("T_収支", kColumns.summary).c_str(), bench::insertSql("T_収支計画", kColumns.plan).c_str(),
         bench::insertSql("T_損益計算", kColumns.profitAndLoss).c_str(),
         "INSERT INTO D_借入金 VALUES (?,?,?,'銀行',?,0,1,9,2.5,10,20,3.1,20)",
         "INSERT INTO D_駐車場 (ID1,ID2,名称,料金1,料金2,料金3,予算1,予算2,予算3,予算4,計画1,計画2,計画3,計画4,計画5,"
         "資金1) VALUES (?,?,'計画',25.0,20,15,6000,300,NULL,6000,5.0,NULL,NULL,NULL,NULL,0)"});
    QElapsedTimer t;
    t.start();
    exec(db, QStringLiteral("BEGIN"));
    st.insertRows(0, rows.ss);
    st.insertRows(1, rows.sk);
    st.insertRows(2, rows.se);
    for (int n = 1; n <= 3; ++n) {
        sqlite3_bind_int(st[3], 1, id1), sqlite3_bind_int(st[3], 2, id2), sqlite3_bind_int(st[3], 3, n);
        sqlite3_bind_int(st[3], 4, 1000 * (4 - n)); // the loans cover the budget, as stored
        st.step(3);
    }
    sqlite3_bind_int(st[4], 1, id1), sqlite3_bind_int(st[4], 2, id2);
    st.step(4);
    exec(db, QStringLiteral("COMMIT"));
    return t.nsecsElapsed() / 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    MsgBox::setAutoAnswer(true);
    TestDb db;
    sqlite3 *bare = bench::openFilled(db, kProperties, kPlans, addLoans);
    setAppPath(db.folder());
    gTaxRate = 5;

    bench::compareSyncModes(
        bare,
        [&](int pass, int i, double *ours, double *base) {
            const int id1 = 1 + (i * 7) % kProperties, id2 = 1 + i % kPlans;
            bool ok = false;
            // A fee of its own each time: an unchanged plan would not be stored again.
            *ours = registration(id1, id2, 10 * pass + i % 5, &ok);
            const bench::ResultRows rows = bench::readResults(bare, id1, id2, kColumns);
            *base = bareInsert(bare, rows, id1, id2);
            return ok && rows.complete();
        },
        [](const char *sync, double o, double b, bool allOk) {
            std::printf("parking registration (synchronous %s), %d properties x %d plans, 3 loans: click to commit "
                        "%.0f us; bare SQLite insert of the same 229 rows %.0f us; ratio %.2f (target <= 3)%s\n",
                        sync, kProperties, kPlans, o, b, o / b, allOk ? "" : " [FAILED]");
        });
    sqlite3_close(bare);
    releaseGlobals();
    return 0;
}
