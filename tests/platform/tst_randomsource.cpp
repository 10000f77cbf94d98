#include "platform/randomsource.h"

#include <QTest>

class tst_RandomSource : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unitFloatStaysBelowOne_data();
    void unitFloatStaysBelowOne();
    void seededSequenceRepeatsAndStaysInRange();
};

void tst_RandomSource::unitFloatStaysBelowOne_data()
{
    QTest::addColumn<uint>("bits");
    QTest::addColumn<float>("value");

    QTest::newRow("zero") << 0u << 0.0f;
    QTest::newRow("low bits ignored") << 0xFFu << 0.0f;
    QTest::newRow("first bit kept") << 0x100u << 1.0f / 16777216.0f;
    QTest::newRow("half") << 0x80000000u << 0.5f;
    QTest::newRow("all ones") << 0xFFFFFFFFu << 16777215.0f / 16777216.0f;
}

void tst_RandomSource::unitFloatStaysBelowOne()
{
    QFETCH(uint, bits);
    QFETCH(float, value);
    const float r = ClockSeededRandom::toUnitFloat(bits);
    QCOMPARE(r, value);
    QVERIFY(r < 1.0f);
}

void tst_RandomSource::seededSequenceRepeatsAndStaysInRange()
{
    ClockSeededRandom a;
    ClockSeededRandom b;
    a.seed(42);
    b.seed(42);
    for (int i = 0; i < 10000; ++i) {
        const float r = a.next();
        QCOMPARE(r, b.next());
        QVERIFY(r >= 0.0f && r < 1.0f);
    }
}

QTEST_GUILESS_MAIN(tst_RandomSource)
#include "tst_randomsource.moc"
