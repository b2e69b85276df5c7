#include "VbRuntime.h"
#include "cBase.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace
{
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
} // namespace

class tst_cBase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cvtLng_data();
    void cvtLng();
    void cvtLngWritesClampBack();
    void cvtInt_data();
    void cvtInt();
    void cvtStrAndIsData();
    void cvtSql_data();
    void cvtSql();
    void cvtSqlLongClampsCallerVariable();
    void cvtDate_data();
    void cvtDate();
    void cvtMdb();
    void notFiniteNumbers_data();
    void notFiniteNumbers();
    void occurrenceFinders();
    void textUtilities();
    void isDateEx_data();
    void isDateEx();
    void byteCountedTexts();
};

void tst_cBase::cvtLng_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("result");
    QTest::newRow("above range clamps") << QVariant(3000000000.0) << 2147483647;
    QTest::newRow("minimum clamps to -2147483647") << QVariant(-2147483648.0) << -2147483647;
    QTest::newRow("negative passes") << QVariant(-5) << -5;
    QTest::newRow("12.5 to even") << QVariant(QStringLiteral("12.5")) << 12;
    QTest::newRow("13.5 to even") << QVariant(QStringLiteral("13.5")) << 14;
    QTest::newRow("-2.5 to even") << QVariant(-2.5) << -2;
    QTest::newRow("non-numeric") << QVariant(QStringLiteral("abc")) << 0;
    QTest::newRow("empty") << QVariant() << 0;
    QTest::newRow("null") << vb::null() << 0;
    QTest::newRow("grouped text") << QVariant(QStringLiteral("1,234")) << 1234;
    QTest::newRow("NaN is no number") << QVariant(kNaN) << 0;
    QTest::newRow("single NaN") << QVariant(std::numeric_limits<float>::quiet_NaN()) << 0;
    QTest::newRow("infinity clamps") << QVariant(kInf) << 2147483647;
    QTest::newRow("minus infinity clamps") << QVariant(-kInf) << -2147483647;
}

void tst_cBase::cvtLng()
{
    QFETCH(QVariant, value);
    QFETCH(int, result);
    QCOMPARE(cBase().CvtLng(value), result);
}

void tst_cBase::cvtLngWritesClampBack()
{
    cBase b;
    QVariant big(3000000000.0);
    QCOMPARE(b.CvtLng(big), 2147483647);
    QCOMPARE(big.toLongLong(), 2147483647LL);
    QVariant small(-5);
    b.CvtLng(small);
    QCOMPARE(small.toInt(), -5);
}

void tst_cBase::cvtInt_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("result");
    QTest::newRow("out of range gives 0") << QVariant(40000) << 0;
    QTest::newRow("upper bound") << QVariant(32767) << 32767;
    QTest::newRow("lower bound") << QVariant(-32768) << -32768;
    QTest::newRow("non-numeric") << QVariant(QStringLiteral("x")) << 0;
    QTest::newRow("empty") << QVariant() << 0;
    QTest::newRow("2.5 to even") << QVariant(2.5) << 2;
    QTest::newRow("3.5 to even") << QVariant(3.5) << 4;
    QTest::newRow("NaN") << QVariant(kNaN) << 0;
    QTest::newRow("infinity is out of range") << QVariant(kInf) << 0;
}

void tst_cBase::cvtInt()
{
    QFETCH(QVariant, value);
    QFETCH(int, result);
    QCOMPARE(int(cBase().CvtInt(value)), result);
}

void tst_cBase::cvtStrAndIsData()
{
    cBase b;
    QCOMPARE(b.CvtStr(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    QCOMPARE(b.CvtStr(vb::null()), QString());
    QCOMPARE(b.CvtStr(1.5), QStringLiteral("1.5"));
    QCOMPARE(b.CvtStr(1e20), QStringLiteral("1E+20"));
    QVERIFY(!b.IsData(QVariant()));
    QVERIFY(!b.IsData(vb::null()));
    QVERIFY(b.IsData(QString()));
    QCOMPARE(b.CvtDbl(QStringLiteral(" 0.25 ")), 0.25);
}

void tst_cBase::cvtSql_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("literal");
    QTest::newRow("blanks as text") << QVariant(QStringLiteral("   ")) << 100 << "NULL";
    QTest::newRow("null as long") << vb::null() << 201 << "NULL";
    QTest::newRow("non-numeric as long") << QVariant(QStringLiteral("abc")) << 201 << "0";
    QTest::newRow("quote doubled") << QVariant(QStringLiteral("It's")) << 100 << "'It''s'";
    QTest::newRow("two quotes") << QVariant(QStringLiteral("''")) << 100 << "''''''";
    QTest::newRow("quote at start and end") << QVariant(QStringLiteral("'a'")) << 100 << "'''a'''";
    QTest::newRow("Japanese text") << QVariant(QStringLiteral(" 山田の'土地' ")) << 100 << "'山田の''土地'''";
    QTest::newRow("unknown kind") << QVariant(QStringLiteral("x")) << 999 << "";
    QTest::newRow("integer out of range") << QVariant(40000) << 200 << "0";
    QTest::newRow("long halves to even") << QVariant(2.5) << 201 << "2";
    QTest::newRow("double") << QVariant(-0.25) << 202 << "-0.25";
    QTest::newRow("double exponent") << QVariant(1e20) << 202 << "1E+20";
    QTest::newRow("NaN as double") << QVariant(kNaN) << 202 << "NULL";
    QTest::newRow("infinity as double") << QVariant(kInf) << 202 << "NULL";
    QTest::newRow("minus infinity as double") << QVariant(-kInf) << 202 << "NULL";
    QTest::newRow("NaN as long") << QVariant(kNaN) << 201 << "NULL";
    QTest::newRow("infinity as text") << QVariant(kInf) << 100 << "NULL";
    QTest::newRow("date hash") << QVariant(QStringLiteral("2001/1/5")) << 300 << "#2001/01/05#";
    QTest::newRow("date to_date") << QVariant(QStringLiteral("2001/1/5")) << 400
                                  << "to_date('2001/01/05','yyyy/mm/dd')";
    QTest::newRow("date zero text") << QVariant(QStringLiteral("0")) << 500 << "NULL";
    QTest::newRow("time") << QVariant(QStringLiteral("13:05")) << 600 << "'2000/01/01 13:05:00'";
}

void tst_cBase::cvtSql()
{
    QFETCH(QVariant, value);
    QFETCH(int, kind);
    QFETCH(QString, literal);
    QCOMPARE(cBase().CvtSQL(value, kind), literal);
}

void tst_cBase::cvtSqlLongClampsCallerVariable()
{
    QVariant v(3000000000.0);
    QCOMPARE(cBase().CvtSQL(v, 201), QStringLiteral("2147483647"));
    QCOMPARE(v.toLongLong(), 2147483647LL);
}

void tst_cBase::cvtDate_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QDate>("date");
    const QDate zero(1899, 12, 30);
    QTest::newRow("YYYYMMDD") << QVariant(QStringLiteral("20010105")) << QDate(2001, 1, 5);
    QTest::newRow("YYYY/M/D") << QVariant(QStringLiteral("2001/1/5")) << QDate(2001, 1, 5);
    QTest::newRow("YYMMDD") << QVariant(QStringLiteral("010105")) << QDate(2001, 1, 5);
    QTest::newRow("MMDD this year") << QVariant(QStringLiteral("0105")) << QDate(QDate::currentDate().year(), 1, 5);
    QTest::newRow("length 7") << QVariant(QStringLiteral("2001015")) << zero;
    QTest::newRow("length 9") << QVariant(QStringLiteral("200101055")) << zero;
    QTest::newRow("length 11") << QVariant(QStringLiteral("20010105123")) << zero;
    QTest::newRow("no date") << QVariant(QStringLiteral("20011305")) << zero;
    QTest::newRow("empty") << QVariant() << zero;
}

void tst_cBase::cvtDate()
{
    QFETCH(QVariant, value);
    QFETCH(QDate, date);
    QCOMPARE(cBase().CvtDate(value).date(), date);
}

void tst_cBase::cvtMdb()
{
    cBase b;
    QVERIFY(vb::isNull(b.CvtMdb(0)));
    QVERIFY(vb::isNull(b.CvtMdb(QString())));
    QVERIFY(vb::isNull(b.CvtMdb(QStringLiteral("0.0"))));
    QCOMPARE(b.CvtMdb(QStringLiteral("  x ")).toString(), QStringLiteral("  x "));
    QVERIFY(vb::isNull(b.CvtMdb(vb::null())));
}

void tst_cBase::notFiniteNumbers_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<double>("dbl"); // CvtDbl
    QTest::addColumn<float>("sng");  // CvtSng
    QTest::newRow("NaN") << QVariant(kNaN) << 0.0 << 0.0f;
    QTest::newRow("infinity") << QVariant(kInf) << kInf << 0.0f;
    QTest::newRow("minus infinity") << QVariant(-kInf) << -kInf << 0.0f;
}

void tst_cBase::notFiniteNumbers()
{
    // No text and no literal: an empty value everywhere, never "nan" or "inf".
    QFETCH(QVariant, value);
    cBase b;
    QCOMPARE(b.CvtStr(value), QString());
    QTEST(b.CvtDbl(value), "dbl");
    QTEST(b.CvtSng(value), "sng");
    QVERIFY(vb::isNull(b.CvtSQLEx(value, cBase::SqlDouble)));
    QVERIFY(vb::isNull(b.CvtMdb(value)));
    QCOMPARE(b.CvtDate(value), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    QCOMPARE(vb::format(value, QStringLiteral("#,##0")), QString());
    QCOMPARE(vb::format(value, QStringLiteral("yyyy/mm/dd")), QString());
}

void tst_cBase::occurrenceFinders()
{
    cBase b;
    QCOMPARE(b.CountStrFrom(0, QStringLiteral("a'b"), QStringLiteral("'")), 0);
    QCOMPARE(b.CountStrFrom(1, QStringLiteral("aaaa"), QStringLiteral("aa")), 2);
    QCOMPARE(b.CountStrFrom(1, QStringLiteral("abc"), QString()), 0);
    QVector<int32_t> pos{7};
    QCOMPARE(b.GetStrPositions(1, QStringLiteral("abc"), QStringLiteral("'"), pos), 0);
    QCOMPARE(pos, QVector<int32_t>{7}); // untouched when nothing is found
    QCOMPARE(b.GetStrPositions(1, QStringLiteral("'a'b"), QStringLiteral("'"), pos), 2);
    QCOMPARE(pos, (QVector<int32_t>{1, 3}));
    QCOMPARE(b.InsertStr(-1, QStringLiteral("abc"), QStringLiteral("x")), QStringLiteral("abc"));
    QCOMPARE(b.InsertStr(0, QStringLiteral("abc"), QStringLiteral("x")), QStringLiteral("xabc"));
}

void tst_cBase::textUtilities()
{
    cBase b;
    QCOMPARE(b.StrLen(QStringLiteral("  ab  ")), 2);
    QCOMPARE(b.StrLen(vb::null()), 0);
    QString t = QStringLiteral("a") + QChar(0) + QStringLiteral("b") + QChar(0) + QChar(0) + QStringLiteral("c");
    QCOMPARE(b.NullTrim(t, true), QStringLiteral("a b"));
    QString u = QStringLiteral(" ab ") + QChar(0) + QStringLiteral("zz");
    QCOMPARE(b.NullTrim(u, false), QStringLiteral("ab"));
    QCOMPARE(u, QStringLiteral(" ab ")); // the caller keeps the cut, untrimmed text
    QCOMPARE(b.StrCount(1, QStringLiteral("aaaa"), QStringLiteral("aa"), 0), 2);
    QCOMPARE(b.StrCount(0, QStringLiteral("aaaa"), QStringLiteral("aa"), 0), -1);
    QCOMPARE(b.StrCount(1, QStringLiteral("abc"), QString(), 0), 3); // an empty find stops at the length
    QCOMPARE(b.InStrR(0, QStringLiteral("abcabc"), QStringLiteral("c"), 0), 6);
    // Probes step back by the length of the find text: 6, 4, 2; "bc" matches at 2.
    QCOMPARE(b.InStrR(0, QStringLiteral("abcabc"), QStringLiteral("bc"), 0), 2);
    QCOMPARE(b.InStrR(0, QStringLiteral("abcabc"), QStringLiteral("x"), 0), 0);
    QCOMPARE(b.InStrR(0, QStringLiteral("a"), QString(), 0), 1);
    QCOMPARE(b.InStrR(0, QString(), QString(), 0), -1);
    QCOMPARE(b.EOMonth(QDateTime(QDate(2004, 2, 10), QTime(9, 0))).date(), QDate(2004, 2, 29));
    QCOMPARE(b.FOMonth(QDateTime(QDate(2004, 2, 10), QTime(9, 0))), QDateTime(QDate(2004, 2, 1), QTime(0, 0)));
    QCOMPARE(b.GetAppVersion(1, 2, 3, QStringLiteral("00")), QStringLiteral("Ver 1.02.03"));
    QString junk = QStringLiteral("a-b/c");
    b.CvtJunkChar(junk, QStringLiteral("_"), QStringLiteral("-/"));
    QCOMPARE(junk, QStringLiteral("a_b_c"));
}

void tst_cBase::isDateEx_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isDate");
    QTest::newRow("2000 leap") << "2000/2/29" << true;
    QTest::newRow("1900 not leap") << "1900/2/29" << false;
    QTest::newRow("2004 leap") << "2004/2/29" << true;
    QTest::newRow("month 13") << "2001/13/1" << false;
    QTest::newRow("three slashes") << "2001/1/1/1" << false;
    QTest::newRow("no slash") << "20010101" << false;
    QTest::newRow("empty part") << "2001//1" << false;
    QTest::newRow("april 31") << "2001/4/31" << false;
}

void tst_cBase::isDateEx()
{
    QFETCH(QString, text);
    QFETCH(bool, isDate);
    QCOMPARE(cBase().IsDateEx(text), isDate);
}

void tst_cBase::byteCountedTexts()
{
    cBase b;
    QCOMPARE(b.LenANSI(QStringLiteral("漢字a")), 5);
    QCOMPARE(b.PickString(QStringLiteral("abcde"), 0, 3), QStringLiteral("abc"));
    QCOMPARE(b.PickString(QStringLiteral("abcde"), 4, 10), QStringLiteral("de"));
    QCOMPARE(b.PickString(QStringLiteral("漢字abc"), 3, 3), QStringLiteral("字a"));
    QCOMPARE(b.CnvWide(QStringLiteral("A"), 3, true), QStringLiteral("Ａ　　"));
    QCOMPARE(b.CnvWide(QStringLiteral("A"), 3, false), QStringLiteral("Ａ    "));
    QCOMPARE(b.CnvNarrow(QStringLiteral("ＡＢＣ"), 2), QStringLiteral("AB"));
    QCOMPARE(b.EditString(QStringLiteral("abc"), 6, QStringLiteral(" "), 2), QStringLiteral(" abc  "));
    QCOMPARE(b.EditString(QStringLiteral("abc"), 6, QStringLiteral("*"), 1), QStringLiteral("***abc"));
    QCOMPARE(b.EditString(QStringLiteral("abc"), 6, QStringLiteral("＊"), 0), QStringLiteral("abc＊ "));
    QCOMPARE(b.EditString(QStringLiteral("abcdef"), 4, QString(), 0), QStringLiteral("abcd"));
    QCOMPARE(b.EditString(QStringLiteral("abc"), 6, QString(), 9), QString());
    QCOMPARE(b.FixStrFormat(QStringLiteral("ab"), 4, false), QStringLiteral("  ab"));
    QCOMPARE(b.FixStrFormat(QStringLiteral("ab"), 4, true), QStringLiteral("ab  "));
}

QTEST_GUILESS_MAIN(tst_cBase)
#include "tst_cBase.moc"
