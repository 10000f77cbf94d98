#include "generators/generatorcatalogue.h"

#include <QSet>
#include <QTest>

class tst_GeneratorCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyRowIsWellFormed();
    void rowsAsDesigned_data();
    void rowsAsDesigned();
    void fourGeneratorsHaveAnotherFrame();
};

void tst_GeneratorCatalogue::everyRowIsWellFormed()
{
    QCOMPARE(GeneratorCatalogue::Entries.size(), std::size_t(44));
    QSet<QString> entries, classes, captions, files;
    for (const GeneratorEntry &e : GeneratorCatalogue::Entries) {
        const QString entry = QString::fromUtf16(e.listEntry);
        const QString className = QString::fromUtf16(e.className);
        const QString file = QString::fromUtf16(e.ideaFile);
        QVERIFY2(!entry.isEmpty() && entry == entry.trimmed(), qPrintable(entry));
        QVERIFY2(className.startsWith(u"frm") && className.size() > 3, qPrintable(className));
        QVERIFY(!QString::fromUtf16(e.caption).isEmpty());
        // A bare name in the program directory, never a path.
        QVERIFY2(file.endsWith(u".txt") && !file.contains(u'/') && !file.contains(u'\\'), qPrintable(file));
        entries.insert(entry);
        classes.insert(className);
        captions.insert(QString::fromUtf16(e.caption));
        files.insert(file);
    }
    // The launcher compares entries exactly, so no two may be equal.
    QCOMPARE(entries.size(), 44);
    QCOMPARE(classes.size(), 44);
    QCOMPARE(captions.size(), 44);
    QCOMPARE(files.size(), 44);
}

void tst_GeneratorCatalogue::rowsAsDesigned_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("design"); // list entry | class | caption | idea file

    QTest::newRow("first") << 0 << QStringLiteral("Villain Generator|frmVillain|Villains Generator|Villains.txt");
    QTest::newRow("caption differs from the entry")
        << 11 << QStringLiteral("Room/Location Generator|frmLocation|Location Generator|Location.txt");
    QTest::newRow("lower-case caption")
        << 23 << QStringLiteral("Evil-Sounding Name Generator|frmEvil2|Evil-Sounding name generator|Evil2.txt");
    QTest::newRow("spelt as designed")
        << 32 << QStringLiteral("Magical Incovations Generator|frmMagical|Magical Incovation Generator|Magical.txt");
    QTest::newRow("short caption") << 41 << QStringLiteral("Prompts Generator|frmPrompts|Prompts|Prompts.txt");
    QTest::newRow("last") << 43 << QStringLiteral("Quick Idea Story Generator|frmIdea|Quick Idea Generator|Idea.txt");
}

void tst_GeneratorCatalogue::rowsAsDesigned()
{
    QFETCH(int, row);
    const GeneratorEntry &e = GeneratorCatalogue::Entries.at(std::size_t(row));
    const QString actual = QString::fromUtf16(e.listEntry) + u'|' + QString::fromUtf16(e.className) + u'|'
        + QString::fromUtf16(e.caption) + u'|' + QString::fromUtf16(e.ideaFile);
    QTEST(actual, "design");
}

void tst_GeneratorCatalogue::fourGeneratorsHaveAnotherFrame()
{
    using Frame = Form::Frame;
    QStringList others;
    for (const GeneratorEntry &e : GeneratorCatalogue::Entries) {
        if (e.frame == Frame::FixedToolWindow)
            continue;
        others << QString::fromUtf16(e.className);
        const Frame expected = QStringView(e.className) == u"frmVehicles" ? Frame::FixedDialog
            : QStringView(e.className) == u"frmItem"                       ? Frame::SizableToolWindow
                                                                           : Frame::Sizable;
        QCOMPARE(e.frame, expected);
    }
    QCOMPARE(others, QStringList({QStringLiteral("frmTavern"), QStringLiteral("frmVehicles"),
                                  QStringLiteral("frmVampire"), QStringLiteral("frmItem")}));
}

QTEST_MAIN(tst_GeneratorCatalogue)
#include "tst_generatorcatalogue.moc"
