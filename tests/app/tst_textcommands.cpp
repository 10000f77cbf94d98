#include "appfixture.h"
#include "platform/richtextbox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>

using Style = RichTextBox::Style;

namespace {

// Runs a command the way the row says: "menu Cut", "key X", "toolbar Cut",
// or "editor cut" for the editor's own context-menu command.
void run(const AppFixture &f, const QString &how)
{
    const QString what = how.section(u' ', 1);
    if (how.startsWith(u"menu"))
        f.click(what);
    else if (how.startsWith(u"toolbar"))
        f.press(what);
    else if (how.startsWith(u"key"))
        QTest::keyClick(f.document()->textEdit(), Qt::Key(what[0].unicode()), Qt::ControlModifier);
    else
        QMetaObject::invokeMethod(f.document()->textEdit(), what.toLatin1().constData());
}

void putRichTextOnTheClipboard(const QString &text)
{
    auto *data = new QMimeData;
    data->setHtml(u"<b>" + text + u"</b>");
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

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
    QTest::addColumn<QString>("text");      // afterwards
    QTest::addColumn<QString>("clipboard"); // afterwards; the document's starting text is "Ωmega bold\nend"
    QTest::addColumn<int>("selected");      // the length of the selection afterwards

    const QString start = QStringLiteral("Ωmega bold\nend");
    for (const char *how : {"menu Copy", "key C", "toolbar Copy", "editor copy"}) {
        QTest::addRow("%s, selection", how) << QString::fromLatin1(how) << 3 << 9 << start << QStringLiteral("ga bold\ne") << 9;
        if (QByteArray(how) != "editor copy") // the editor's own copy is offered only for a selection
            QTest::addRow("%s, caret", how) << QString::fromLatin1(how) << 3 << 0 << start << QString() << 0;
    }
    for (const char *how : {"menu Cut", "key X", "toolbar Cut", "editor cut"}) {
        QTest::addRow("%s, selection", how) << QString::fromLatin1(how) << 3 << 9 << QStringLiteral("Ωmend") << QStringLiteral("ga bold\ne") << 0;
        if (QByteArray(how) != "editor cut")
            QTest::addRow("%s, caret", how) << QString::fromLatin1(how) << 3 << 0 << start << QString() << 0;
    }
    for (const char *how : {"menu Paste", "key V", "toolbar Paste", "editor paste"}) {
        QTest::addRow("%s, selection", how) << QString::fromLatin1(how) << 6 << 4 << QStringLiteral("Ωmega «pasted»\nend") << QString() << 0;
        QTest::addRow("%s, caret", how) << QString::fromLatin1(how) << 0 << 0 << QStringLiteral("«pasted»Ωmega bold\nend") << QString() << 0;
    }
    for (const char *how : {"menu SellectAll", "key A"})
        QTest::newRow(how) << QString::fromLatin1(how) << 3 << 0 << start << QString() << int(start.size());
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
    box.setText(QStringLiteral("Ωmega bold\nend"));
    box.setSelStart(6);
    box.setSelLength(4);
    box.setSelBold(true);
    box.setSelStart(start);
    box.setSelLength(length);
    putRichTextOnTheClipboard(QStringLiteral("«pasted»"));
    const bool pastes = how.endsWith(u"aste") || how.endsWith(u" V");

    run(f, how);
    QTEST(box.Text(), "text");
    QTEST(box.SelLength(), "selected");
    const QMimeData *clipboard = QGuiApplication::clipboard()->mimeData();
    if (pastes) { // arrived without its bold, in the format at the caret
        const int at = int(box.Text().indexOf(u"«pasted»"));
        box.setSelStart(at);
        box.setSelLength(8);
        QCOMPARE(box.SelBold(), start == 6 ? Style::On : Style::Off);
    } else if (!how.endsWith(u"SellectAll") && !how.endsWith(u" A")) {
        QTEST(clipboard->text(), "clipboard");
        QCOMPARE(clipboard->formats(), QStringList{QStringLiteral("text/plain")});
    }
    QVERIFY(f.test.dialogs.messages.isEmpty());

    // With an empty document Select All selects nothing.
    if (how.endsWith(u"SellectAll")) {
        box.setText(QString());
        run(f, how);
        QCOMPARE(box.SelLength(), 0);
    }
}

void tst_TextCommands::rewritesDropFormattingInOneUndoStep_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected"); // "<stamp>" stands for the date and time

    const QString text = QStringLiteral("Straße über ǆungla\nΣοφία");
    QTest::newRow("Upper Case, one word selected") << QStringLiteral("Upper") << 0 << 6
                                                   << QStringLiteral("STRASSE ÜBER ǄUNGLA\nΣΟΦΊΑ");
    QTest::newRow("Lower Case, at the caret") << QStringLiteral("LowerCase") << 3 << 0
                                              << QStringLiteral("straße über ǆungla\nσοφία");
    QTest::newRow("Date/Time at 0") << QStringLiteral("DateTime") << 0 << 0 << QString(u"<stamp>" + text);
    QTest::newRow("Date/Time over three from 4") << QStringLiteral("DateTime") << 4 << 3
                                                 << QStringLiteral("Stra<stamp>ße über ǆungla\nΣοφία");
    QTest::newRow("Date/Time at the end") << QStringLiteral("DateTime") << int(text.size()) << 0 << QString(text + u"<stamp>");
}

void tst_TextCommands::rewritesDropFormattingInOneUndoStep()
{
    QFETCH(QString, item);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, expected);
    AppFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    RichTextBox &box = *f.document();
    box.SetFocus();
    const QString text = QStringLiteral("Straße über ǆungla\nΣοφία");
    box.setText(text);
    box.setSelStart(7);
    box.setSelLength(4);
    box.setSelBold(true);
    box.setSelStart(start);
    box.setSelLength(length);

    f.click(item);
    expected.replace(QStringLiteral("<stamp>"), f.test.clock.generalDate(f.test.clock.moment));
    QCOMPARE(box.Text(), expected);
    if (item == u"DateTime") {
        QCOMPARE(box.SelStart(), start);
        QCOMPARE(box.SelLength(), 0);
    }
    box.setSelStart(0);
    box.setSelLength(int(expected.size()));
    QCOMPARE(box.SelBold(), Style::Off);

    QTest::keyClick(box.textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box.Text(), text);
    box.setSelStart(7);
    box.setSelLength(4);
    QCOMPARE(box.SelBold(), Style::On);
    box.setSelStart(0);
    box.setSelLength(7);
    QCOMPARE(box.SelBold(), Style::Off);
}

QTEST_MAIN(tst_TextCommands)
#include "tst_textcommands.moc"
