// Times the registration of an apartment plan with 5 rent rows and 3 loans, from the
// click on the register button to the committed transaction, on a database of 100
// properties x 20 plans, against the same writes with prepared statements of the
// bare SQLite C API in one transaction: the plan's old rows deleted and the same
// rows inserted (225 result rows, 5 rent rows, 3 loans, the plan record).
#include "ImText.h"
#include "MsgBox.h"
#include "RegistrationBench.h"
#include "TestDb.h"
#include "frmInputApartment.h"
#include "mdlMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace
{

using bench::exec;

constexpr int kProperties = 100;
constexpr int kPlans = 20;
// The apartment plans: plan 1 of properties 101 to 120, beside the full database.
constexpr int kFirstApartment = 101;
constexpr int kApartments = 20;

const bench::ResultColumns kColumns = {"ID1,ID2,年,収入1,収入2,収入計,支出1,支出2,支出3,支出4,支出計,累計",
                                       "ID1,ID2,年,収入1,収入2,収入計,支出1,支出2,支出3,支出4,支出5,支出6,支出計"};

// The plan record as the baseline stores it; the budget 215,300 is met by own funds
// 15,300 and the three loans, so the registration asks nothing.
const char kRecordValues[] =
    "'駅前マンション', 5, 1, 20, 5, 1200.5, 150, 1.4, 0.3, 1, 200000, 10000, 1000, 500, 100, 800, 600, 400, 700, 900, "
    "300, 215300, 15300, 0, 0, 47, 4.8, 210000, 0, 1, 5, 10, 20, 2, 3, 3, 2, 150, 5, 10";

void addApartments(sqlite3 *db)
{
    exec(db, QStringLiteral("BEGIN"));
    for (int id1 = kFirstApartment; id1 < kFirstApartment + kApartments; ++id1) {
        exec(db, QStringLiteral("INSERT INTO D_物件 VALUES (%1, '駅前', 500, 300, 1.4, 0.3)").arg(id1));
        exec(db, QStringLiteral("INSERT INTO D_賃貸マンション VALUES (%1, 1, %2)")
                     .arg(id1)
                     .arg(QLatin1String(kRecordValues)));
        for (int t = 0; t < 5; ++t)
            exec(db, QStringLiteral("INSERT INTO D_家賃 VALUES (%1, 1, '%2', '2LDK', 55.5, 4, 3, %3, 5, 8, 200)")
                         .arg(id1)
                         .arg(QChar(u'A' + t))
                         .arg(80 + 5 * t));
        exec(db, QStringLiteral("INSERT INTO D_借入金 VALUES (%1,1,1,'銀行',120000,0,1,9,2.0,10,30,2.8,30),"
                                "(%1,1,2,'信金',50000,1,1,20,2.5,NULL,NULL,NULL,20),"
                                "(%1,1,3,'公庫',30000,0,1,25,1.8,NULL,NULL,NULL,25)")
                     .arg(id1));
    }
    exec(db, QStringLiteral("COMMIT"));
}

// One registration through the form: open it (not timed), change the name, click 登録.
double registration(int id1, int run, bool *ok)
{
    frmInputApartment form;
    form.setPro_ID1(id1);
    form.setPro_ID2(1);
    form.Form_Load();
    // A name of its own each time: an unchanged plan would not be stored again.
    form.findChild<ImText *>(QStringLiteral("txtName"))->setText(QStringLiteral("駅前マンション%1").arg(run));
    return bench::timeRegistration(form, ok);
}

double bareInsert(sqlite3 *db, const bench::ResultRows &rows, int id1)
{
    const QByteArray record =
        QByteArray("INSERT INTO D_賃貸マンション VALUES (?, 1, ") + QByteArray(kRecordValues) + QByteArray(")");
    bench::Statements st(db, {bench::insertSql("T_収支", kColumns.summary).c_str(),
                              bench::insertSql("T_収支計画", kColumns.plan).c_str(),
                              bench::insertSql("T_損益計算", kColumns.profitAndLoss).c_str(),
                              "INSERT INTO D_家賃 VALUES (?, 1, ?, '2LDK', 55.5, 4, 3, ?, 5, 8, 200)",
                              "INSERT INTO D_借入金 VALUES (?, 1, ?, '銀行', ?, 0, 1, 9, 2.0, 10, 30, 2.8, 30)",
                              record.constData()});
    // The same work as the registration's: the plan's old rows go, its rows come.
    QElapsedTimer t;
    t.start();
    exec(db, QStringLiteral("BEGIN"));
    const QString key = QStringLiteral(" WHERE ID1 = %1 AND ID2 = 1").arg(id1);
    for (const char *table : {"T_収支", "T_収支計画", "T_損益計算", "D_家賃", "D_借入金", "D_賃貸マンション"})
        exec(db, QStringLiteral("DELETE FROM ") + QString::fromUtf8(table) + key);
    st.insertRows(0, rows.ss);
    st.insertRows(1, rows.sk);
    st.insertRows(2, rows.se);
    const char *letters[] = {"A", "B", "C", "D", "E"};
    for (int n = 0; n < 5; ++n) {
        sqlite3_bind_int(st[3], 1, id1);
        sqlite3_bind_text(st[3], 2, letters[n], -1, SQLITE_STATIC);
        sqlite3_bind_int(st[3], 3, 80 + 5 * n);
        st.step(3);
    }
    const int amounts[] = {120000, 50000, 30000};
    for (int n = 1; n <= 3; ++n) {
        sqlite3_bind_int(st[4], 1, id1);
        sqlite3_bind_int(st[4], 2, n);
        sqlite3_bind_int(st[4], 3, amounts[n - 1]);
        st.step(4);
    }
    sqlite3_bind_int(st[5], 1, id1);
    st.step(5);
    exec(db, QStringLiteral("COMMIT"));
    return t.nsecsElapsed() / 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    MsgBox::setAutoAnswer(true);
    TestDb db;
    sqlite3 *bare = bench::openFilled(db, kProperties, kPlans, addApartments);
    setAppPath(db.folder());
    QFile ini(QDir(db.folder()).filePath(QStringLiteral("Vanrek.ini")));
    if (ini.open(QIODevice::WriteOnly))
        ini.write(
            "[CONST]\r\n耐用年数5=\"47\"\r\n有効期間=\"5\"\r\n基準年=\"35\"\r\n割増率1=\"1.3\"\r\n割増率2=\"1.4\"\r\n");
    ini.close();
    gTaxRate = 5;

    bench::compareSyncModes(
        bare,
        [&](int pass, int i, double *ours, double *base) {
            const int id1 = kFirstApartment + i % kApartments;
            bool ok = false;
            *ours = registration(id1, 40 * (pass - 1) + i, &ok);
            const bench::ResultRows rows = bench::readResults(bare, id1, 1, kColumns);
            *base = bareInsert(bare, rows, id1);
            return ok && rows.complete();
        },
        [](const char *sync, double o, double b, bool allOk) {
            std::printf("apartment registration (synchronous %s), %d properties x %d plans, 5 rent rows, 3 loans: "
                        "click to commit %.0f us; bare SQLite delete + insert of the same 234 rows %.0f us; ratio "
                        "%.2f (target <= 3)%s\n",
                        sync, kProperties, kPlans, o, b, o / b, allOk ? "" : " [FAILED]");
        });
    sqlite3_close(bare);
    releaseGlobals();
    return 0;
}
