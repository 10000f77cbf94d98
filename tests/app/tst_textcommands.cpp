#include "appfixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using Style = RichTextBox::Style;

namespace {

// A line break inside the first paragraph, then a second paragraph.
const QString Written = QStringLiteral("Ωmega\u2028bold\nend");

} // namespace

class tst_TextCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clipboardCarriesPlainText_data();
    void clipboardCarriesPlainText();
    void rewritesDropFormattingInOneUndoStep_data();
    void rewritesDropFormattingInOneUndoStep();
};

void tst_TextCommands::clipboardCarriesPlainText_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("text");      // afterwards; it starts as Written, "bold" in bold
    QTest::addColumn<QString>("clipboard"); // afterwards; it starts with "«pasted»" in bold as HTML
    QTest::addColumn<int>("selected");

    const QString start = QStringLiteral("Ωmega\nbold\nend"); // as Text() gives it
    const QString pasted = QStringLiteral("«pasted»");
    for (const char *how : {"menu Copy", "key C", "toolbar Copy", "editor copy"})
        QTest::newRow(how) << QString::fromLatin1(how) << 3 << 9 << start << QStringLiteral("ga\nbold\ne") << 9;
    for (const char *how : {"menu Cut", "key X", "toolbar Cut", "editor cut"})
        QTest::newRow(how) << QString::fromLatin1(how) << 3 << 9 << QStringLiteral("Ωmend") << QStringLiteral("ga\nbold\ne") << 0;
    QTest::newRow("Copy, caret") << QStringLiteral("menu Copy") << 3 << 0 << start << QString() << 0;
    QTest::newRow("Cut, caret") << QStringLiteral("key X") << 3 << 0 << start << QString() << 0;
    for (const char *how : {"menu Paste", "key V", "toolbar Paste", "editor paste"})
        QTest::newRow(how) << QString::fromLatin1(how) << 0 << 0 << QString(pasted + start) << pasted << 0;
    QTest::newRow("Paste over a selection") << QStringLiteral("key V") << 6 << 4
                                            << QStringLiteral("Ωmega\n«pasted»\nend") << pasted << 0;
    QTest::newRow("Select All") << QStringLiteral("key A") << 3 << 0 << start << pasted << int(start.size());
}

void tst_TextCommands::clipboardCarriesPlainText()
{
    QFETCH(QString, how);
    QFETCH(int, start);
    QFETCH(int, length);
    AppFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    RichTextBox &box = *f.document();
    box.SetFocus();
    f.write(Written, 6, 4);
    box.setSelBold(true);
    f.select(start, length);
    auto *rich = new QMimeData;
    rich->setHtml(QStringLiteral("<b>«pasted»</b>"));
    rich->setText(QStringLiteral("«pasted»"));
    QGuiApplication::clipboard()->setMimeData(rich);

    f.run(how);
    QTEST(box.Text(), "text");
    QTEST(box.SelLength(), "selected");
    QTEST(QGuiApplication::clipboard()->text(), "clipboard");
    if (how.contains(u"aste") || how.endsWith(u'V')) { // in the format at the caret, not the clipboard's
        f.select(int(box.Text().indexOf(u'«')), 8);
        QCOMPARE(box.SelBold(), start == 6 ? Style::On : Style::Off);
    } else if (!how.endsWith(u'A')) {
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
    }
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_TextCommands::rewritesDropFormattingInOneUndoStep_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected"); // "<stamp>" stands for the date and time

    const QString text = QStringLiteral("Straße über ǆungla\nΣοφίας");
    QTest::newRow("Upper Case, one word selected") << QStringLiteral("Upper") << 0 << 6
                                                   << QStringLiteral("STRASSE ÜBER ǄUNGLA\nΣΟΦΊΑΣ");
    QTest::newRow("Lower Case, final sigma kept") << QStringLiteral("LowerCase") << 3 << 0
                                                 << QStringLiteral("straße über ǆungla\nσοφίας");
    QTest::newRow("Date/Time at 0") << QStringLiteral("DateTime") << 0 << 0 << QString(u"<stamp>" + text);
    QTest::newRow("Date/Time over three from 4") << QStringLiteral("DateTime") << 4 << 3
                                                 << QStringLiteral("Stra<stamp>ße über ǆungla\nΣοφίας");
    QTest::newRow("Date/Time at the end") << QStringLiteral("DateTime") << int(text.size()) << 0 << QString(text + u"<stamp>");
}

void tst_TextCommands::rewritesDropFormattingInOneUndoStep()
{
    QFETCH(QString, item);
    QFETCH(int, start);
    QFETCH(QString, expected);
    AppFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    RichTextBox &box = *f.document();
    box.SetFocus();
    const QString text = QStringLiteral("Straße über ǆungla\nΣοφίας");
    f.write(text, 7, 4);
    box.setSelBold(true);
    QFETCH(int, length);
    f.select(start, length);

    f.run(u"menu " + item);
    expected.replace(QStringLiteral("<stamp>"), f.test.clock.generalDate(f.test.clock.moment));
    QCOMPARE(box.Text(), expected);
    if (item == u"DateTime")
        QCOMPARE(QList({box.SelStart(), box.SelLength()}), QList({start, 0}));
    f.select(0, int(expected.size()));
    QCOMPARE(box.SelBold(), Style::Off);

    QTest::keyClick(box.textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box.Text(), text);
    f.select(6, 5); // " übe": only "über" was bold
    QCOMPARE(box.SelBold(), Style::Mixed);
    QTest::keyClick(box.textEdit(), Qt::Key_Y, Qt::ControlModifier); // and one redo does it again
    QCOMPARE(box.Text(), expected);
}

QTEST_MAIN(tst_TextCommands)
#include "tst_textcommands.moc"
