#include "search/frmfind.h"
#include "editor/documentwindows.h"
#include "editor/frmdoc.h"
#include "platform/richtextbox.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

class Fixture
{
public:
    Fixture()
    {
        area.resize(640, 480);
        area.show();
    }

    // A new active document holding `text`, with the caret at `caret`
    // (the end of the text when negative).
    RichTextBox *open(const QString &text, int caret = -1)
    {
        RichTextBox *editor = documents.NewDocument()->RichTextBox1();
        editor->setText(text);
        editor->setSelStart(caret < 0 ? int(text.size()) : caret);
        return editor;
    }

    void activate(RichTextBox *editor)
    {
        area.setActiveSubWindow(qobject_cast<QMdiSubWindow *>(editor->parentWidget()->parentWidget()));
    }

    // Opens the dialog with `what` as the find text and `with` as the replacement.
    void showDialog(const QString &what = {}, const QString &with = {})
    {
        Show(find);
        box("cboFind")->setEditText(what);
        box("cboReplace")->setEditText(with);
    }

    template<typename T = QPushButton>
    T *control(const char *name) const { return find.findChild<T *>(QString::fromLatin1(name)); }
    QComboBox *box(const char *name) const { return control<QComboBox>(name); }
    void tick(const char *option) const { control<QCheckBox>(option)->setCheckState(Qt::Checked); }

    // Presses the buttons named by letters: F Find, R Replace, A Replace All.
    void press(const QString &buttons) const
    {
        for (const QChar b : buttons)
            control(b == u'F' ? "cmdFind" : b == u'R' ? "cmdReplace" : "cmdReplaceAll")->click();
    }

    QString caption() const { return control("cmdFind")->text(); }
    bool replaceEnabled() const { return control("cmdReplace")->isEnabled() && control("cmdReplaceAll")->isEnabled(); }
    QStringList titles() const
    {
        QStringList result;
        for (const MessageBoxRequest &m : dialogs.messages)
            result << m.title;
        return result;
    }

    ScriptedDialogs dialogs;
    QMdiArea area;
    DocumentWindows documents{area, dialogs};
    frmFind find{documents, dialogs, &area};
};

QString replacedMessage(int count)
{
    return u"The specified region has been searched. \r\n" + QString::number(count) + u" replacements have been made.";
}

} // namespace

class tst_frmFind : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searchStateFollowsEachPress_data();
    void searchStateFollowsEachPress();
    void searchRules_data();
    void searchRules();
    void openingTakesTheSelectionAndStartsInTheFindLayout();
    void replaceLayoutOpensOnTheFirstPressOnly();
    void findNextGoesOnFromTheDocumentsOwnSelection();
    void noHighlightFindsTheSameMatchAgainButReplacesIt();
    void replaceAllCountsEveryReplacement_data();
    void replaceAllCountsEveryReplacement();
    void replaceAllIsOneUndoStepAndKeepsFormatting();
    void pressesWithNoDocumentChangeNothing();
};

void tst_frmFind::searchStateFollowsEachPress_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("presses");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");

    // Every row starts on "one two one" with the caret at the end, so a
    // first press must search from the top.
    const QString original = QStringLiteral("one two one");
    const QString find = QStringLiteral("Larkquill - Find");
    const QString replace = QStringLiteral("Larkquill - Replace");
    const QString all = QStringLiteral("Larkquill - ReplaceAll");
    QTest::newRow("Find, found") << "one" << "" << "F" << "&Find Next" << true << QStringList() << original << 0 << 3;
    QTest::newRow("Find, not found, buttons stay enabled")
        << "three" << "" << "F" << "&Find" << true << QStringList{find} << original << 11 << 0;
    QTest::newRow("Find, not found, buttons stay disabled")
        << "three" << "" << "RAF" << "&Find" << false << QStringList{find} << original << 11 << 0;
    QTest::newRow("Find, found, buttons enabled again")
        << "two" << "two" << "RAF" << "&Find Next" << true << QStringList{all} << original << 4 << 3;
    QTest::newRow("Find Next, found") << "one" << "" << "FF" << "&Find Next" << true << QStringList() << original << 8 << 3;
    QTest::newRow("Find Next, not found")
        << "one" << "" << "FFF" << "&Find" << false << QStringList{find} << original << 8 << 3;
    QTest::newRow("Find after Find Next failed starts at the top")
        << "one" << "" << "FFFF" << "&Find Next" << true << QStringList{find} << original << 0 << 3;
    QTest::newRow("Replace, next found, caption kept")
        << "one" << "1" << "FRR" << "&Find Next" << true << QStringList() << "1 two one" << 6 << 3;
    QTest::newRow("Replace, next not found, after Find Next")
        << "one" << "1" << "FRRR" << "&Find" << false << QStringList{replace} << "1 two 1" << 7 << 0;
    QTest::newRow("Replace at the caret, next not found")
        << "one" << "!" << "RR" << "&Find" << false << QStringList{replace} << "one two one!" << 12 << 0;
    QTest::newRow("Replace All after Find Next")
        << "one" << "1" << "FRA" << "&Find" << false << QStringList{all} << "1 two 1" << 7 << 0;
    QTest::newRow("Replace All, no match")
        << "three" << "3" << "RA" << "&Find" << false << QStringList() << original << 11 << 0;
    QTest::newRow("empty find text") << "" << "x" << "FRA" << "&Find" << false << QStringList{find} << original << 11 << 0;
}

void tst_frmFind::searchStateFollowsEachPress()
{
    QFETCH(QString, what);
    QFETCH(QString, with);
    QFETCH(QString, presses);
    Fixture f;
    RichTextBox *editor = f.open(QStringLiteral("one two one"));
    f.showDialog(what, with);
    f.press(presses);

    QTEST(f.caption(), "caption");
    QTEST(f.replaceEnabled(), "enabled");
    QTEST(f.titles(), "titles");
    QTEST(editor->Text(), "text");
    QTEST(editor->SelStart(), "selStart");
    QTEST(editor->SelLength(), "selLength");
    for (const MessageBoxRequest &m : std::as_const(f.dialogs.messages))
        QCOMPARE(m.text == u"Text not found", m.title != u"Larkquill - ReplaceAll");
    QVERIFY(f.find.isVisible());
}

void tst_frmFind::searchRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("found"); // -1: not found

    const QStringList whole{QStringLiteral("chkWholeWord")};
    QTest::newRow("any case") << "a DER" << "der" << QStringList() << 2;
    QTest::newRow("any case, Cyrillic") << "я МИР" << "мир" << QStringList() << 2;
    QTest::newRow("match case") << "Der der" << "der" << QStringList{QStringLiteral("chkMatchCase")} << 4;
    QTest::newRow("whole word and case together")
        << "Der derby der" << "der" << QStringList{QStringLiteral("chkMatchCase"), QStringLiteral("chkWholeWord")} << 10;
    QTest::newRow("inside a word") << "derby" << "der" << QStringList() << 0;
    QTest::newRow("accented letter after") << "café cafe" << "caf" << whole << -1;
    QTest::newRow("combining accent after") << u"cafe\u0301 cafe"_s << "cafe" << whole << 6;
    QTest::newRow("accented letter before") << "écart cart" << "cart" << whole << 6;
    QTest::newRow("Greek letters around") << "αβγ β" << "β" << whole << 4;
    QTest::newRow("Devanagari vowel sign after") << u"\u0915\u093F \u0915"_s << u"\u0915"_s << whole << 3;
    QTest::newRow("letter beyond 16 bits before") << u"\U00010400a a"_s << "a" << whole << 4;
    QTest::newRow("underscore joins") << "snake_case snake" << "snake" << whole << 11;
    QTest::newRow("digit joins") << "a1 a" << "a" << whole << 3;
    QTest::newRow("hyphen and line end bound") << "x-ray\nray" << "ray" << whole << 2;
    QTest::newRow("match right after a rejected one") << "ba-a-" << "a-" << whole << 3;
}

void tst_frmFind::searchRules()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(QStringList, options);
    QFETCH(int, found);
    Fixture f;
    RichTextBox *editor = f.open(text);
    f.showDialog(what);
    for (const QString &option : std::as_const(options))
        f.tick(option.toLatin1().constData());
    f.press(QStringLiteral("F"));

    QCOMPARE(f.titles().size(), found < 0 ? 1 : 0);
    if (found >= 0) {
        QCOMPARE(editor->SelStart(), found);
        QCOMPARE(editor->SelText().toCaseFolded(), what.toCaseFolded());
    }
}

void tst_frmFind::openingTakesTheSelectionAndStartsInTheFindLayout()
{
    Fixture f;
    RichTextBox *editor = f.open(QStringLiteral("Straße, Weg"), 0);
    editor->setSelLength(6);
    Show(f.find);
    QCOMPARE(f.find.windowTitle(), QStringLiteral("Find..."));
    QCOMPARE(f.box("cboFind")->currentText(), QStringLiteral("Straße"));
    QCOMPARE(f.box("cboFind")->count(), 1);
    QCOMPARE(f.box("cboReplace")->count(), 0);
    QCOMPARE(f.control("cmdReplace")->text(), QStringLiteral("&Replace..."));
    QVERIFY(f.control<QLabel>("lblReplace")->isHidden() && f.box("cboReplace")->isHidden()
            && f.control("cmdReplaceAll")->isHidden());

    // Open again while open: nothing is refreshed. After Cancel, the next
    // opening starts afresh from the new selection.
    f.tick("chkMatchCase");
    f.press(QStringLiteral("RF"));
    editor->setSelStart(8);
    editor->setSelLength(3);
    Show(f.find);
    QCOMPARE(f.box("cboFind")->currentText(), QStringLiteral("Straße"));
    QCOMPARE(f.caption(), QStringLiteral("&Find Next"));
    f.control("cmdCancel")->click();
    QVERIFY(!f.find.isVisible());
    Show(f.find);
    QCOMPARE(f.box("cboFind")->currentText(), QStringLiteral("Weg"));
    QCOMPARE(f.box("cboFind")->count(), 1);
    QCOMPARE(f.caption(), QStringLiteral("&Find"));
    QCOMPARE(f.control("cmdReplace")->text(), QStringLiteral("&Replace..."));
    QCOMPARE(f.control<QCheckBox>("chkMatchCase")->checkState(), Qt::Unchecked);
}

void tst_frmFind::replaceLayoutOpensOnTheFirstPressOnly()
{
    Fixture f;
    RichTextBox *editor = f.open(QStringLiteral("one one"), 0);
    editor->setSelLength(3);
    Show(f.find); // the selection is the find text
    f.box("cboReplace")->setEditText(QStringLiteral("1"));
    const auto buttonsApart = [&f] {
        const QList<QPushButton *> buttons = f.find.findChildren<QPushButton *>();
        for (const QPushButton *a : buttons)
            for (const QPushButton *b : buttons)
                if (a != b && a->isVisible() && b->isVisible() && a->geometry().intersects(b->geometry()))
                    return false;
        return true;
    };
    QVERIFY(buttonsApart());

    f.press(QStringLiteral("R"));
    QCOMPARE(editor->Text(), QStringLiteral("one one"));
    QCOMPARE(editor->SelLength(), 3);
    QCOMPARE(f.control("cmdReplace")->text(), QStringLiteral("&Replace"));
    QVERIFY(f.box("cboReplace")->isVisible() && f.control("cmdReplaceAll")->isVisible());
    QVERIFY(buttonsApart());

    f.press(QStringLiteral("R"));
    QCOMPARE(editor->Text(), QStringLiteral("1 one"));
    QCOMPARE(editor->SelStart(), 2);
    QCOMPARE(editor->SelLength(), 3);
    QTRY_VERIFY(editor->textEdit()->hasFocus());
}

void tst_frmFind::findNextGoesOnFromTheDocumentsOwnSelection()
{
    Fixture f;
    RichTextBox *first = f.open(QStringLiteral("ab ab ab ab"));
    RichTextBox *second = f.open(QStringLiteral("ab ab"), 2);
    f.activate(first);
    f.showDialog(QStringLiteral("ab"));
    f.press(QStringLiteral("F"));
    QCOMPARE(first->SelStart(), 0);
    QTRY_VERIFY(first->textEdit()->hasFocus());

    first->setSelStart(4); // the user moves the caret
    f.press(QStringLiteral("F"));
    QCOMPARE(first->SelStart(), 6);

    f.activate(second);
    f.press(QStringLiteral("F"));
    QCOMPARE(second->SelStart(), 3);
    QCOMPARE(first->SelStart(), 6);
    QTRY_VERIFY(second->textEdit()->hasFocus());
    QVERIFY(f.dialogs.messages.isEmpty());
}

void tst_frmFind::noHighlightFindsTheSameMatchAgainButReplacesIt()
{
    Fixture f;
    RichTextBox *editor = f.open(QStringLiteral("zz ab ab"), 1);
    f.showDialog(QStringLiteral("ab"), QStringLiteral("cd"));
    f.tick("chkNoHighlight");
    f.press(QStringLiteral("FFF"));
    QCOMPARE(editor->SelStart(), 1);
    QCOMPARE(editor->SelLength(), 0);
    QCOMPARE(f.caption(), QStringLiteral("&Find Next"));
    QVERIFY(f.dialogs.messages.isEmpty());

    // The first Replace writes at the caret, as with nothing selected; the
    // match it then finds is selected for the next one to write over.
    f.press(QStringLiteral("RRR"));
    QCOMPARE(editor->Text(), QStringLiteral("zcdz cd ab"));
    QCOMPARE(editor->SelStart(), 8);
    QCOMPARE(editor->SelLength(), 2);
    f.press(QStringLiteral("A"));
    QCOMPARE(editor->Text(), QStringLiteral("zcdz cd cd"));
    QCOMPARE(f.dialogs.messageTexts(), QStringList{replacedMessage(1)});
}

void tst_frmFind::replaceAllCountsEveryReplacement_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("with");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("count");

    QTest::newRow("one") << "a b" << "b" << "c" << false << "a c" << 1;
    QTest::newRow("replacement holds the find text") << "ab xab" << "ab" << "abab" << false << "abab xabab" << 2;
    QTest::newRow("empty replacement, side by side") << "oneONE one" << "one" << "" << false << " " << 3;
    // The second "-" is judged by the "a" written before it.
    QTest::newRow("whole word next to a replacement") << "--" << "-" << "a" << true << "a-" << 1;
    const auto many = [](int n, const QString &word) { return word.repeated(n); };
    QTest::newRow("16-bit limit") << many(32767, u"x "_s) << "x" << "yy" << false << many(32767, u"yy "_s) << 32767;
    QTest::newRow("first past the 16-bit limit") << many(32768, u"x "_s) << "x" << "" << false << many(32768, u" "_s) << 32768;
    QTest::newRow("far past the 16-bit limit") << many(70001, u"ž"_s) << "Ž" << "zh" << false << many(70001, u"zh"_s) << 70001;
}

void tst_frmFind::replaceAllCountsEveryReplacement()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(QString, with);
    QFETCH(bool, wholeWord);
    QFETCH(int, count);
    Fixture f;
    RichTextBox *editor = f.open(text, 0);
    f.showDialog(what, with);
    if (wholeWord)
        f.tick("chkWholeWord");
    f.press(QStringLiteral("RA"));

    QTEST(editor->Text(), "result");
    QCOMPARE(f.dialogs.messageTexts(), QStringList{replacedMessage(count)});
    QCOMPARE(f.titles(), QStringList{QStringLiteral("Larkquill - ReplaceAll")});
    // The caret stands right after the last replacement.
    QCOMPARE(editor->SelLength(), 0);
    QVERIFY(editor->Text().left(editor->SelStart()).endsWith(with));
    QVERIFY(editor->Text().mid(editor->SelStart()).indexOf(with) < 0 || with.isEmpty());
}

void tst_frmFind::replaceAllIsOneUndoStepAndKeepsFormatting()
{
    Fixture f;
    RichTextBox *editor = f.open(QStringLiteral("one two one two"));
    editor->setSelStart(4);
    editor->setSelLength(3);
    editor->setSelBold(true);
    editor->setSelStart(0);
    f.showDialog(QStringLiteral("one"), QStringLiteral("three"));
    f.press(QStringLiteral("RA"));
    QCOMPARE(editor->Text(), QStringLiteral("three two three two"));
    editor->setSelStart(6);
    editor->setSelLength(3);
    QCOMPARE(editor->SelBold(), RichTextBox::Style::On);

    QTest::keyClick(editor->textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->Text(), QStringLiteral("one two one two"));
}

void tst_frmFind::pressesWithNoDocumentChangeNothing()
{
    Fixture f;
    f.open(QStringLiteral("one"));
    f.showDialog(QStringLiteral("one"), QStringLiteral("1"));
    f.press(QStringLiteral("FR"));
    f.area.closeAllSubWindows();
    f.press(QStringLiteral("FRA"));
    QCOMPARE(f.dialogs.messageTexts(), QStringList(3, QStringLiteral("No Documents Open")));
    QCOMPARE(f.caption(), QStringLiteral("&Find Next"));
    QVERIFY(f.replaceEnabled());
}

QTEST_MAIN(tst_frmFind)
#include "tst_frmfind.moc"
