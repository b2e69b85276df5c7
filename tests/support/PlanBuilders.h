#pragma once

#include "Globals.h"
#include "ProjectionSettings.h"

#include <QString>
#include <QVariant>
#include <QVector>

class cDao;

// Builders of stored sample data: a property, parking and apartment plans with their
// loan and rent rows, and result rows computed by the projection engines and stored
// by the result-row writer, as registration stores them. A test takes a sample with
// its defaults, overrides what it checks and builds it. Every builder writes in one
// transaction and throws std::runtime_error when anything fails. An invalid
// QVariant is stored as NULL (an empty box).

/// D_物件. Defaults: 200 ㎡ at 100 thousand yen per ㎡, taxed 1.4 % + 0.3 %.
struct SampleProperty {
    int id1 = 1;
    QVariant name = QStringLiteral("テスト物件"); ///< 物件名
    QVariant siteArea = 200.0;                    ///< 敷地面積
    QVariant landValue = 100;                     ///< 評価額
    QVariant landTaxRate = 1.4;                   ///< 固定資産税税率
    QVariant cityTaxRate = 0.3;                   ///< 都市計画税税率
};

/// One row of D_借入金. Default: 10,000 over 20 years at 2 %, level payment, one rate.
struct SampleLoan {
    QVariant number;                              ///< 連番; empty: the loan's position from 1
    QVariant lender = QStringLiteral("第一銀行"); ///< 借入先名称
    QVariant amount = 10000;                      ///< 借入金額
    QVariant method = 0;                          ///< 返済方式: 0 元利均等, 1 元金均等
    QVariant start1 = 1;                          ///< 返済開始1
    QVariant end1 = 20;                           ///< 返済終了1
    QVariant rate1 = 2.0;                         ///< 金利1
    QVariant start2;                              ///< 返済開始2 (NULL with one rate)
    QVariant end2;                                ///< 返済終了2
    QVariant rate2;                               ///< 金利2
    QVariant term = 20;                           ///< 返済期間
};

/// A 30-year loan of 50,000 at 2 %, level payment.
inline SampleLoan buildingLoan()
{
    SampleLoan loan;
    loan.lender = QStringLiteral("住宅金融");
    loan.amount = 50000;
    loan.end1 = 30;
    loan.term = 30;
    return loan;
}

/// One row of D_家賃. Default: four 2LDK dwellings at 100 rent + 10 charges.
struct SampleRent {
    QVariant type;                            ///< タイプ; empty: "A", "B", ... by position
    QVariant layout = QStringLiteral("2LDK"); ///< 間取り
    QVariant area = 60.5;                     ///< 専有面積
    QVariant households = 4;                  ///< 世帯数
    QVariant parking = 4;                     ///< 駐車台数
    QVariant rent = 100;                      ///< 月家賃
    QVariant commonCharge = 10;               ///< 月共益費
    QVariant parkingFee = 5;                  ///< 月駐車料
    QVariant deposit = 200;                   ///< 敷金
};

/// D_駐車場 with its loans. Defaults, on the default property: 10 cars at 5 a month,
/// 10 % vacant, fee +10 % every 3 years, land +2 % every 5 years, budget 1000, no
/// loan: year 1 is 540 income, 340 land taxes, balance 200; the profit and loss
/// adds the budget, 1340 in all.
struct SampleParking {
    int id1 = 1;
    int id2 = 1;
    QVariant name = QStringLiteral("第一駐車場");  ///< 名称
    QVariant ryokin1 = 12.5;                       ///< 料金1: area per car
    QVariant ryokin2 = 10;                         ///< 料金2: cars
    QVariant ryokin3 = 5;                          ///< 料金3: monthly fee
    QVariant yosan[4] = {900, 45, 55, 1000};       ///< 予算1 to 予算4
    QVariant sikin1 = 1000;                        ///< 資金1
    QVariant keikaku[5] = {10.0, 5, 2.0, 3, 10.0}; ///< 計画1 to 計画5
    QVector<SampleLoan> loans;
    bool withResults = true; ///< compute and store the 75 result years
};

/// D_賃貸マンション with its rent rows and loans; defaults describe a small RC
/// building of 4 dwellings (one rent row) with one loan.
struct SampleApartment {
    int id1 = 1;
    int id2 = 2;
    QVariant name = QStringLiteral("テストマンション"); ///< 名称
    /// 建物1 to 建物9: structure index, buildings, dwellings, storeys, floor area,
    /// value per ㎡, two tax rates, fire-resistant flag.
    QVariant kaoku[9] = {5, 1, 4, 3, 240.0, 150, 1.4, 0.3, 1};
    /// 予算1 to 予算12; the last is the sum of the others.
    QVariant yosan[12] = {60000, 3000, 500, 300, 60, 800, 400, 350, 600, 900, 1000, 67910};
    QVariant sikin[2] = {10000, 0}; ///< 資金1, 資金2
    /// 減価1 to 減価6: 定額法 over 47 years at 2.2 %, base 60000, residual 6000, no extra.
    QVariant genka[6] = {1, 47, 2.2, 60000, 6000, 1};
    /// 計画1 to 計画9: vacancy, turnover, rise until year, rise every, rise, land every,
    /// land rise, repair cost, upkeep.
    QVariant keikaku[9] = {5.0, 10.0, 20, 2, 3.0, 5, 1.0, 300, 5.0};
    QVariant kasai = 10; ///< 火災保険
    QVector<SampleRent> rents = {SampleRent()};
    QVector<SampleLoan> loans = {buildingLoan()};
    bool withResults = true;
};

/// The default plans under other numbers.
SampleParking sampleParking(int id1, int id2, bool withResults = true);
SampleApartment sampleApartment(int id1, int id2, bool withResults = true);

/// One T_収支 row written as given, for readers tested on hand-made values.
struct StoredYear {
    int year = 0;
    qint64 income = 0;
    qint64 expense = 0;
    qint64 balance = 0;
};

void addProperty(const SampleProperty &sample = SampleProperty(), cDao &dao = gDao());
/// The default property under another number.
void addProperty(int id1, cDao &dao = gDao());
void addParkingPlan(const SampleParking &sample = SampleParking(), cDao &dao = gDao());
void addApartmentPlan(const SampleApartment &sample = SampleApartment(),
                      const ProjectionSettings &settings = ProjectionSettings(), cDao &dao = gDao());
/// A title row of D_店舗 (store plans have no inputs of their own).
void addStorePlan(int id1, int id2, const QString &name, cDao &dao = gDao());
/// T_収支 rows of the plan with the given TYPE.
void addSummaryRows(int id1, int id2, int type, const QVector<StoredYear> &rows, cDao &dao = gDao());
