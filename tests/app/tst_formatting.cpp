#include "appfixture.h"
#include "editor/frmdoc.h"
#include "platform/olecolor.h"
#include "platform/richtextbox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

using Style = RichTextBox::Style;

namespace {

Style styleOf(const RichTextBox &box, const QString &item)
{
    if (item == u"Bold")
        return box.SelBold();
    if (item == u"Italic")
        return box.SelItalic();
    if (item == u"Underline")
        return box.SelUnderline();
    return box.SelStrikeThru();
}

void select(RichTextBox &box, int start, int length)
{
    box.setSelStart(start);
    box.setSelLength(length);
}

// Runs a style toggle the way the row says: its menu item, its Ctrl key or
// its toolbar button.
void toggle(const AppFixture &f, const QString &how, const QString &item, const QString &key)
{
    if (how == u"menu")
        f.click(item);
    else if (how == u"toolbar")
        f.press(key);
    else
        QTest::keyClick(f.document()->textEdit(), Qt::Key(key[0].unicode()), Qt::ControlModifier);
}

} // namespace

class tst_Formatting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void styleTogglesTreatMixedAsOff_data();
    void styleTogglesTreatMixedAsOff();
    void commandsWithoutADocument_data();
    void commandsWithoutADocument();
    void fontDialogCopiesItsValuesInOrder_data();
    void fontDialogCopiesItsValuesInOrder();
    void coloursBeforeAndAfterAChoice_data();
    void coloursBeforeAndAfterAChoice();
    void fontSizeBox_data();
    void fontSizeBox();
    void toolbarKeys_data();
    void toolbarKeys();
};

void tst_Formatting::styleTogglesTreatMixedAsOff_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("key"); // the toolbar key; its first letter is the Ctrl key

    const char *const styles[][2] = {{"Bold", "B"}, {"Italic", "I"}, {"Underline", "U"}, {"Strikethru", "Strikethru"}};
    for (const auto &[item, key] : styles) {
        for (const char *how : {"menu", "toolbar", "key"}) {
            if (QByteArray(item) == "Strikethru" && QByteArray(how) == "key")
                continue; // no Ctrl key
            QTest::addRow("%s %s", item, how) << QString::fromLatin1(how) << QString::fromLatin1(item)
                                              << QString::fromLatin1(key);
        }
    }
}

void tst_Formatting::styleTogglesTreatMixedAsOff()
{
    QFETCH(QString, how);
    QFETCH(QString, item);
    QFETCH(QString, key);
    AppFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    RichTextBox &box = *f.document();
    box.SetFocus();
    box.setText(QStringLiteral("plain ΓΡΑΦΗ plain"));
    select(box, 6, 5);
    toggle(f, how, item, key); // the whole word: on
    QCOMPARE(styleOf(box, item), Style::On);
    select(box, 3, 5); // half of it
    QCOMPARE(styleOf(box, item), Style::Mixed);

    toggle(f, how, item, key);
    QCOMPARE(styleOf(box, item), Style::On);
    QVERIFY(f.item(item)->isChecked());
    toggle(f, how, item, key);
    QCOMPARE(styleOf(box, item), Style::Off);
    QVERIFY(!f.item(item)->isChecked());
    select(box, 6, 5);
    QCOMPARE(styleOf(box, item), Style::Mixed); // "ΓΡ" off, "ΑΦΗ" still on

    // At a bare caret the style is for the text typed next.
    box.setSelStart(int(box.Text().size()));
    toggle(f, how, item, key);
    QVERIFY(f.item(item)->isChecked());
    QTest::keyClicks(box.textEdit(), QStringLiteral("new"));
    select(box, int(box.Text().size()) - 3, 3);
    QCOMPARE(styleOf(box, item), Style::On);
    select(box, 0, 3);
    QCOMPARE(styleOf(box, item), Style::Off);
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_Formatting::commandsWithoutADocument_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("tells");

    for (const char *item : {"Print", "Cut", "Copy", "Paste", "SellectAll", "DateTime", "bgc", "Bold", "Italic",
                             "Underline", "Strikethru", "FontOpt", "FontCol", "LowerCase", "Upper"})
        QTest::addRow("menu %s", item) << QStringLiteral("menu") << QString::fromLatin1(item) << true;
    for (const char *key : {"Save", "Copy", "Cut", "Paste", "Print"})
        QTest::addRow("toolbar %s", key) << QStringLiteral("toolbar") << QString::fromLatin1(key) << true;
    for (const char *key : {"printp", "B", "I", "U", "Strikethru", "Left", "Centre", "Right", "Justify", "Clear"})
        QTest::addRow("toolbar %s", key) << QStringLiteral("toolbar") << QString::fromLatin1(key) << false;
    QTest::newRow("Font button") << QStringLiteral("button") << QStringLiteral("Command52") << true;
    QTest::newRow("size box") << QStringLiteral("box") << QStringLiteral("Combo1") << true;
}

void tst_Formatting::commandsWithoutADocument()
{
    QFETCH(QString, how);
    QFETCH(QString, name);
    AppFixture f;
    f.area().closeAllSubWindows();
    if (how == u"menu")
        f.click(name);
    else if (how == u"toolbar")
        f.press(name);
    else if (how == u"button")
        f.control<QPushButton>("Command52")->click();
    else
        f.control<QComboBox>("Combo1")->activated(6);

    QFETCH(bool, tells);
    QCOMPARE(f.test.dialogs.messageTexts(), tells ? QStringList{QStringLiteral("No Documents Open")} : QStringList());
    QCOMPARE(f.test.dialogs.messages.value(0).title, tells ? QStringLiteral("Quillmere") : QString());
    QVERIFY(f.test.dialogs.unexpected.isEmpty()); // no other dialog opened
    for (const char *item : {"Bold", "Italic", "Underline", "Strikethru"})
        QVERIFY2(!f.item(QString::fromLatin1(item))->isChecked(), item);
    QVERIFY(f.area().subWindowList().isEmpty());
}

void tst_Formatting::fontDialogCopiesItsValuesInOrder_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("sizeShown");

    QTest::newRow("Font Options, whole size") << QStringLiteral("menu") << QStringLiteral("DejaVu Serif") << 12.0 << QStringLiteral("12");
    QTest::newRow("Font button, half size") << QStringLiteral("button") << QStringLiteral("DejaVu Sans") << 10.5 << QStringLiteral("10.5");
    QTest::newRow("largest size") << QStringLiteral("menu") << QStringLiteral("明朝") << 1638.0 << QStringLiteral("1638");
}

void tst_Formatting::fontDialogCopiesItsValuesInOrder()
{
    QFETCH(QString, how);
    QFETCH(QString, name);
    QFETCH(double, size);
    AppFixture f;
    RichTextBox &box = *f.document();
    auto *sizeBox = f.control<QComboBox>("Combo1");
    const auto open = [&] {
        if (how == u"menu")
            f.click(QStringLiteral("FontOpt"));
        else
            f.control<QPushButton>("Command52")->click();
    };
    box.setText(QStringLiteral("small large tail"));
    select(box, 0, 5);
    box.setSelFontSize(7.0);
    select(box, 0, 11); // two sizes: only a size set before the read-back gives one

    // Cancelled before any choice: opens on the editor's own font and applies nothing.
    f.test.dialogs.fontAnswers = {std::nullopt};
    open();
    QCOMPARE(f.test.dialogs.fonts.size(), 1);
    QCOMPARE(f.test.dialogs.fonts[0].flags, 259);
    QCOMPARE(f.test.dialogs.fonts[0].values.name, box.document()->defaultFont().family());
    QCOMPARE(f.test.dialogs.fonts[0].values.size, box.document()->defaultFont().pointSizeF());
    QCOMPARE(box.SelFontSize(), std::nullopt);
    QCOMPARE(sizeBox->currentText(), QStringLiteral("8"));

    const FontValues chosen{name, size, true, false, true, true, OleColor::fromRgb(0x12, 0x34, 0x56)};
    f.test.dialogs.fontAnswers = {chosen, std::nullopt};
    open();
    QCOMPARE(box.SelFontSize(), size);
    QTEST(sizeBox->currentText(), "sizeShown");
    const QTextCharFormat format = box.textEdit()->textCursor().charFormat();
    QCOMPARE(format.fontFamilies().toStringList().value(0), name);
    QCOMPARE(format.foreground().color(), OleColor::toQColor(chosen.color));
    QCOMPARE(box.SelBold(), Style::On);
    QCOMPARE(box.SelItalic(), Style::Off);
    QCOMPARE(box.SelUnderline(), Style::On);
    QCOMPARE(box.SelStrikeThru(), Style::On);
    for (const char *item : {"Bold", "Underline", "Strikethru"})
        QVERIFY2(!f.item(QString::fromLatin1(item))->isChecked(), item); // marks belong to the toggles

    // Opened again it holds the last choice, and a cancel applies it again.
    select(box, 12, 4);
    open();
    QCOMPARE(f.test.dialogs.fonts.last().values, chosen);
    QCOMPARE(box.SelFontSize(), size);
    QCOMPARE(box.SelBold(), Style::On);
    QVERIFY(f.test.dialogs.unexpected.isEmpty());
}

void tst_Formatting::coloursBeforeAndAfterAChoice_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("Font Color") << QStringLiteral("FontCol");
    QTest::newRow("Background Color") << QStringLiteral("bgc");
}

void tst_Formatting::coloursBeforeAndAfterAChoice()
{
    QFETCH(QString, item);
    AppFixture f;
    RichTextBox &first = *f.document();
    f.click(QStringLiteral("New"));
    RichTextBox &second = *f.document();
    for (RichTextBox *box : {&first, &second}) {
        box->setText(QStringLiteral("text"));
        select(*box, 0, 4);
    }
    const bool background = item == u"bgc";
    const auto colourOf = [&](const RichTextBox &box) {
        return background ? box.textEdit()->palette().color(QPalette::Base)
                          : box.textEdit()->textCursor().charFormat().foreground().color();
    };
    const QColor firstBefore = colourOf(first);
    const QColor secondBefore = colourOf(second);

    f.test.dialogs.colorAnswers = {std::nullopt}; // before any choice: nothing changes
    f.click(item);
    QCOMPARE(colourOf(second), secondBefore);
    const quint32 own = OleColor::fromQColor(second.textEdit()->palette().color(background ? QPalette::Base : QPalette::Text));
    QCOMPARE(f.test.dialogs.colors[0].color, own);
    QCOMPARE(f.test.dialogs.colors[0].flags, background ? 0 : 2);

    const quint32 chosen = OleColor::fromRgb(200, 10, 99);
    f.test.dialogs.colorAnswers = {chosen};
    f.click(item);
    QCOMPARE(colourOf(second), OleColor::toQColor(chosen));
    QCOMPARE(colourOf(first), firstBefore); // the other document keeps its own

    f.area().setActiveSubWindow(f.area().subWindowList(QMdiArea::CreationOrder).first());
    f.test.dialogs.colorAnswers = {std::nullopt}; // a cancel applies the colour the dialog holds
    f.click(item);
    QCOMPARE(f.test.dialogs.colors.last().color, chosen);
    QCOMPARE(colourOf(first), OleColor::toQColor(chosen));
    QVERIFY(f.test.dialogs.unexpected.isEmpty());
}

void tst_Formatting::fontSizeBox_data()
{
    QTest::addColumn<QString>("entry"); // chosen from the list when it is one, else typed and confirmed
    QTest::addColumn<double>("size");   // 0: ignored

    QTest::newRow("first entry") << QStringLiteral("6") << 6.0;
    QTest::newRow("last entry") << QStringLiteral("96") << 96.0;
    QTest::newRow("typed, not listed") << QStringLiteral("13") << 13.0;
    QTest::newRow("typed fraction") << QStringLiteral("10.5") << 10.5;
    QTest::newRow("largest") << QStringLiteral("1638") << 1638.0;
    QTest::newRow("past the largest") << QStringLiteral("1639") << 0.0;
    QTest::newRow("zero") << QStringLiteral("0") << 0.0;
    QTest::newRow("not a number") << QStringLiteral("large") << 0.0;
}

void tst_Formatting::fontSizeBox()
{
    QFETCH(QString, entry);
    QFETCH(double, size);
    AppFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    RichTextBox &box = *f.document();
    box.setText(QStringLiteral("some words"));
    select(box, 5, 5);
    const std::optional<double> before = box.SelFontSize();
    auto *sizeBox = f.control<QComboBox>("Combo1");
    QCOMPARE(sizeBox->count(), 23);
    QCOMPARE(sizeBox->currentText(), QStringLiteral("8"));

    sizeBox->setFocus();
    const int listed = sizeBox->findText(entry);
    if (listed >= 0) {
        sizeBox->setCurrentIndex(listed);
        Q_EMIT sizeBox->activated(listed);
    } else {
        sizeBox->lineEdit()->selectAll();
        QTest::keyClicks(sizeBox->lineEdit(), entry);
        QTest::keyClick(sizeBox->lineEdit(), Qt::Key_Return);
    }
    QCOMPARE(box.SelFontSize(), size > 0 ? std::optional<double>(size) : before);
    QCOMPARE(box.textEdit()->hasFocus(), size > 0);
    QCOMPARE(sizeBox->count(), 23); // nothing typed is added to the list
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_Formatting::toolbarKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");   // the document's text afterwards
    QTest::addColumn<int>("before");     // the alignment of every paragraph before
    QTest::addColumn<int>("alignment");  // of the three paragraphs selected, afterwards
    QTest::addColumn<QString>("item");   // the menu item whose mark the key sets

    const int left = Qt::AlignLeft;
    const int centre = Qt::AlignHCenter;
    const int right = Qt::AlignRight;
    const QString text = QStringLiteral("one\ntwo\nthree\nfour");
    for (const char *key : {"printp", "Justify"})
        QTest::newRow(key) << QString::fromLatin1(key) << text << centre << centre << QString();
    QTest::newRow("Left") << QStringLiteral("Left") << text << centre << left << QString();
    QTest::newRow("Centre") << QStringLiteral("Centre") << text << right << centre << QString();
    QTest::newRow("Right") << QStringLiteral("Right") << text << centre << right << QString();
    QTest::newRow("Clear") << QStringLiteral("Clear") << QString() << centre << left << QString();
    QTest::newRow("B") << QStringLiteral("B") << text << centre << centre << QStringLiteral("Bold");
    QTest::newRow("I") << QStringLiteral("I") << text << centre << centre << QStringLiteral("Italic");
    QTest::newRow("U") << QStringLiteral("U") << text << centre << centre << QStringLiteral("Underline");
    QTest::newRow("Strikethru") << QStringLiteral("Strikethru") << text << centre << centre << QStringLiteral("Strikethru");
}

void tst_Formatting::toolbarKeys()
{
    QFETCH(QString, key);
    QFETCH(int, before);
    QFETCH(int, alignment);
    QFETCH(QString, item);
    AppFixture f;
    RichTextBox &box = *f.document();
    box.setText(QStringLiteral("one\ntwo\nthree\nfour"));
    select(box, 0, 18);
    box.setSelAlignment(before == Qt::AlignRight ? 1 : 2);
    select(box, 2, 7); // from the first paragraph into the third
    const QString caption = f.main().documents().activeWindow()->windowTitle();

    f.press(key);
    QTEST(box.Text(), "text");
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        QCOMPARE(int(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask),
                 block.blockNumber() < 3 ? alignment : before); // "four" is not touched
    if (!item.isEmpty()) {
        QVERIFY(f.item(item)->isChecked());
        QCOMPARE(styleOf(box, item), Style::On);
    }
    if (key == u"Clear") { // one step, which one undo takes back
        QCOMPARE(f.main().documents().activeWindow()->windowTitle(), caption);
        box.document()->undo();
        QCOMPARE(box.Text(), QStringLiteral("one\ntwo\nthree\nfour"));
    }
    QVERIFY(f.test.dialogs.messages.isEmpty());
    QVERIFY(f.test.dialogs.unexpected.isEmpty());
}

QTEST_MAIN(tst_Formatting)
#include "tst_formatting.moc"
