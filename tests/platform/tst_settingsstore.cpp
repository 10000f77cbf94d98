#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_SettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valuesSurviveANewStore();
    void missingValuesAreEmpty();
    void failureSaysWhy_data();
    void failureSaysWhy();
};

void tst_SettingsStore::valuesSurviveANewStore()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("not yet made"));
    {
        SettingsStore store(folder);
        QVERIFY(store.setValue(QStringLiteral("Diary"), QStringLiteral("di"), QStringLiteral("di"), QStringLiteral("p@ss wörd")));
        QVERIFY(store.setValue(QStringLiteral("Other"), QStringLiteral("di"), QStringLiteral("di"), QStringLiteral("x")));
    }
    SettingsStore again(folder);
    QCOMPARE(again.value(QStringLiteral("Diary"), QStringLiteral("di"), QStringLiteral("di")), QStringLiteral("p@ss wörd"));
    QCOMPARE(again.value(QStringLiteral("Other"), QStringLiteral("di"), QStringLiteral("di")), QStringLiteral("x"));
    QVERIFY(again.setValue(QStringLiteral("Diary"), QStringLiteral("di"), QStringLiteral("di"), QString()));
    QCOMPARE(again.value(QStringLiteral("Diary"), QStringLiteral("di"), QStringLiteral("di")), QString());
}

void tst_SettingsStore::missingValuesAreEmpty()
{
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    QCOMPARE(store.value(QStringLiteral("Diary"), QStringLiteral("di"), QStringLiteral("di")), QString());
}

void tst_SettingsStore::failureSaysWhy_data()
{
    QTest::addColumn<bool>("fileBlocked"); // else the folder
    QTest::newRow("a file where the folder should be") << false;
    QTest::newRow("a folder where the file should be") << true;
}

void tst_SettingsStore::failureSaysWhy()
{
    QFETCH(bool, fileBlocked);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("settings"));
    const QString blocked = fileBlocked ? folder + QStringLiteral("/Diary.ini") : folder;
    if (fileBlocked) {
        QVERIFY(QDir().mkpath(blocked));
    } else {
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    SettingsStore store(folder);
    QVERIFY(!store.setValue(QStringLiteral("Diary"), QStringLiteral("di"), QStringLiteral("di"), QStringLiteral("x")));
    QVERIFY2(store.errorString().startsWith(QDir::toNativeSeparators(blocked) + u':'), qPrintable(store.errorString()));
}

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
