#include "appfixture.h"
#include "platform/olecolor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>

using Style = RichTextBox::Style;

namespace {

Style styleOf(const RichTextBox &box, const QString &item)
{
    if (item == u"Bold")
        return box.SelBold();
    if (item == u"Italic")
        return box.SelItalic();
    return item == u"Underline" ? box.SelUnderline() : box.SelStrikeThru();
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
    void fontDialogCopiesItsValues_data();
    void fontDialogCopiesItsValues();
    void sizeTypedInTheToolbar_data();
    void sizeTypedInTheToolbar();
    void coloursOfOneDocument_data();
    void coloursOfOneDocument();
    void alignmentsAndClear_data();
    void alignmentsAndClear();
};

void tst_Formatting::styleTogglesTreatMixedAsOff_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("how");
    const char *const rows[][2] = {{"Bold", "menu Bold"},     {"Bold", "key B"},         {"Bold", "toolbar B"},
                                   {"Italic", "key I"},       {"Italic", "toolbar I"},   {"Underline", "key U"},
                                   {"Underline", "toolbar U"}, {"Strikethru", "menu Strikethru"},
                                   {"Strikethru", "toolbar Strikethru"}};
    for (const auto &[item, how] : rows)
        QTest::newRow(how) << QString::fromLatin1(item) << QString::fromLatin1(how);
}

void tst_Formatting::styleTogglesTreatMixedAsOff()
{
    QFETCH(QString, item);
    QFETCH(QString, how);
    AppFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    RichTextBox &box = *f.document();
    box.SetFocus();
    f.write(QStringLiteral("plain ΓΡΑΦΗ plain"), 6, 5);
    f.run(how);
    f.select(3, 5); // half of the styled word
    QCOMPARE(styleOf(box, item), Style::Mixed);

    f.run(how);
    QCOMPARE(styleOf(box, item), Style::On);
    QVERIFY(f.item(item)->isChecked());
    f.run(how);
    QCOMPARE(styleOf(box, item), Style::Off);
    QVERIFY(!f.item(item)->isChecked());

    f.select(int(box.Text().size()), 0); // a bare caret: the style is for what is typed next
    f.run(how);
    QVERIFY(f.item(item)->isChecked());
    QTest::keyClicks(box.textEdit(), QStringLiteral("new"));
    f.select(int(box.Text().size()) - 4, 4);
    QCOMPARE(styleOf(box, item), Style::Mixed); // "l" plain, "new" styled
}

void tst_Formatting::commandsWithoutADocument_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("tells");
    for (const char *item : {"Print", "Cut", "Copy", "Paste", "SellectAll", "DateTime", "bgc", "Bold", "Italic",
                             "Underline", "Strikethru", "FontOpt", "FontCol", "LowerCase", "Upper"})
        QTest::addRow("menu %s", item) << u"menu " + QString::fromLatin1(item) << true;
    for (const char *key : {"Save", "Copy", "Cut", "Paste", "Print"})
        QTest::addRow("toolbar %s", key) << u"toolbar " + QString::fromLatin1(key) << true;
    for (const char *key : {"printp", "B", "I", "U", "Strikethru", "Left", "Centre", "Right", "Justify", "Clear"})
        QTest::addRow("toolbar %s", key) << u"toolbar " + QString::fromLatin1(key) << false;
    QTest::newRow("Font button") << QStringLiteral("button") << true;
    QTest::newRow("size box") << QStringLiteral("box") << true;
}

void tst_Formatting::commandsWithoutADocument()
{
    QFETCH(QString, how);
    QFETCH(bool, tells);
    AppFixture f;
    f.area().closeAllSubWindows();
    if (how == u"button")
        f.main().findChild<QPushButton *>(QStringLiteral("Command52"))->click();
    else if (how == u"box")
        f.main().findChild<QComboBox *>(QStringLiteral("Combo1"))->activated(6);
    else
        f.run(how);
    QCOMPARE(f.test.dialogs.messageTexts(), tells ? QStringList{QStringLiteral("No Documents Open")} : QStringList());
    QVERIFY(f.test.dialogs.unexpected.isEmpty()); // no other dialog
    for (const char *item : {"Bold", "Italic", "Underline", "Strikethru"})
        QVERIFY2(!f.item(QString::fromLatin1(item))->isChecked(), item);
}

void tst_Formatting::fontDialogCopiesItsValues_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Font Options") << QStringLiteral("menu FontOpt") << QStringLiteral("DejaVu Serif") << 12.0 << QStringLiteral("12");
    QTest::newRow("Font button") << QStringLiteral("button") << QStringLiteral("DejaVu Sans") << 10.5 << QStringLiteral("10.5");
    QTest::newRow("largest size") << QStringLiteral("menu FontOpt") << QStringLiteral("明朝") << 1638.0 << QStringLiteral("1638");
}

void tst_Formatting::fontDialogCopiesItsValues()
{
    QFETCH(QString, how);
    QFETCH(QString, name);
    QFETCH(double, size);
    AppFixture f;
    RichTextBox &box = *f.document();
    auto *sizeBox = f.main().findChild<QComboBox *>(QStringLiteral("Combo1"));
    const auto open = [&] {
        how == u"button" ? f.main().findChild<QPushButton *>(QStringLiteral("Command52"))->click() : f.run(how);
    };
    QFont editorFont = box.document()->defaultFont();
    editorFont.setPointSizeF(10.25); // as a desktop font may be
    box.document()->setDefaultFont(editorFont);
    f.write(QStringLiteral("small large tail"), 0, 5);
    box.setSelFontSize(7.0);
    f.select(0, 11); // two sizes: one only when the size is read back after it is set

    f.test.dialogs.fontAnswers = {std::nullopt}; // before any choice: the editor's font, nothing applied
    open();
    QCOMPARE(f.test.dialogs.fonts[0].flags, 259);
    QCOMPARE(f.test.dialogs.fonts[0].values.name, editorFont.family());
    QCOMPARE(f.test.dialogs.fonts[0].values.size, 10.25);
    QCOMPARE(box.SelFontSize(), std::nullopt);

    const FontValues chosen{name, size, true, false, true, true, OleColor::fromRgb(0x12, 0x34, 0x56)};
    f.test.dialogs.fontAnswers = {chosen, std::nullopt};
    open();
    QTEST(sizeBox->currentText(), "shown");
    for (int pass = 0; pass < 2; ++pass) { // a cancel applies the last choice again
        const QTextCharFormat format = box.textEdit()->textCursor().charFormat();
        QCOMPARE(format.fontFamilies().toStringList().value(0), name);
        QCOMPARE(format.foreground().color(), OleColor::toQColor(chosen.color));
        QCOMPARE(box.SelFontSize(), size);
        QCOMPARE(QList({box.SelBold(), box.SelItalic(), box.SelUnderline(), box.SelStrikeThru()}),
                 QList({Style::On, Style::Off, Style::On, Style::On}));
        f.select(12, 4);
        open();
    }
    QCOMPARE(f.test.dialogs.fonts.last().values, chosen);
    QVERIFY(!f.item(QStringLiteral("Bold"))->isChecked()); // marks belong to the toggles
}

void tst_Formatting::sizeTypedInTheToolbar_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("size"); // 7 where the size is refused
    QTest::newRow("a size it takes") << QStringLiteral("14") << 14.0;
    QTest::newRow("the start of listed sizes") << QStringLiteral("2") << 2.0; // not completed to 20
    QTest::newRow("one it refuses") << QStringLiteral("0.5") << 7.0;
}

void tst_Formatting::sizeTypedInTheToolbar()
{
    QFETCH(QString, typed);
    QFETCH(double, size);
    AppFixture f;
    RichTextBox &box = *f.document();
    f.write(QStringLiteral("words"), 0, 5);
    box.setSelFontSize(7.0);
    auto *sizeBox = f.main().findChild<QComboBox *>(QStringLiteral("Combo1"));
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    QTest::mouseClick(sizeBox->lineEdit(), Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), sizeBox);
    sizeBox->lineEdit()->selectAll();
    QTest::keyClicks(sizeBox->lineEdit(), typed);
    QTest::keyClick(sizeBox->lineEdit(), Qt::Key_Return);

    QCOMPARE(box.SelFontSize(), std::optional<double>(size));
    // Back to the text once the size is taken; left in the box to mend when not.
    QCOMPARE(QApplication::focusWidget(), size == 7.0 ? static_cast<QWidget *>(sizeBox) : box.textEdit());
}

void tst_Formatting::coloursOfOneDocument_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("Font Color") << QStringLiteral("FontCol");
    QTest::newRow("Background Color") << QStringLiteral("bgc");
}

void tst_Formatting::coloursOfOneDocument()
{
    QFETCH(QString, item);
    AppFixture f;
    RichTextBox &first = *f.document();
    f.run(QStringLiteral("menu New"));
    RichTextBox &second = *f.document();
    const bool background = item == u"bgc";
    const auto colourOf = [&](const RichTextBox &box) {
        return background ? box.textEdit()->palette().color(QPalette::Base)
                          : box.textEdit()->textCursor().charFormat().foreground().color();
    };
    for (RichTextBox *box : {&first, &second}) {
        box->setText(QStringLiteral("text"));
        box->setSelLength(4);
    }
    second.setSelColor(OleColor::fromRgb(0, 128, 0)); // text with a colour of its own
    const QColor before = colourOf(second);
    const QColor firstBefore = colourOf(first);
    const QColor page = second.textEdit()->palette().color(background ? QPalette::Base : QPalette::Text);
    f.test.dialogs.colorAnswers = {std::nullopt, OleColor::fromRgb(200, 10, 99), std::nullopt};
    f.run(u"menu " + item); // cancelled before any choice: nothing changes
    QCOMPARE(colourOf(second), before);
    QCOMPARE(f.test.dialogs.colors[0].flags, background ? 0 : 2);
    QCOMPARE(f.test.dialogs.colors[0].color, OleColor::fromQColor(page)); // starts at the document's colour
    f.run(u"menu " + item);
    QCOMPARE(colourOf(second), QColor(200, 10, 99));
    QCOMPARE(colourOf(first), firstBefore); // the other document keeps its own

    // Once a colour is chosen, a cancel applies it again, here to the other document.
    f.area().setActiveSubWindow(f.area().subWindowList().first());
    QCOMPARE(f.document(), &first);
    f.run(u"menu " + item);
    QCOMPARE(f.test.dialogs.colors[2].color, OleColor::fromRgb(200, 10, 99));
    QCOMPARE(colourOf(first), QColor(200, 10, 99));
}

void tst_Formatting::alignmentsAndClear_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("alignment"); // of the three paragraphs selected; all start right-aligned
    QTest::newRow("Left") << QStringLiteral("Left") << int(Qt::AlignLeft);
    QTest::newRow("Centre") << QStringLiteral("Centre") << int(Qt::AlignHCenter);
    QTest::newRow("Right") << QStringLiteral("Right") << int(Qt::AlignRight);
    QTest::newRow("Justify") << QStringLiteral("Justify") << int(Qt::AlignRight);
    QTest::newRow("Print Preview") << QStringLiteral("printp") << int(Qt::AlignRight);
    QTest::newRow("Clear") << QStringLiteral("Clear") << int(Qt::AlignLeft);
}

void tst_Formatting::alignmentsAndClear()
{
    QFETCH(QString, key);
    QFETCH(int, alignment);
    AppFixture f;
    RichTextBox &box = *f.document();
    const QString text = QStringLiteral("one\ntwo\nthree\nfour");
    f.write(text, 0, 18);
    box.setSelAlignment(1);
    f.select(2, 7); // from the first paragraph into the third
    f.run(u"toolbar " + key);
    QCOMPARE(box.Text(), key == u"Clear" ? QString() : text);
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        QCOMPARE(int(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask),
                 block.blockNumber() < 3 ? alignment : int(Qt::AlignRight));
    box.document()->undo(); // one step
    QCOMPARE(box.Text(), text);
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

QTEST_MAIN(tst_Formatting)
#include "tst_formatting.moc"
