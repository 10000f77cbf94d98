#include "app/application.h"
#include "app/mdimain.h"
#include "editor/documentwindows.h"
#include "journal/frmjournal.h"
#include "journal/scrambling.h"
#include "platform/filelistbox.h"
#include "platform/spellchecker.h"
#include "support/contextmenu.h"
#include "support/testservices.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <unistd.h>

namespace {

using Answer = std::optional<QString>;
const QString Diary = u"Diary"_qs, Di = u"di"_qs;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

struct Fixture
{
    // Today's date as entry names carry it.
    QString date() const
    {
        return test.clock.regional.toString(test.clock.moment.date(), QLocale::ShortFormat).replace(u'/', u'-');
    }
    QString entry(const QString &title) const { return title + u' ' + date() + u".entry"; }
    template<typename T = QPushButton>
    T *control(const char *name) const { return window.findChild<T *>(QString::fromLatin1(name)); }
    FileListBox *list() const { return control<FileListBox>("File1"); }
    RichTextBox *box() const { return control<RichTextBox>("RTB"); }
    QLineEdit *title() const { return control<QLineEdit>("Text1"); }
    void add(const QString &title, const QString &text, MsgBoxResult encrypt = MsgBoxResult::No)
    {
        this->title()->setText(title);
        box()->setText(text);
        test.dialogs.messageAnswers.append(encrypt);
        control("cmdAdd")->click();
    }
    bool listed(const QString &name) const { return !list()->findItems(name, Qt::MatchExactly).isEmpty(); }
    // The middle of the name's row, or nothing when the list does not show it.
    std::optional<QPoint> placeOf(const QString &name) const
    {
        const auto found = list()->findItems(name, Qt::MatchExactly);
        if (found.isEmpty())
            return std::nullopt;
        return list()->visualItemRect(found.first()).center();
    }
    // Presses a mouse button on the name; a double-click follows the press.
    bool pressOn(const QString &name, Qt::MouseButton button = Qt::LeftButton, bool twice = false) const
    {
        const std::optional<QPoint> at = placeOf(name);
        if (!at)
            return false;
        QTest::mouseClick(list()->viewport(), button, {}, *at);
        if (twice)
            QTest::mouseDClick(list()->viewport(), button, {}, *at);
        return true;
    }
    void selectAll() const
    {
        box()->setSelStart(0);
        box()->setSelLength(int(box()->Text().size()));
    }
    void setPassword(const Answer &answer)
    {
        Show(window);
        test.dialogs.inputAnswers.append(answer);
        control("Command8")->click();
        window.close();
    }
    QStringList entryFiles() const { return QDir(test.directory.path()).entryList({u"*.entry"_qs}, QDir::Files); }

    TestServices test;
    frmJournal window{test.services};
};

} // namespace

class tst_frmJournal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensWithItsDesign();
    void namesAndShownTitles_data();
    void namesAndShownTitles();
    void loadingUnscramblesWhatHoldsTokens_data();
    void loadingUnscramblesWhatHoldsTokens();
    void doubleClickDeletesAfterTheQuestion();
    void rereadKeepsTheIndexAndPaintsNothingWhenUnchanged_data();
    void rereadKeepsTheIndexAndPaintsNothingWhenUnchanged();
    void styleAndFontButtons();
    void password_data();
    void password();
    void wrongPasswordLeavesTheProgramAndItsDocuments();
    void unsafeTitlesAreRefused_data();
    void unsafeTitlesAreRefused();
    void whatCannotBeDoneIsToldWithTheReason();
    void aWordAddedToTheDictionaryThatCannotBeKeptIsTold();
};

void tst_frmJournal::opensWithItsDesign()
{
    Fixture f;
    Show(f.window);
    QCOMPARE(f.window.windowTitle(), u"Your Journal"_qs);
    QVERIFY(!f.window.windowIcon().isNull());
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    QCOMPARE(f.title()->text(), u"Title"_qs);
    QCOMPARE(f.control<QLabel>("Label1")->text(), f.date());
    for (const QPushButton *button : f.window.findChildren<QPushButton *>())
        QVERIFY(button->font().family() == u"Arial" && button->font().pointSizeF() == 8.25);
    f.window.findChild<QAction *>(u"About"_qs)->trigger();
    QCOMPARE(f.test.dialogs.messageTexts(), QStringList{u"Thanks to Corvane for help with this"_qs});

    // Tab visits the controls in this order, from the title box, which has the focus.
    QTRY_COMPARE(QApplication::focusWidget(), f.title());
    const QStringList order = {u"Text1"_qs,    u"RTB"_qs,      u"cmdAdd"_qs,   u"File1"_qs,
                               u"Command1"_qs, u"Command2"_qs, u"Command3"_qs, u"Command4"_qs,
                               u"Command8"_qs, u"Command5"_qs, u"Command6"_qs};
    QStringList visited;
    for (QWidget *w = f.title(); visited.size() < order.size() + 1; w = w->nextInFocusChain()) {
        QWidget *control = w;
        while (control && !order.contains(control->objectName()))
            control = control->parentWidget();
        const bool tabStop = control && (w->focusPolicy() & Qt::TabFocus);
        if (tabStop && (visited.isEmpty() || visited.last() != control->objectName()))
            visited.append(control->objectName());
    }
    QCOMPARE(visited, order + QStringList{u"Text1"_qs});
    // A key in the list while it shows no entry leaves the title as typed.
    f.title()->setText(u"Rain ☂"_qs);
    QTest::keyClick(f.list(), Qt::Key_Down);
    QCOMPARE(f.title()->text(), u"Rain ☂"_qs);

    // The entry list follows other programs' changes to the folder within a tenth of a second.
    QTimer *timer = f.control<QTimer>("Timer1");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 100);
    QTest::keyClicks(f.box()->textEdit(), u"private"_qs);
    f.control("Command5")->click();
    QVERIFY(!f.window.isVisible() && !timer->isActive());
    Show(f.window);
    // Opened again, it shows nothing of what was typed, and undo cannot bring it back.
    QCOMPARE(f.box()->Text(), QString());
    QTest::keyClick(f.box()->textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.box()->Text(), QString());
    f.window.findChild<QAction *>(u"Exit"_qs)->trigger();
    QVERIFY(!f.window.isVisible() && !timer->isActive());
}

void tst_frmJournal::namesAndShownTitles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("shown"); // before the date
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("title") << u"Title"_qs << us << u"Title"_qs;
    QTest::newRow("empty title") << QString() << us << QString();
    QTest::newRow(".entry inside") << u"a.entry.b"_qs << us << u"a.b"_qs;
    QTest::newRow(".ENTRY in capitals stays") << u"a.ENTRY.b"_qs << us << u"a.ENTRY.b"_qs;
    QTest::newRow("outside Latin-1") << u"Дневник ☂"_qs << us << u"Дневник ☂"_qs;
    QTest::newRow("date without /") << u"Title"_qs << QLocale(QLocale::German, QLocale::Germany) << u"Title"_qs;
}

void tst_frmJournal::namesAndShownTitles()
{
    QFETCH(QString, title);
    QFETCH(QLocale, locale);
    QFETCH(QString, shown);
    Fixture f;
    f.test.clock.regional = locale;
    Show(f.window);
    // The same title twice a day leaves one file, with the later text.
    f.add(title, u"It drizzled."_qs);
    f.add(title, u"It rained."_qs);
    f.add(u"zz"_qs, u"Then it snowed."_qs);
    const QString date = locale.toString(f.test.clock.moment.date(), QLocale::ShortFormat).replace(u'/', u'-');
    QCOMPARE(f.entryFiles().size(), 2);
    QVERIFY(f.entryFiles().contains(title + u' ' + date + u".entry"));
    QTRY_COMPARE(f.list()->count(), 2);

    f.box()->setText(QString());
    QVERIFY(f.pressOn(f.entry(title)));
    QCOMPARE(f.title()->text(), shown + u' ' + date);
    QCOMPARE(f.box()->Text(), u"It rained."_qs);
    // Every key release loads what is selected, and so does the press of any
    // button, before it is let go.
    QTest::keyClick(f.list(), f.list()->currentRow() == 0 ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(f.box()->Text(), u"Then it snowed."_qs);
    const std::optional<QPoint> at = f.placeOf(f.entry(title));
    QVERIFY(at);
    QTest::mousePress(f.list()->viewport(), Qt::RightButton, {}, *at);
    QCOMPARE(f.box()->Text(), u"It rained."_qs);
    QTest::mouseRelease(f.list()->viewport(), Qt::RightButton, {}, *at);

    // Saved again the next day, the loaded entry gets a second date.
    f.test.clock.moment = f.test.clock.moment.addDays(1);
    f.test.dialogs.messageAnswers.append(MsgBoxResult::No);
    f.control("cmdAdd")->click();
    QVERIFY(readFile(f.test.path(shown + u' ' + date + u' ' + f.date() + u".entry")).contains("rained"));

    // Opened again, the journal lists them all again.
    QTRY_COMPARE(f.list()->count(), 3);
    f.window.close();
    Show(f.window);
    QCOMPARE(f.list()->count(), 3);
}

void tst_frmJournal::loadingUnscramblesWhatHoldsTokens_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("encrypt");
    QTest::addColumn<QString>("shown");
    const QString q = QString::fromUtf16(ScrambleTokens[16].data(), qsizetype(ScrambleTokens[16].size()));
    const QString polish = u"Dear diary, it rained in Łódź."_qs;
    QTest::newRow("scrambled") << polish << true << polish;
    QTest::newRow("plain") << u"Dear diary"_qs << false << u"Dear diary"_qs;
    QTest::newRow("plain holding a token") << u"code " + q << false << u"code q"_qs;
}

void tst_frmJournal::loadingUnscramblesWhatHoldsTokens()
{
    QFETCH(QString, text);
    QFETCH(bool, encrypt);
    QFETCH(QString, shown);
    Fixture f;
    Show(f.window);
    f.box()->setText(text);
    f.selectAll();
    f.box()->setSelBold(true);
    f.test.dialogs.messageAnswers.append(encrypt ? MsgBoxResult::Yes : MsgBoxResult::No);
    f.control("cmdAdd")->click();
    const MessageBoxRequest asked = f.test.dialogs.messages.last();
    QCOMPARE(asked.text, u"Encrypt? (Encrypting Removes Formating)"_qs);
    QVERIFY(asked.buttons == MsgBoxButtons::YesNo && asked.icon == MsgBoxIcon::None);
    // After scrambling the editor shows the readable text, unformatted.
    QCOMPARE(f.box()->Text(), text);
    f.selectAll();
    QCOMPARE(f.box()->SelBold(), encrypt ? RichTextBox::Style::Off : RichTextBox::Style::On);
    const QString path = f.test.path(f.entry(u"Title"_qs));
    const QByteArray stored = readFile(path);
    QCOMPARE(stored.contains("diary"), !encrypt && text.contains(u"diary"));

    f.box()->setText(QString());
    QTRY_VERIFY(f.pressOn(f.entry(u"Title"_qs)));
    QCOMPARE(f.box()->Text(), shown);
    f.selectAll();
    QCOMPARE(f.box()->SelBold(), text == shown && !encrypt ? RichTextBox::Style::On : RichTextBox::Style::Off);
    QCOMPARE(readFile(path), stored);
}

void tst_frmJournal::doubleClickDeletesAfterTheQuestion()
{
    Fixture f;
    Show(f.window);
    f.add(u"gone"_qs, u"old text"_qs);
    const QString name = f.entry(u"gone"_qs);
    QTRY_VERIFY(f.listed(name));
    f.box()->setText(QString());
    f.test.dialogs.messageAnswers = {MsgBoxResult::No, MsgBoxResult::Yes};
    QVERIFY(f.pressOn(name, Qt::LeftButton, true));
    QVERIFY(QFile::exists(f.test.path(name)));
    QVERIFY(f.pressOn(name, Qt::LeftButton, true));
    QVERIFY(!QFile::exists(f.test.path(name)));
    const MessageBoxRequest asked = f.test.dialogs.messages.last();
    QVERIFY(asked.text == u"Delete Entry?" && asked.title == u"Delete?!?!!" && asked.buttons == MsgBoxButtons::YesNo);
    // The entry stays on screen; the name leaves the list at the next look.
    QCOMPARE(f.box()->Text(), u"old text"_qs);
    QTRY_VERIFY(!f.listed(name));
}

void tst_frmJournal::rereadKeepsTheIndexAndPaintsNothingWhenUnchanged_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("added"); // by another program, or none
    QTest::addColumn<QString>("removed");
    QTest::addColumn<int>("row"); // selected afterwards, or -1 for none
    QTest::newRow("a name added before the selected one") << QStringList{u"b"_qs, u"d"_qs} << u"d"_qs << u"a"_qs
                                                          << QString() << 1;
    QTest::newRow("the selected name removed") << QStringList{u"b"_qs, u"d"_qs, u"f"_qs} << u"d"_qs << QString()
                                               << u"d"_qs << 1;
    QTest::newRow("the selected name, the last, removed") << QStringList{u"b"_qs, u"d"_qs} << u"d"_qs << QString()
                                                          << u"d"_qs << -1;
}

void tst_frmJournal::rereadKeepsTheIndexAndPaintsNothingWhenUnchanged()
{
    QFETCH(QStringList, titles);
    QFETCH(QString, selected);
    QFETCH(QString, added);
    QFETCH(QString, removed);
    QFETCH(int, row);
    Fixture f;
    Show(f.window);
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    for (const QString &title : std::as_const(titles))
        f.add(title, title + u" text"_qs);
    QTRY_COMPARE(f.list()->count(), titles.size());
    QVERIFY(f.pressOn(f.entry(selected)));

    QSignalSpy ticks(f.control<QTimer>("Timer1"), &QTimer::timeout);
    QTRY_VERIFY(ticks.count() >= 1);
    PaintCounter paints(f.list()->viewport());
    ticks.clear();
    QTRY_VERIFY(ticks.count() >= 3);
    QCOMPARE(paints.count, 0);

    // Another program changes the folder: the same place in the list is
    // selected again, if the list still reaches it, and nothing is loaded.
    if (!added.isEmpty()) {
        QFile other(f.test.path(f.entry(added)));
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write("{\\rtf1 other}") > 0);
    }
    if (!removed.isEmpty())
        QVERIFY(QFile::remove(f.test.path(f.entry(removed))));
    QTRY_COMPARE(f.list()->count(), titles.size() + !added.isEmpty() - !removed.isEmpty());
    QCOMPARE(f.list()->selectedItems().size(), row >= 0 ? 1 : 0);
    if (row >= 0)
        QVERIFY(f.list()->currentRow() == row && f.list()->currentItem()->isSelected());
    QCOMPARE(f.box()->Text(), selected + u" text"_qs);
    QVERIFY(paints.count > 0);
}

void tst_frmJournal::styleAndFontButtons()
{
    Fixture f;
    Show(f.window);
    RichTextBox *box = f.box();
    using Getter = RichTextBox::Style (RichTextBox::*)() const;
    const std::pair<const char *, Getter> styles[] = {{"Command1", &RichTextBox::SelBold},
                                                      {"Command2", &RichTextBox::SelItalic},
                                                      {"Command3", &RichTextBox::SelUnderline},
                                                      {"Command4", &RichTextBox::SelStrikeThru}};
    for (const auto &[button, get] : styles) {
        box->setText(u"rain and wind"_qs);
        box->setSelLength(4);
        f.control(button)->click();
        QCOMPARE((box->*get)(), RichTextBox::Style::On);
        // A selection styled only in part counts as unstyled.
        f.selectAll();
        f.control(button)->click();
        QCOMPARE((box->*get)(), RichTextBox::Style::On);
        f.control(button)->click();
        QCOMPARE((box->*get)(), RichTextBox::Style::Off);
    }
    QTRY_COMPARE(QApplication::focusWidget(), box->textEdit());

    // A cancel copies the values of the last use, and before any use none.
    const auto format = [box] { return box->textEdit()->textCursor().charFormat(); };
    const QTextCharFormat before = format();
    f.test.dialogs.fontAnswers = {std::nullopt, FontValues{u"DejaVu Serif"_qs, 15, true, false, true, false, 0xFF},
                                  std::nullopt};
    f.control("Command6")->click();
    QCOMPARE(f.test.dialogs.fonts.last().flags, 259);
    QCOMPARE(format(), before);
    f.control("Command6")->click();
    box->setSelLength(4);
    f.control("Command6")->click();
    QCOMPARE(box->SelFontSize(), std::optional<double>(15));
    QCOMPARE(format().fontFamilies().toStringList(), QStringList{u"DejaVu Serif"_qs});
    QCOMPARE(format().foreground().color(), QColor(Qt::red));
    QVERIFY(box->SelBold() == RichTextBox::Style::On && box->SelUnderline() == RichTextBox::Style::On);
    QVERIFY(box->SelItalic() == RichTextBox::Style::Off && box->SelStrikeThru() == RichTextBox::Style::Off);
}

void tst_frmJournal::password_data()
{
    QTest::addColumn<QString>("stored"); // "set:" and the answer to "Security", or a value stored by an earlier version
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("opens");
    const QString secret = u"Geheimnis ☂"_qs;
    QTest::newRow("none") << QString() << Answer() << true;
    QTest::newRow("right") << u"set:"_qs + secret << Answer(secret) << true;
    QTest::newRow("letter case differs") << u"set:"_qs + secret << Answer(u"geheimnis ☂"_qs) << false;
    QTest::newRow("empty answer") << u"set:"_qs + secret << Answer(QString()) << false;
    QTest::newRow("cancel") << u"set:"_qs + secret << Answer() << false;
    QTest::newRow("earlier plain value, right") << u"Secret"_qs << Answer(u"Secret"_qs) << true;
    QTest::newRow("earlier plain value, wrong") << u"Secret"_qs << Answer(u"secret"_qs) << false;
    QTest::newRow("removed with an empty answer") << u"set:"_qs << Answer() << true;
}

void tst_frmJournal::password()
{
    QFETCH(QString, stored);
    QFETCH(Answer, answer);
    QFETCH(bool, opens);
    Fixture f;
    if (stored.startsWith(u"set:")) {
        f.setPassword(u"old"_qs);
        f.test.dialogs.inputAnswers.append(u"old"_qs);
        f.setPassword(stored.mid(4));
        QCOMPARE(f.test.dialogs.inputs.last().prompt, u"Password? (Leave blank for none)"_qs);
    } else if (!stored.isEmpty()) {
        QVERIFY(f.test.settings.setValue(Diary, Di, Di, stored));
    }
    const QString before = f.test.settings.value(Diary, Di, Di);
    // A blank answer to "Security" leaves no password to ask for.
    QCOMPARE(before.isEmpty(), stored.isEmpty() || stored == u"set:");
    f.test.dialogs.inputs.clear();
    f.test.dialogs.inputAnswers.append(answer);
    Show(f.window);
    QCOMPARE(f.window.isVisible(), opens);
    QCOMPARE(f.test.dialogs.messageTexts(), opens ? QStringList() : QStringList{u"Wrong.."_qs});
    QCOMPARE(f.test.dialogs.inputs.size(), before.isEmpty() ? 0 : 1);
    if (before.isEmpty())
        return;
    QVERIFY(f.test.dialogs.inputs[0].prompt == u"Password?" && f.test.dialogs.inputs[0].title == u"Password?");

    // No password stands in the settings in plain text, but one of an
    // earlier version that was never answered right.
    const QString now = f.test.settings.value(Diary, Di, Di);
    QCOMPARE(now.startsWith(u"$argon2id$"), now != stored);
    QCOMPARE(now == before, !opens || stored.startsWith(u"set:"));
    const QDir settings(f.test.path(u"settings"_qs));
    for (const QString &file : settings.entryList(QDir::Files))
        QVERIFY(!readFile(settings.filePath(file)).contains(u"eheimnis ☂"_qs.toUtf8()));
}

void tst_frmJournal::wrongPasswordLeavesTheProgramAndItsDocuments()
{
    TestServices test;
    Application app(test.services);
    app.start();
    RichTextBox *document = app.mainWindow().documents().activeDocument();
    document->setText(u"Chapter one, unsaved"_qs);
    QVERIFY(test.settings.setValue(Diary, Di, Di, u"Secret"_qs));
    QAction *journal = app.mainWindow().menuItem(u"Journal"_qs);

    test.dialogs.inputAnswers = {u"nope"_qs, u"Secret"_qs};
    journal->trigger();
    QCOMPARE(test.dialogs.messageTexts(), QStringList{u"Wrong.."_qs});
    QVERIFY(!app.journal().isVisible() && app.mainWindow().isVisible());
    QCOMPARE(app.mainWindow().documents().activeDocument(), document);
    QCOMPARE(document->Text(), u"Chapter one, unsaved"_qs);

    journal->trigger();
    QVERIFY(app.journal().isVisible());
    // Asking again only brings the open journal to the front.
    journal->trigger();
    QCOMPARE(test.dialogs.inputs.size(), 2);
    QVERIFY(test.dialogs.unexpected.isEmpty());
}

void tst_frmJournal::unsafeTitlesAreRefused_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("saved");
    Fixture f;
    const long longest = ::pathconf(QFile::encodeName(f.test.directory.path()).constData(), _PC_NAME_MAX);
    const qsizetype room = qsizetype(longest) - (u' ' + f.date() + u".entry").toUtf8().size();
    QTest::newRow("slash") << u"../outside"_qs << false;
    QTest::newRow("backslash") << u"..\\outside"_qs << false;
    QTest::newRow("tab") << u"a\tb"_qs << false;
    QTest::newRow("escape") << u"a\u001bb"_qs << false;
    QTest::newRow("longest name") << QString(room, u'x') << true;
    QTest::newRow("one byte longer") << QString(room + 1, u'x') << false;
    QTest::newRow("longer in bytes than letters") << QString(room / 2 + 1, u'ж') << false;
}

void tst_frmJournal::unsafeTitlesAreRefused()
{
    QFETCH(QString, title);
    QFETCH(bool, saved);
    Fixture f;
    Show(f.window);
    f.title()->setText(title);
    f.box()->setText(u"kept"_qs);
    f.selectAll();
    f.box()->setSelBold(true);
    f.test.dialogs.messageAnswers.append(MsgBoxResult::No);
    // Where a title that climbs out of the folder would put its entry; one
    // left there by an earlier faulty build would fail every later run.
    const QString outside = f.test.path(u"../outside "_qs + f.date() + u".entry");
    QFile::remove(outside);
    f.control("cmdAdd")->click();
    QCOMPARE(f.entryFiles(), saved ? QStringList{f.entry(title)} : QStringList());
    QVERIFY(!QFile::exists(outside));
    const MessageBoxRequest told = f.test.dialogs.messages.last();
    QCOMPARE(told.text.startsWith(u"The entry was not saved."), !saved);
    QCOMPARE(f.box()->SelBold(), RichTextBox::Style::On);
}

void tst_frmJournal::whatCannotBeDoneIsToldWithTheReason()
{
    {
        // The folder of entries is gone: the journal opens, empty, and says so.
        Fixture gone;
        const QString folder = gone.test.directory.path();
        QVERIFY(gone.test.directory.remove());
        Show(gone.window);
        QVERIFY(gone.window.isVisible());
        QCOMPARE(gone.test.dialogs.messages.size(), 1);
        const QString told = gone.test.dialogs.messages[0].text;
        QVERIFY2(told.contains(QDir::toNativeSeparators(folder)), qPrintable(told));
    }
    Fixture f;
    Show(f.window);
    // A folder where the entry file would go cannot be written over.
    const QString blocked = f.test.path(f.entry(u"Title"_qs));
    QVERIFY(QDir().mkdir(blocked));
    f.add(u"Title"_qs, u"readable after"_qs, MsgBoxResult::Yes);
    QCOMPARE(f.box()->Text(), u"readable after"_qs);
    QString told = f.test.dialogs.messages.last().text;
    QVERIFY2(told.contains(QDir::toNativeSeparators(blocked)) && told.contains(u"folder"), qPrintable(told));

    // An entry that vanished after the list last showed it.
    f.add(u"vanishing"_qs, u"text"_qs);
    const QString name = f.entry(u"vanishing"_qs);
    QTRY_VERIFY(f.listed(name));
    QVERIFY(QFile::remove(f.test.path(name)));
    f.test.dialogs.messageAnswers.append(MsgBoxResult::Yes);
    QVERIFY(f.pressOn(name, Qt::LeftButton, true));
    told = f.test.dialogs.messages.last().text;
    const QString reason = told.section(u"\n\n"_qs, 1);
    QVERIFY2(told.contains(QDir::toNativeSeparators(f.test.path(name))) && !reason.isEmpty()
                 && reason.front().isUpper() && reason.endsWith(u'.'),
             qPrintable(told));

    // A file stands where the settings, and so the password, would be kept.
    const QString settings = f.test.path(u"settings"_qs);
    QFile blocker(settings);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    f.test.dialogs.inputAnswers.append(u"secret"_qs);
    f.control("Command8")->click();
    told = f.test.dialogs.messages.last().text;
    QVERIFY2(told.contains(QDir::toNativeSeparators(settings)), qPrintable(told));
}

void tst_frmJournal::aWordAddedToTheDictionaryThatCannotBeKeptIsTold()
{
    Fixture f;
    QFile file(f.test.path(u"file"_qs));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString list = f.test.path(u"file/words.txt"_qs);
    SpellChecker checker(list, u"en_US"_qs);
    if (!checker.hasDictionary())
        QSKIP("no English Hunspell dictionary (scripts/install-deps installs hunspell-en-us)");
    f.window.setSpellChecker(checker);
    Show(f.window);
    f.box()->setText(u"Żelazowski wrote"_qs);
    chooseFromContextMenu(*f.box()->textEdit(), 0, u"Add to Dictionary"_qs);
    QCOMPARE(f.test.dialogs.messages.size(), 1);
    const QString told = f.test.dialogs.messages[0].text;
    QVERIFY2(told.contains(u"\"Żelazowski\""_qs) && told.contains(QDir::toNativeSeparators(list)), qPrintable(told));
}

QTEST_MAIN(tst_frmJournal)
#include "tst_frmjournal.moc"
