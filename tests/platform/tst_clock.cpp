#include "support/fixedclock.h"

#include <QTest>

// The expected texts come from the locale itself, so the test holds whatever
// regional data the Qt build carries.
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

    QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany);
    QTest::newRow("Britain") << QLocale(QLocale::English, QLocale::UnitedKingdom);
    QTest::newRow("China, zone first") << QLocale(QLocale::Chinese, QLocale::China);
    QTest::newRow("Egypt, own digits") << QLocale(QLocale::Arabic, QLocale::Egypt);
}

void tst_Clock::regionalFormats()
{
    QFETCH(QLocale, locale);
    FixedClock clock;
    clock.regional = locale;
    const QDateTime moment = clock.now();

    const QString shortDate = clock.shortDate(moment.date());
    QCOMPARE(shortDate, locale.toString(moment.date(), QLocale::ShortFormat));
    QVERIFY(!shortDate.contains(locale.toString(moment.time(), u"mm")));

    // The general date is the short date, one blank and the long time, which
    // shows the seconds but no time zone.
    const QString general = clock.generalDate(moment);
    QVERIFY2(general.startsWith(shortDate + u' '), qPrintable(general));
    const QString time = general.mid(shortDate.size() + 1);
    QCOMPARE(time, time.trimmed());
    QVERIFY2(locale.timeFormat(QLocale::LongFormat).contains(u't'), "the long format of this locale has no zone");
    const QString zone = locale.toString(moment, u"t");
    QVERIFY(!zone.isEmpty());
    QVERIFY2(!time.contains(zone), qPrintable(time));
    for (const QString &part : {locale.toString(moment.time(), u"mm"), locale.toString(moment.time(), u"ss")})
        QVERIFY2(time.contains(part), qPrintable(time + u" lacks " + part));
}

QTEST_GUILESS_MAIN(tst_Clock)
#include "tst_clock.moc"
