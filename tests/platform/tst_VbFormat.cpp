// Number formats of the reports, the graph and the yearly table, worked by hand.
#include "VbRuntime.h"

#include <QtTest>

class tst_VbFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numbers_data();
    void numbers();
};

void tst_VbFormat::numbers_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");

    // Whole numbers with separators: every group of three digits, however long the pattern.
    QTest::newRow("amount") << QVariant(1234567) << "##,###,##0"
                            << "1,234,567";
    QTest::newRow("amount, rounded down") << QVariant(1234567.4) << "##,###,##0"
                                          << "1,234,567";
    QTest::newRow("amount, half up") << QVariant(2.5) << "##,###,##0"
                                     << "3";
    QTest::newRow("amount, negative half away") << QVariant(-2.5) << "##,###,##0"
                                                << "-3";
    QTest::newRow("amount, zero") << QVariant(0) << "##,###,##0"
                                  << "0";
    QTest::newRow("amount, negative") << QVariant(-2500) << "##,###,##0"
                                      << "-2,500";
    QTest::newRow("amount wider than the pattern") << QVariant(qint64(12345678901)) << "##,###,##0"
                                                   << "12,345,678,901";
    QTest::newRow("32-bit limit") << QVariant(-2147483647 - 1) << "#,###,###,##0"
                                  << "-2,147,483,648";
    QTest::newRow("graph label") << QVariant(-200000) << "###,###,##0"
                                 << "-200,000";
    QTest::newRow("graph label, odd half step") << QVariant(1.5) << "###,###,##0"
                                                << "2";
    QTest::newRow("numeric text") << QVariant(QStringLiteral("123456")) << "##,###,##0"
                                  << "123,456";
    QTest::newRow("numeric text with decimals") << QVariant(QStringLiteral("12.6")) << "##,###,##0"
                                                << "13";
    QTest::newRow("empty text stays empty") << QVariant(QString()) << "##,###,##0" << QString();
    QTest::newRow("text that is no number") << QVariant(QStringLiteral("abc")) << "##,###,##0"
                                            << "abc";

    // Two decimals.
    QTest::newRow("area") << QVariant(12.5) << "####0.00"
                          << "12.50";
    QTest::newRow("area, no separator") << QVariant(12345.678) << "####0.00"
                                        << "12345.68";
    QTest::newRow("rate") << QVariant(2.5) << "#0.00"
                          << "2.50";
    QTest::newRow("rate, half away at the third place") << QVariant(0.125) << "#0.00"
                                                        << "0.13";
    QTest::newRow("rate, rounds up from 0.256") << QVariant(0.256) << "##0.00"
                                                << "0.26";
    QTest::newRow("rate stored as 1.00499...") << QVariant(1.005) << "##0.00"
                                               << "1.01";
    QTest::newRow("rate, carry into a new digit") << QVariant(99.995) << "##0.00"
                                                  << "100.00";
    QTest::newRow("rate below one") << QVariant(0.004) << "##0.00"
                                    << "0.00";

    // Three sections: the negative one empty (the positive one with a sign), the zero one given.
    QTest::newRow("zero section, positive") << QVariant(3.456) << "##0.00;;0.00"
                                            << "3.46";
    QTest::newRow("zero section, negative") << QVariant(-3.456) << "##0.00;;0.00"
                                            << "-3.46";
    QTest::newRow("zero section, zero") << QVariant(0) << "##0.00;;0.00"
                                        << "0.00";
    QTest::newRow("whole with zero section") << QVariant(-1234) << "###,##0;;0"
                                             << "-1,234";
    QTest::newRow("whole with zero section, zero") << QVariant(0) << "###,##0;;0"
                                                   << "0";
    QTest::newRow("short with zero section") << QVariant(7.5) << "#0;;0"
                                             << "8";
    QTest::newRow("given negative section") << QVariant(-1234) << "#,##0;(#,##0)"
                                            << "(1,234)";
    QTest::newRow("given zero section text") << QVariant(0) << "#,##0;-#,##0;\"なし\""
                                             << "なし";

    // Placeholders without a forced digit print nothing for zero.
    QTest::newRow("### of zero") << QVariant(0) << "###" << QString();
    QTest::newRow("##### of zero") << QVariant(0) << "#####" << QString();
    QTest::newRow("### wider than the pattern") << QVariant(12345) << "###"
                                                << "12345";
    QTest::newRow("##0 of zero") << QVariant(0) << "##0"
                                 << "0";
    QTest::newRow("##0 half") << QVariant(14.5) << "##0"
                              << "15";
    QTest::newRow("negative rounding to zero prints no sign") << QVariant(-0.4) << "##0"
                                                              << "0";
    QTest::newRow("sign in front of a literal") << QVariant(-5) << "\\\\#,##0"
                                                << "-\\5";
}

void tst_VbFormat::numbers()
{
    QFETCH(QVariant, value);
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QCOMPARE(vb::format(value, pattern), text);
}

QTEST_GUILESS_MAIN(tst_VbFormat)
#include "tst_VbFormat.moc"
