#include "search/frmfind.h"
#include "editor/documentwindows.h"
#include "editor/frmdoc.h"
#include "platform/richtextbox.h"
#include "support/fixedclock.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

struct Fixture
{
    Fixture() { area.show(); }

    // A new active document holding `text`, the caret at `caret` (at the end when negative).
    RichTextBox *open(const QString &text, int caret = -1)
    {
        RichTextBox *editor = documents.NewDocument()->RichTextBox1();
        editor->setText(text);
        editor->setSelStart(caret < 0 ? int(text.size()) : caret);
        return editor;
    }
    void showDialog(const QString &what = {}, const QString &with = {})
    {
        Show(find);
        control<QComboBox>("cboFind")->setEditText(what);
        control<QComboBox>("cboReplace")->setEditText(with);
    }
    template<typename T = QPushButton>
    T *control(const char *name) const { return find.findChild<T *>(QString::fromLatin1(name)); }
    void tick(const char *option) const { control<QCheckBox>(option)->setCheckState(Qt::Checked); }
    // Presses buttons by letter: F Find, R Replace, A Replace All.
    void press(QStringView buttons) const
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
    FixedClock clock;
    DocumentWindows documents{area, dialogs, clock};
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
    void openingAndTheReplaceLayout();
    void findNextGoesOnFromTheDocumentsOwnSelection();
    void noHighlightFindsTheSameMatchAgainButReplacesIt();
    void replaceAllCountsEveryReplacement_data();
    void replaceAllCountsEveryReplacement();
    void replaceAllIsOneUndoStepAndKeepsFormatting();
    void replaceAllKeepsTheTextInView_data();
    void replaceAllKeepsTheTextInView();
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
    const QString one = u"one two one"_s;
    const QStringList none;
    const QStringList find{u"Larkquill - Find"_s};
    const QStringList replace{u"Larkquill - Replace"_s};
    const QStringList all{u"Larkquill - ReplaceAll"_s};
    QTest::newRow("Find, found") << "one" << "" << "F" << "&Find Next" << true << none << one << 0 << 3;
    QTest::newRow("Find, not found, stay enabled") << "three" << "" << "F" << "&Find" << true << find << one << 11 << 0;
    QTest::newRow("Find, not found, stay disabled") << "three" << "" << "RAF" << "&Find" << false << find << one << 11 << 0;
    QTest::newRow("Find, found, enabled again") << "two" << "two" << "RAF" << "&Find Next" << true << all << one << 4 << 3;
    QTest::newRow("Find Next, found") << "one" << "" << "FF" << "&Find Next" << true << none << one << 8 << 3;
    QTest::newRow("Find Next, not found") << "one" << "" << "FFF" << "&Find" << false << find << one << 8 << 3;
    QTest::newRow("then from the top") << "one" << "" << "FFFF" << "&Find Next" << true << find << one << 0 << 3;
    QTest::newRow("Replace, next found") << "one" << "1" << "FRR" << "&Find Next" << true << none << "1 two one" << 6 << 3;
    QTest::newRow("Replace, next not found") << "one" << "1" << "FRRR" << "&Find" << false << replace << "1 two 1" << 7 << 0;
    QTest::newRow("Replace at the caret") << "one" << "!" << "RR" << "&Find" << false << replace << "one two one!" << 12 << 0;
    QTest::newRow("Replace All") << "one" << "1" << "FRA" << "&Find" << false << all << "1 two 1" << 7 << 0;
    QTest::newRow("Replace All, no match") << "three" << "3" << "RA" << "&Find" << false << none << one << 11 << 0;
    QTest::newRow("empty find text") << "" << "x" << "FRA" << "&Find" << false << find << one << 11 << 0;
}

void tst_frmFind::searchStateFollowsEachPress()
{
    QFETCH(QString, what);
    QFETCH(QString, with);
    QFETCH(QString, presses);
    Fixture f;
    RichTextBox *editor = f.open(u"one two one"_s);
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
}

void tst_frmFind::searchRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("found"); // -1: not found

    const QStringList whole{u"chkWholeWord"_s};
    QTest::newRow("any case, Cyrillic") << "я МИР" << "мир" << QStringList() << 2;
    QTest::newRow("match case") << "Der der" << "der" << QStringList{u"chkMatchCase"_s} << 4;
    QTest::newRow("both options") << "Der derby der" << "der" << QStringList{u"chkMatchCase"_s, u"chkWholeWord"_s} << 10;
    QTest::newRow("accented letter after") << "café cafe" << "caf" << whole << -1;
    QTest::newRow("combining accent after") << u"cafe\u0301 cafe"_s << "cafe" << whole << 6;
    QTest::newRow("accented letter before") << "écart cart" << "cart" << whole << 6;
    QTest::newRow("Devanagari vowel sign") << u"\u0915\u093F \u0915"_s << u"\u0915"_s << whole << 3;
    QTest::newRow("letter beyond 16 bits") << u"\U00010400a a"_s << "a" << whole << 4;
    QTest::newRow("underscore joins") << "snake_case snake" << "snake" << whole << 11;
    QTest::newRow("digit joins") << "a1 a" << "a" << whole << 3;
    QTest::newRow("Hebrew letters join") << u"\u05E9\u05DC\u05D5\u05DD \u05E9\u05DC"_s << u"\u05E9\u05DC"_s << whole << 5;
    QTest::newRow("hyphen and line end bound") << "x-ray\nray" << "ray" << whole << 2;
    QTest::newRow("right after a rejected match") << "ba-a-" << "a-" << whole << 3;
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
    f.press(u"F");

    QCOMPARE(f.titles().size(), found < 0 ? 1 : 0);
    QCOMPARE(found < 0 ? -1 : editor->SelStart(), found);
    if (found >= 0)
        QCOMPARE(editor->SelText().toCaseFolded(), what.toCaseFolded());
}

void tst_frmFind::openingAndTheReplaceLayout()
{
    Fixture f;
    RichTextBox *editor = f.open(u"Straße Straße"_s, 0);
    editor->setSelLength(6);
    Show(f.find);
    QCOMPARE(f.find.windowTitle(), u"Find..."_s);
    QCOMPARE(f.control<QComboBox>("cboFind")->currentText(), u"Straße"_s);
    QCOMPARE(f.control<QComboBox>("cboFind")->count(), 1);

    f.tick("chkMatchCase");
    f.control<QComboBox>("cboReplace")->setEditText(u"Weg"_s);
    f.press(u"R"); // opens the layout only
    QCOMPARE(editor->SelText(), u"Straße"_s);
    QCOMPARE(f.control("cmdReplace")->text(), u"&Replace"_s);
    QVERIFY(f.control<QComboBox>("cboReplace")->isVisible() && f.control("cmdReplaceAll")->isVisible());
    const QList<QPushButton *> buttons = f.find.findChildren<QPushButton *>();
    for (const QPushButton *a : buttons)
        for (const QPushButton *b : buttons)
            QVERIFY(a == b || !a->geometry().intersects(b->geometry()));
    // Each label shows whole, left of its box.
    for (const char *name : {"lblFind", "lblReplace"}) {
        const QLabel *label = f.control<QLabel>(name);
        QVERIFY(label->width() >= label->sizeHint().width());
        QVERIFY(label->geometry().right() < label->buddy()->x());
    }

    f.press(u"R"); // the selection opened with is replaced, the next match selected
    QCOMPARE(editor->Text(), u"Weg Straße"_s);
    QCOMPARE(editor->SelStart(), 4);
    QCOMPARE(editor->SelLength(), 6);
    QTRY_VERIFY(editor->textEdit()->hasFocus());
    f.press(u"R"); // nothing left to replace
    QCOMPARE(editor->Text(), u"Weg Weg"_s);
    QVERIFY(!f.replaceEnabled());

    QLineEdit *typed = f.control<QComboBox>("cboFind")->lineEdit();
    QCheckBox *matchCase = f.control<QCheckBox>("chkMatchCase");
    matchCase->setFocus();
    QTest::keyClick(matchCase, Qt::Key_Escape);
    QVERIFY(!f.find.isVisible());
    editor->setSelStart(4);
    editor->setSelLength(3);
    Show(f.find); // a new load starts afresh from the document's selection
    QCOMPARE(f.control<QComboBox>("cboFind")->currentText(), u"Weg"_s);
    QCOMPARE(f.control<QComboBox>("cboFind")->count(), 1);
    QCOMPARE(f.control<QComboBox>("cboReplace")->currentText(), QString());
    QVERIFY(f.replaceEnabled());
    QCOMPARE(f.control("cmdReplace")->text(), u"&Replace..."_s);
    QVERIFY(f.control("cmdReplaceAll")->isHidden() && f.control<QComboBox>("cboReplace")->isHidden());
    QCOMPARE(matchCase->checkState(), Qt::Unchecked);
    QTRY_VERIFY(typed->hasFocus());
    QTest::keyClick(typed, Qt::Key_Return); // Enter finds, from the top
    QCOMPARE(editor->SelStart(), 0);
    QCOMPARE(f.caption(), u"&Find Next"_s);
}

void tst_frmFind::findNextGoesOnFromTheDocumentsOwnSelection()
{
    Fixture f;
    RichTextBox *first = f.open(u"ab ab ab ab"_s);
    RichTextBox *second = f.open(u"ab ab"_s, 2);
    f.area.setActiveSubWindow(f.area.subWindowList().first());
    // The writer was last in a box of the main window, such as the font size.
    QLineEdit box(&f.area);
    box.show();
    box.setFocus();
    f.showDialog(u"ab"_s);
    f.press(u"F");
    QCOMPARE(first->SelStart(), 0);
    QTRY_VERIFY(first->textEdit()->hasFocus());
    first->setSelStart(4); // the user moves the caret
    f.press(u"F");
    QCOMPARE(first->SelStart(), 6);

    f.area.setActiveSubWindow(f.area.subWindowList().last());
    f.press(u"F");
    QCOMPARE(second->SelStart(), 3);
    QCOMPARE(first->SelStart(), 6);

    // The next match starts after the whole of the last one, never inside it.
    RichTextBox *third = f.open(u"ёёёё"_s, 0);
    third->setSelLength(2);
    f.control<QComboBox>("cboFind")->setEditText(u"ёё"_s);
    f.press(u"F");
    QCOMPARE(third->SelStart(), 2);
    QVERIFY(f.dialogs.messages.isEmpty());
}

void tst_frmFind::noHighlightFindsTheSameMatchAgainButReplacesIt()
{
    Fixture f;
    RichTextBox *editor = f.open(u"zz ab ab"_s, 1);
    f.showDialog(u"ab"_s, u"cd"_s);
    f.tick("chkNoHighlight");
    f.press(u"FFF");
    QCOMPARE(editor->SelStart(), 1);
    QCOMPARE(editor->SelLength(), 0);
    QCOMPARE(f.caption(), u"&Find Next"_s);
    QVERIFY(f.dialogs.messages.isEmpty());

    // Replace writes at the caret, then selects the match it finds for the next press.
    f.press(u"RRR");
    QCOMPARE(editor->Text(), u"zcdz cd ab"_s);
    QCOMPARE(editor->SelStart(), 8);
    QCOMPARE(editor->SelLength(), 2);
    f.press(u"A");
    QCOMPARE(editor->Text(), u"zcdz cd cd"_s);
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
    QTest::newRow("matches that overlap") << "aaaaa" << "aa" << "b" << false << "bba" << 2;
    // The second "-" is judged by the "a" written before it.
    QTest::newRow("whole word next to a replacement") << "--" << "-" << "a" << true << "a-" << 1;
    // Each "-a" follows what stood before the one taken out ahead of it.
    QTest::newRow("whole word, side by side, taken out") << "-a-a-a" << "-a" << "" << true << "" << 3;
    // Many short paragraphs, as in a long story.
    QTest::newRow("16-bit limit") << u"x\n"_s.repeated(32767) << "x" << "yy" << false << u"yy\n"_s.repeated(32767) << 32767;
    QTest::newRow("first past it") << u"x\n"_s.repeated(32768) << "x" << "" << false << u"\n"_s.repeated(32768) << 32768;
    QTest::newRow("past 16 bits unsigned") << u"ž.\n"_s.repeated(65537) << "Ž" << "zh" << false << u"zh.\n"_s.repeated(65537) << 65537;
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
    f.press(u"RA");

    QTEST(editor->Text(), "result");
    QCOMPARE(f.dialogs.messageTexts(), QStringList{replacedMessage(count)});
    QCOMPARE(f.titles(), QStringList{u"Larkquill - ReplaceAll"_s});
    // The caret stands right after the last replacement.
    QCOMPARE(editor->SelLength(), 0);
    const QString result = editor->Text();
    QVERIFY(result.left(editor->SelStart()).endsWith(with));
    QVERIFY(with.isEmpty() || !result.mid(editor->SelStart()).contains(with));
}

void tst_frmFind::replaceAllIsOneUndoStepAndKeepsFormatting()
{
    Fixture f;
    RichTextBox *editor = f.open(u"one two one two"_s, 4);
    editor->setSelLength(3);
    editor->setSelBold(true);
    f.showDialog(u"one"_s, u"three"_s);
    f.press(u"RA");
    QCOMPARE(editor->Text(), u"three two three two"_s);
    editor->setSelStart(6);
    editor->setSelLength(3);
    QCOMPARE(editor->SelBold(), RichTextBox::Style::On);

    QTest::keyClick(editor->textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->Text(), u"one two one two"_s);
}

void tst_frmFind::replaceAllKeepsTheTextInView_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("with");
    QTest::addColumn<bool>("viewBeginsInsideAMatch");

    QString lines;
    for (int i = 0; i < 300; ++i)
        lines += u"line %1 x\n"_s.arg(i);
    QTest::newRow("a match on every line, replaced by text that wraps")
        << lines << u"x"_s << u"words that wrap "_s.repeated(20) << false;
    // Lines break after the spaces, so the line at the top of the view begins
    // right where a match ends; the replacement is as wide, so they stay.
    QTest::newRow("a match ending where the view begins") << u"ab "_s.repeated(20000) << u"ab "_s << u"ba "_s << false;
    // Each match wraps over many lines, so the view begins inside one: its
    // shorter replacement takes the place of the line the view began with.
    const QString longMatch = u"x"_s.repeated(3000);
    QTest::newRow("the view beginning inside a match")
        << QString(longMatch + u'\n').repeated(40) << longMatch << u"yz"_s << true;
}

void tst_frmFind::replaceAllKeepsTheTextInView()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(QString, with);
    QFETCH(bool, viewBeginsInsideAMatch);
    Fixture f;
    RichTextBox *editor = f.open(text, 0);
    editor->document()->size(); // laid out, as after reading for a while
    QCoreApplication::processEvents();
    QTextEdit *view = editor->textEdit();
    QScrollBar *scroll = view->verticalScrollBar();
    scroll->setValue(scroll->maximum() / 2);
    const int shown = view->cursorForPosition(QPoint(0, 0)).position();
    const auto heightInView = [view](int position) {
        QTextCursor at(view->document());
        at.setPosition(position);
        return view->cursorRect(at).top();
    };
    const int height = heightInView(shown);
    f.showDialog(what, with);
    f.press(u"RA");
    // What stood first in the view stands there still, as far up or down;
    // in place of a match, its replacement.
    const qsizetype match = text.lastIndexOf(what, shown);
    const bool inside = match >= 0 && match < shown && match + what.size() > shown;
    QCOMPARE(inside, viewBeginsInsideAMatch);
    const int shownAfter = int(QString(text.left(inside ? match : shown)).replace(what, with).size());
    QCOMPARE(heightInView(shownAfter), height);
}

void tst_frmFind::pressesWithNoDocumentChangeNothing()
{
    Fixture f;
    f.open(u"one"_s);
    f.showDialog(u"one"_s, u"1"_s);
    f.press(u"FR");
    f.area.closeAllSubWindows();
    f.press(u"FRA");
    QCOMPARE(f.dialogs.messageTexts(), QStringList(3, u"No Documents Open"_s));
    QCOMPARE(f.caption(), u"&Find Next"_s);
    QVERIFY(f.replaceEnabled());
}

QTEST_MAIN(tst_frmFind)
#include "tst_frmfind.moc"
