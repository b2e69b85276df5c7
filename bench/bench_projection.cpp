// Times the projection and the registration of its result rows.
//  (a) computing the 75 years of an apartment plan with 5 rent rows and 3 loans;
//  (b) deleting, computing and inserting the 225 result rows of one plan in one
//      transaction on a database of 100 properties x 20 plans, against inserting
//      the same 225 rows with prepared statements of the bare SQLite C API.
#include "ApartmentProjection.h"
#include "DaoTransaction.h"
#include "ErrorTrap.h"
#include "Globals.h"
#include "PlanInputLoader.h"
#include "ResultRowWriter.h"
#include "TestDb.h"
#include "cDao.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

constexpr int kProperties = 100;
constexpr int kPlans = 20;

ApartmentPlanInput benchPlan()
{
    ApartmentPlanInput in;
    for (int i = 0; i < 5; ++i) {
        RentRow r;
        r.rent = 70 + 10 * i;
        r.commonCharge = 5;
        r.households = 4 + i;
        r.parkingFee = 10;
        r.deposit = 140;
        in.rents.append(r);
    }
    in.numKaoku3 = 30;
    in.numKaoku4 = 5;
    in.numKaoku5 = 2100.0;
    in.numKaoku6 = 120;
    in.numKaoku7 = 1.4;
    in.numKaoku8 = 0.3;
    in.chkKaoku9 = 1;
    in.numSikiti1 = 800.0;
    in.numSikiti2 = 250;
    in.numSikiti3 = 1.4;
    in.numSikiti4 = 0.3;
    in.numYosan3 = 1500;
    in.numYosan4 = 750;
    in.numYosan5 = 60;
    in.numYosan6 = 900;
    in.numYosan7 = 600;
    in.numYosan8 = 400;
    in.numYosan9 = 300;
    in.numYosan10 = 200;
    in.numYosan11 = 100;
    in.numKasai = 10;
    in.cmbGenka1 = 1;
    in.numGenka2 = 47;
    in.numGenka3 = 2.2;
    in.numGenka4 = 200000;
    in.numGenka5 = 20000;
    in.cmbGenka6 = 0;
    in.numKeikaku1 = 5.0;
    in.numKeikaku2 = 20.0;
    in.numKeikaku3 = 20;
    in.numKeikaku4 = 2;
    in.numKeikaku5 = 3.0;
    in.numKeikaku6 = 3;
    in.numKeikaku7 = 2.0;
    in.numKeikaku8 = 150;
    in.numKeikaku9 = 5.0;
    const auto loan = [](int amount, int term, double rate1, int secondStart, double rate2) {
        LoanRow r;
        r.amount = amount;
        r.method = LoanRow::LevelPayment;
        r.term = double(term);
        r.rate1 = rate1;
        r.end1 = secondStart > 0 ? secondStart - 1 : term;
        if (secondStart > 0) {
            r.end2 = term;
            r.rate2 = rate2;
        }
        return r;
    };
    in.loans = {loan(100000, 35, 1.8, 11, 3.2), loan(50000, 30, 1.5, 6, 2.8), loan(20000, 25, 2.0, 0, 0)};
    return in;
}

ProjectionSettings benchSettings()
{
    ProjectionSettings s;
    s.validYears = QStringLiteral("5");
    s.baseYear = QStringLiteral("35");
    s.extraRate1 = QStringLiteral("1.3");
    s.extraRate2 = QStringLiteral("1.1");
    return s;
}

bool check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        return false;
    }
    return true;
}

// The three result-row inserts, and the binding of one year's rows to them.
const char *const kResultInserts[] = {
    "INSERT INTO T_収支 (ID1,ID2,年,TYPE,収入,支出,収支累計) VALUES (?,?,?,?,?,?,?)",
    "INSERT INTO T_収支計画 (ID1,ID2,年,収入1,収入2,収入計,支出1,支出2,支出3,支出4,支出計,累計) "
    "VALUES (?,?,?,?,?,?,?,?,?,?,?,?)",
    "INSERT INTO T_損益計算 (ID1,ID2,年,収入1,収入2,収入計,支出1,支出2,支出3,支出4,支出5,支出6,支出計) "
    "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)"};

void bindResultRows(sqlite3_stmt *ss, sqlite3_stmt *sk, sqlite3_stmt *se, int id1, int id2, const YearResult &r)
{
    const auto whole = [](Currency c) { return sqlite3_int64(c.roundToInt()); };
    const sqlite3_int64 a[] = {planTypeNumber(r.type), whole(r.summary.income), whole(r.summary.expense),
                               whole(r.summary.balance)};
    const sqlite3_int64 b[] = {whole(r.cashFlow.income1), whole(*r.cashFlow.income2), whole(r.cashFlow.incomeTotal),
                               whole(r.cashFlow.out1),    whole(r.cashFlow.out2),     whole(r.cashFlow.out3),
                               whole(*r.cashFlow.out4),   whole(r.cashFlow.outTotal), whole(r.cashFlow.balance)};
    const sqlite3_int64 c[] = {whole(r.profitLoss.income1),     whole(*r.profitLoss.income2),
                               whole(r.profitLoss.incomeTotal), whole(r.profitLoss.out1),
                               whole(r.profitLoss.out2),        whole(r.profitLoss.out3),
                               whole(*r.profitLoss.out4),       whole(*r.profitLoss.out5),
                               whole(*r.profitLoss.out6),       whole(r.profitLoss.outTotal)};
    const struct {
        sqlite3_stmt *st;
        const sqlite3_int64 *values;
        int count;
    } binds[] = {{ss, a, 4}, {sk, b, 9}, {se, c, 10}};
    for (const auto &bind : binds) {
        sqlite3_bind_int(bind.st, 1, id1), sqlite3_bind_int(bind.st, 2, id2), sqlite3_bind_int(bind.st, 3, r.year);
        for (int i = 0; i < bind.count; ++i)
            sqlite3_bind_int64(bind.st, 4 + i, bind.values[i]);
    }
}

// Fills the stored plans and their result rows with the bare API (set-up only).
bool fill(sqlite3 *db, const QVector<YearResult> &rows)
{
    sqlite3_stmt *prop, *plan, *rent, *loan, *ss, *sk, *se;
    const char *sqls[] = {
        "INSERT INTO D_物件 VALUES (?, '物件', 800.0, 250, 1.4, 0.3)",
        "INSERT INTO D_賃貸マンション (ID1,ID2,名称,建物1,建物2,建物3,建物4,建物5,建物6,建物7,建物8,建物9,予算1,予算2,"
        "予算3,予算4,予算5,予算6,予算7,予算8,予算9,予算10,予算11,予算12,資金1,資金2,減価1,減価2,減価3,減価4,減価5,"
        "減価6,計画1,計画2,計画3,計画4,計画5,計画6,計画7,計画8,計画9,火災保険) VALUES (?,?,'計画',5,1,30,5,2100.0,120,"
        "1.4,0.3,1,190000,10000,1500,750,60,900,600,400,300,200,100,204810,34810,0,1,47,2.2,200000,20000,0,5.0,20.0,20,"
        "2,"
        "3.0,3,2.0,150,5.0,10)",
        "INSERT INTO D_家賃 VALUES (?,?,?,'2LDK',55.0,?,?,?,5,10,140)",
        "INSERT INTO D_借入金 VALUES (?,?,?,'銀行',?,0,1,?,?,?,?,?,?)",
        kResultInserts[0],
        kResultInserts[1],
        kResultInserts[2]};
    sqlite3_stmt **stmts[] = {&prop, &plan, &rent, &loan, &ss, &sk, &se};
    for (int i = 0; i < 7; ++i)
        if (!check(sqlite3_prepare_v2(db, sqls[i], -1, stmts[i], nullptr), db))
            return false;
    const auto run = [&](sqlite3_stmt *st) {
        const bool ok = check(sqlite3_step(st), db);
        sqlite3_reset(st);
        return ok;
    };
    bool ok = check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    const int terms[3][4] = {{100000, 35, 10, 0}, {50000, 30, 5, 0}, {20000, 25, 25, 1}};
    for (int p = 1; ok && p <= kProperties; ++p) {
        sqlite3_bind_int(prop, 1, p);
        ok = run(prop);
        for (int n = 1; ok && n <= kPlans; ++n) {
            sqlite3_bind_int(plan, 1, p);
            sqlite3_bind_int(plan, 2, n);
            ok = run(plan);
            for (int t = 0; ok && t < 5; ++t) {
                const char type[2] = {char('A' + t), 0};
                sqlite3_bind_int(rent, 1, p);
                sqlite3_bind_int(rent, 2, n);
                sqlite3_bind_text(rent, 3, type, -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(rent, 4, 4 + t);
                sqlite3_bind_int(rent, 5, 4 + t);
                sqlite3_bind_int(rent, 6, 70 + 10 * t);
                ok = run(rent);
            }
            for (int k = 0; ok && k < 3; ++k) {
                const bool one = terms[k][3] == 1;
                sqlite3_bind_int(loan, 1, p);
                sqlite3_bind_int(loan, 2, n);
                sqlite3_bind_int(loan, 3, k + 1);
                sqlite3_bind_int(loan, 4, terms[k][0]);
                sqlite3_bind_int(loan, 5, terms[k][2]);
                sqlite3_bind_double(loan, 6, 1.8);
                one ? sqlite3_bind_null(loan, 7) : sqlite3_bind_int(loan, 7, terms[k][2] + 1);
                one ? sqlite3_bind_null(loan, 8) : sqlite3_bind_int(loan, 8, terms[k][1]);
                one ? sqlite3_bind_null(loan, 9) : sqlite3_bind_double(loan, 9, 3.0);
                sqlite3_bind_double(loan, 10, terms[k][1]);
                ok = run(loan);
            }
            for (const YearResult &r : rows) {
                if (!ok)
                    break;
                bindResultRows(ss, sk, se, p, n, r);
                ok = run(ss) && run(sk) && run(se);
            }
        }
    }
    ok = ok && check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    for (sqlite3_stmt **st : stmts)
        sqlite3_finalize(*st);
    return ok;
}

// The bare baseline: the same 225 rows under the same plan key, inserted in one
// transaction after the plan's rows were deleted (outside the timing).
double bareInsert(sqlite3 *db, const QVector<YearResult> &rows, int id1, int id2)
{
    for (const char *table : {"T_収支", "T_収支計画", "T_損益計算"}) {
        const QByteArray sql = QByteArray("DELETE FROM ") + table + " WHERE ID1 = " + QByteArray::number(id1) +
                               " AND ID2 = " + QByteArray::number(id2);
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    }
    sqlite3_stmt *ss, *sk, *se;
    sqlite3_prepare_v2(db, kResultInserts[0], -1, &ss, nullptr);
    sqlite3_prepare_v2(db, kResultInserts[1], -1, &sk, nullptr);
    sqlite3_prepare_v2(db, kResultInserts[2], -1, &se, nullptr);
    QElapsedTimer t;
    t.start();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const YearResult &r : rows) {
        bindResultRows(ss, sk, se, id1, id2, r);
        for (sqlite3_stmt *st : {ss, sk, se}) {
            sqlite3_step(st);
            sqlite3_reset(st);
        }
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const double us = t.nsecsElapsed() / 1000.0;
    sqlite3_finalize(ss);
    sqlite3_finalize(sk);
    sqlite3_finalize(se);
    return us;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One registration's result rows: delete, compute and insert in one transaction.
double registration(int id1, int id2, const ProjectionSettings &settings, bool *ok)
{
    ApartmentPlanInput in;
    *ok = PlanInputLoader(gDao()).loadApartment(id1, id2, &in);
    QElapsedTimer t;
    t.start();
    {
        DaoTransaction tx(gDao());
        ApartmentProjection projection(in, settings);
        ResultRowWriter writer(gDao(), id1, id2);
        *ok = *ok && trapErrors(QStringLiteral("bench"), QStringLiteral("registration"), [&] {
            writer.ReplaceResults(projection);
            tx.commit();
        });
    }
    return t.nsecsElapsed() / 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const ApartmentPlanInput plan = benchPlan();
    const ProjectionSettings settings = benchSettings();

    // (a) The computation alone.
    QVector<YearResult> rows;
    {
        constexpr int runs = 20000;
        QElapsedTimer t;
        t.start();
        int computed = 0;
        for (int i = 0; i < runs; ++i) {
            ApartmentProjection p(plan, settings);
            try {
                rows = p.computeAll();
                ++computed;
            } catch (const ProcedureError &) {
            }
        }
        const double us = t.nsecsElapsed() / 1000.0 / runs;
        std::printf("projection: apartment plan, 5 rent rows, 3 loans (2 with two periods), 75 years: "
                    "%.1f us per plan (target < 100 us)%s\n",
                    us, computed == runs ? "" : " [FAILED]");
    }

    // (b) The registration of the result rows.
    TestDb db;
    if (!db.isValid() || !db.connectGlobal()) {
        std::fprintf(stderr, "cannot create the database: %s\n", qPrintable(db.error()));
        return 1;
    }
    sqlite3 *bare = nullptr;
    if (sqlite3_open(db.path().toUtf8().constData(), &bare) != SQLITE_OK || !fill(bare, rows)) {
        std::fprintf(stderr, "cannot fill the database\n");
        return 1;
    }

    for (const char *sync : {"FULL", "OFF"}) {
        const QString pragma = QStringLiteral("PRAGMA synchronous = %1").arg(QLatin1String(sync));
        gDao().Execute(pragma);
        sqlite3_exec(bare, pragma.toUtf8().constData(), nullptr, nullptr, nullptr);
        std::vector<double> ours, base;
        bool allOk = true;
        for (int i = 0; i < 60; ++i) {
            const int id1 = 1 + (i * 7) % kProperties, id2 = 1 + i % kPlans;
            bool ok = false;
            ours.push_back(registration(id1, id2, settings, &ok));
            allOk = allOk && ok;
            base.push_back(bareInsert(bare, rows, id1, id2));
        }
        const double o = median(ours), b = median(base);
        std::printf("registration (synchronous %s), %d properties x %d plans: delete + compute + insert 225 rows "
                    "in one transaction %.0f us; bare SQLite insert of the 225 rows %.0f us; ratio %.2f "
                    "(target <= 2)%s\n",
                    sync, kProperties, kPlans, o, b, o / b, allOk ? "" : " [FAILED]");
    }
    sqlite3_close(bare);
    releaseGlobals();
    return 0;
}
