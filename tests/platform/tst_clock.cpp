#include "support/fixedclock.h"

#include <QTest>

class tst_Clock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void regionalFormats_data();
    void regionalFormats();
};

void tst_Clock::regionalFormats_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("shortDate");
    QTest::addColumn<QString>("generalDate");

    QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("12/7/26")
                                   << QStringLiteral("12/7/26 5:04:03 PM");
    QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("07.12.26")
                             << QStringLiteral("07.12.26 17:04:03");
    QTest::newRow("Britain") << QLocale(QLocale::English, QLocale::UnitedKingdom) << QStringLiteral("07/12/2026")
                             << QStringLiteral("07/12/2026 17:04:03");
}

void tst_Clock::regionalFormats()
{
    QFETCH(QLocale, locale);
    FixedClock clock;
    clock.regional = locale;
    QTEST(clock.shortDate(clock.now().date()), "shortDate");
    // The long time carries no time zone.
    QTEST(clock.generalDate(clock.now()), "generalDate");
}

QTEST_GUILESS_MAIN(tst_Clock)
#include "tst_clock.moc"
