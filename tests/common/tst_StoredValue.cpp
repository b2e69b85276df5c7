#include "StoredValue.h"

#include "VbRuntime.h"
#include "cBase.h"

#include <QtTest>

#include <stdexcept>

// The stored form of a control's value: bound as it is, never cut to its column.
class tst_StoredValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedValues_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVariant>("stored"); // invalid: the value is refused
        QTest::newRow("text trimmed") << QVariant(" 駅前 ") << int(cBase::SqlText) << QVariant("駅前");
        QTest::newRow("blank text") << QVariant("   ") << int(cBase::SqlText) << vb::null();
        QTest::newRow("empty box") << vb::null() << int(cBase::SqlLong) << vb::null();
        QTest::newRow("half to even, down") << QVariant(2.5) << int(cBase::SqlLong) << QVariant(2);
        QTest::newRow("half to even, up") << QVariant(3.5) << int(cBase::SqlLong) << QVariant(4);
        QTest::newRow("largest long") << QVariant(2147483647.0) << int(cBase::SqlLong) << QVariant(2147483647);
        QTest::newRow("beyond a long") << QVariant(2147483648.0) << int(cBase::SqlLong) << QVariant();
        QTest::newRow("double") << QVariant(12.25) << int(cBase::SqlDouble) << QVariant(12.25);
    }
    void storedValues()
    {
        QFETCH(QVariant, value);
        QFETCH(int, kind);
        QFETCH(QVariant, stored);
        if (!stored.isValid()) {
            QVERIFY_THROWS_EXCEPTION(std::overflow_error, storedValue(value, kind));
            return;
        }
        const QVariant result = storedValue(value, kind);
        QCOMPARE(vb::isNull(result), vb::isNull(stored));
        if (!vb::isNull(stored))
            QCOMPARE(result, stored);
    }
};

QTEST_GUILESS_MAIN(tst_StoredValue)
#include "tst_StoredValue.moc"
