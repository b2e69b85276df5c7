#include "Currency.h"
#include "JetSql.h"
#include "VbRuntime.h"

#include <QTest>

#include <limits>

class tst_Currency : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fromDoubleRoundsHalvesToEven_data();
    void fromDoubleRoundsHalvesToEven();
    void roundToInt_data();
    void roundToInt();
    void arithmeticAndOverflow();
    void parse_data();
    void parse();
    void numericTest_data();
    void numericTest();
    void formatNumbers_data();
    void formatNumbers();
    void formatDates();
    void ansiBytes();
    void katakanaRow();
    void jetSqlTranslation_data();
    void jetSqlTranslation();
};

void tst_Currency::fromDoubleRoundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("raw");
    QTest::newRow("exact") << 1.5 << qint64(15000);
    QTest::newRow("half down to even") << 0.00005 << qint64(0); // 0.5 ten-thousandths -> 0
    QTest::newRow("negative half") << -0.00025 << qint64(-2);   // -2.5 -> -2
    QTest::newRow("thousand yen") << 1234.5678 << qint64(12345678);
}

void tst_Currency::fromDoubleRoundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(qint64, raw);
    QCOMPARE(Currency::fromDouble(value).raw(), raw);
}

void tst_Currency::roundToInt_data()
{
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<qint64>("whole");
    QTest::newRow("2.5 -> 2") << qint64(25000) << qint64(2);
    QTest::newRow("3.5 -> 4") << qint64(35000) << qint64(4);
    QTest::newRow("-2.5 -> -2") << qint64(-25000) << qint64(-2);
    QTest::newRow("-3.5 -> -4") << qint64(-35000) << qint64(-4);
    QTest::newRow("2.5001 -> 3") << qint64(25001) << qint64(3);
    QTest::newRow("-0.4999 -> 0") << qint64(-4999) << qint64(0);
}

void tst_Currency::roundToInt()
{
    QFETCH(qint64, raw);
    QFETCH(qint64, whole);
    QCOMPARE(Currency::fromRaw(raw).roundToInt(), whole);
}

void tst_Currency::arithmeticAndOverflow()
{
    const Currency a = Currency::fromInt(10);
    const Currency third = a / Currency::fromInt(3);
    QCOMPARE(third.raw(), qint64(33333)); // 3.33333.. to four places
    QCOMPARE((third * Currency::fromInt(3)).raw(), qint64(99999));
    // 0.0015 * 0.5 = 0.00075 -> 0.0008 (7.5 ten-thousandths, half to even gives 8)
    QCOMPARE((Currency::fromRaw(15) * Currency::fromRaw(5000)).raw(), qint64(8));
    QCOMPARE(Currency::fromDouble(-1.25).floor(), qint64(-2));
    QCOMPARE(Currency::fromDouble(-1.25).fix(), qint64(-1));
    QCOMPARE(Currency::fromRaw(-12345).toString(), QStringLiteral("-1.2345"));
    QCOMPARE(Currency::fromInt(7).toString(), QStringLiteral("7"));

    const Currency big = Currency::fromRaw(std::numeric_limits<int64_t>::max() - 1);
    QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, big + Currency::fromRaw(2));
    QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, big * Currency::fromInt(2));
    QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, Currency::fromDouble(1e300));
    QVERIFY_THROWS_EXCEPTION(std::domain_error, a / Currency());
}

void tst_Currency::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("raw");
    // Text typed or read as a number keeps its digits as written, to the last of four
    // places; a digit the type cannot hold is refused, never rounded away or overflowed.
    QTest::newRow("grouped") << "-1,234.5" << true << qint64(-12345000);
    QTest::newRow("four places") << "-1234.5678" << true << qint64(-12345678);
    QTest::newRow("a half past four places") << "15799.4999500000" << false << qint64(0);
    QTest::newRow("zeros only past four places") << "15799.49990000" << true << qint64(157994999);
    QTest::newRow("a fifth digit") << "0.00005" << false << qint64(0);
    QTest::newRow("a digit far out") << "0.000000000000000000000000000000001" << false << qint64(0);
    QTest::newRow("highest") << "922337203685477.5807" << true << std::numeric_limits<qint64>::max();
    QTest::newRow("lowest") << "-922337203685477.5808" << true << std::numeric_limits<qint64>::min();
    QTest::newRow("highest with thirty more zeros")
        << "922337203685477.5807000000000000000000000000000000" << true << std::numeric_limits<qint64>::max();
    QTest::newRow("highest, more digits than it holds")
        << "922337203685477.58074999999999999999999999999999" << false << qint64(0);
    QTest::newRow("past the highest") << "922337203685477.5808" << false << qint64(0);
    QTest::newRow("past the lowest") << "-922337203685477.5809" << false << qint64(0);
    QTest::newRow("twenty digits") << "99999999999999999999" << false << qint64(0);
    QTest::newRow("letters") << "12a" << false << qint64(0);
    QTest::newRow("empty") << "  " << false << qint64(0);
}

void tst_Currency::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, raw);
    Currency c;
    QCOMPARE(Currency::tryParse(text, &c), ok);
    if (ok)
        QCOMPARE(c.raw(), raw);
}

void tst_Currency::numericTest_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("number");
    QTest::newRow("text with blanks") << QVariant(QStringLiteral(" 12.5 ")) << true << 12.5;
    QTest::newRow("grouping") << QVariant(QStringLiteral("1,234")) << true << 1234.0;
    QTest::newRow("exponent") << QVariant(QStringLiteral("1E3")) << true << 1000.0;
    QTest::newRow("hex") << QVariant(QStringLiteral("&H1F")) << true << 31.0;
    QTest::newRow("yen sign") << QVariant(QStringLiteral("¥500")) << true << 500.0;
    QTest::newRow("true is -1") << QVariant(true) << true << -1.0;
    QTest::newRow("letters") << QVariant(QStringLiteral("abc")) << false << 0.0;
    QTest::newRow("full-width digits") << QVariant(QStringLiteral("１２")) << false << 0.0;
    QTest::newRow("two minus signs") << QVariant(QStringLiteral("--1")) << false << 0.0;
    QTest::newRow("null") << vb::null() << false << 0.0;
    QTest::newRow("date") << QVariant(QDate(2001, 1, 5)) << false << 0.0;
}

void tst_Currency::numericTest()
{
    QFETCH(QVariant, value);
    QFETCH(bool, numeric);
    QFETCH(double, number);
    double d = 0;
    QCOMPARE(vb::isNumeric(value, &d), numeric);
    if (numeric)
        QCOMPARE(d, number);
}

void tst_Currency::formatNumbers_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::newRow("grouping") << QVariant(1234567) << "#,##0"
                              << "1,234,567";
    QTest::newRow("zero") << QVariant(0) << "##,##0"
                          << "0";
    QTest::newRow("negative") << QVariant(-1234) << "#,##0"
                              << "-1,234";
    QTest::newRow("format rounds half away") << QVariant(2.5) << "#,##0"
                                             << "3";
    QTest::newRow("decimals") << QVariant(1.005) << "0.00"
                              << "1.01";
    QTest::newRow("leading zeros") << QVariant(7) << "00"
                                   << "07";
    QTest::newRow("percent") << QVariant(0.125) << "0.0%"
                             << "12.5%";
    QTest::newRow("text placeholders") << QVariant(QStringLiteral("0105")) << "@@/@@"
                                       << "01/05";
}

void tst_Currency::formatNumbers()
{
    QFETCH(QVariant, value);
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QCOMPARE(vb::format(value, pattern), text);
}

void tst_Currency::formatDates()
{
    const QDateTime dt(QDate(2001, 1, 5), QTime(13, 5, 9));
    QCOMPARE(vb::format(dt, QStringLiteral("yyyy/mm/dd")), QStringLiteral("2001/01/05"));
    QCOMPARE(vb::format(dt, QStringLiteral("hh:nn:ss")), QStringLiteral("13:05:09"));
    QCOMPARE(vb::format(dt, QStringLiteral("yyyy/mm/dd hh:mm:ss")), QStringLiteral("2001/01/05 13:05:09"));
    QCOMPARE(vb::toSerial(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), 2.5);
    QCOMPARE(vb::fromSerial(2.5), QDateTime(QDate(1900, 1, 1), QTime(12, 0)));
}

void tst_Currency::ansiBytes()
{
    QCOMPARE(vb::ansiLength(QStringLiteral("ｱｲ漢a")), 5);
    QCOMPARE(vb::ansiLeft(QStringLiteral("ab漢字"), 3), QStringLiteral("ab")); // never half of 漢
    QCOMPARE(vb::ansiLeft(QStringLiteral("ab漢字"), 4), QStringLiteral("ab漢"));
    QCOMPARE(vb::toWide(QStringLiteral("A1 ｶﾞ")), QStringLiteral("Ａ１　ガ"));
    QCOMPARE(vb::toNarrow(QStringLiteral("Ａ１　ガパ")), QStringLiteral("A1 ｶﾞﾊﾟ"));
}

// Every full-width katakana with a half-width form narrows to it, voiced and semi-voiced
// ones to the base kana and its mark; those without one stay. Widening gives the row back.
void tst_Currency::katakanaRow()
{
    const QString row =
        QStringLiteral("ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトド"
                       "ナニヌネノハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロ"
                       "ヮワヰヱヲンヴヵヶヷヸヹヺ・ー゛゜");
    const QString narrow = QStringLiteral("ｧｱｨｲｩｳｪｴｫｵｶｶﾞｷｷﾞｸｸﾞｹｹﾞｺｺﾞｻｻﾞｼｼﾞｽｽﾞｾｾﾞｿｿﾞﾀﾀﾞﾁﾁﾞｯﾂﾂﾞﾃﾃﾞﾄﾄﾞ"
                                          "ﾅﾆﾇﾈﾉﾊﾊﾞﾊﾟﾋﾋﾞﾋﾟﾌﾌﾞﾌﾟﾍﾍﾞﾍﾟﾎﾎﾞﾎﾟﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛ"
                                          "ヮﾜヰヱｦﾝｳﾞヵヶヷヸヹヺ･ｰﾞﾟ");
    QCOMPARE(vb::toNarrow(row), narrow);
    QCOMPARE(vb::toWide(narrow), row);
    // A mark after a kana that takes none stays a mark of its own.
    QCOMPARE(vb::toWide(QStringLiteral("ﾅﾞﾏﾟ")), QStringLiteral("ナ゛マ゜"));
}

void tst_Currency::jetSqlTranslation_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("mod") << "SELECT * FROM T WHERE 年 mod 2 = 0"
                         << "SELECT * FROM T WHERE 年 % 2 = 0";
    QTest::newRow("MOD in a name stays") << "SELECT model FROM T"
                                         << "SELECT model FROM T";
    QTest::newRow("join") << "SELECT a & 'x' FROM T"
                          << "SELECT a || 'x' FROM T";
    QTest::newRow("quoted text untouched") << "SELECT 'a & b mod #1#' FROM T"
                                           << "SELECT 'a & b mod #1#' FROM T";
    QTest::newRow("date literal") << "WHERE d = #2001/01/05#"
                                  << "WHERE d = '2001/01/05'";
    QTest::newRow("doubled quote") << "WHERE n = 'It''s & mod'"
                                   << "WHERE n = 'It''s & mod'";
}

void tst_Currency::jetSqlTranslation()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(JetSql::toSqlite(jet), sqlite);
}

QTEST_GUILESS_MAIN(tst_Currency)
#include "tst_Currency.moc"
