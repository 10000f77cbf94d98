#include "platform/settingsstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_SettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valuesSurviveANewStore();
    void missingValuesAreEmpty();
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

void tst_SettingsStore::failureSaysWhy()
{
    QTemporaryDir dir;
    const QString blocked = dir.filePath(QStringLiteral("file"));
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly)); // a file where the folder should be
    file.close();
    SettingsStore store(blocked);
    QVERIFY(!store.setValue(QStringLiteral("Diary"), QStringLiteral("di"), QStringLiteral("di"), QStringLiteral("x")));
    QVERIFY(store.errorString().contains(blocked));
}

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
