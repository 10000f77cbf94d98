#include "app/application.h"
#include "app/mdimain.h"
#include "editor/documentwindows.h"
#include "journal/frmjournal.h"
#include "journal/scrambling.h"
#include "platform/filelistbox.h"
#include "platform/richtextbox.h"
#include "support/testservices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <unistd.h>

namespace {

const QString Diary = QStringLiteral("Diary");
const QString Di = QStringLiteral("di");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Counts the paintings of one widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

class Fixture
{
public:
    Fixture() { test.clock.regional = QLocale(QLocale::English, QLocale::UnitedStates); }

    // Today's date as entry names carry it.
    QString date() const
    {
        return test.clock.regional.toString(test.clock.moment.date(), QLocale::ShortFormat).replace(u'/', u'-');
    }
    QString entry(const QString &title) const { return title + u' ' + date() + u".entry"; }

    void open() { Show(window); }
    template<typename T = QWidget>
    T *control(const char *name) const { return window.findChild<T *>(QString::fromLatin1(name)); }
    FileListBox *list() const { return control<FileListBox>("File1"); }
    RichTextBox *box() const { return control<RichTextBox>("RTB"); }
    QLineEdit *title() const { return control<QLineEdit>("Text1"); }
    void press(const char *button) const { control<QPushButton>(button)->click(); }

    // Types the entry and presses "Add", answering the question.
    void add(const QString &title, const QString &text, MsgBoxResult encrypt = MsgBoxResult::No)
    {
        this->title()->setText(title);
        box()->setText(text);
        test.dialogs.messageAnswers.append(encrypt);
        press("cmdAdd");
    }
    bool listed(const QString &name) const { return !list()->findItems(name, Qt::MatchExactly).isEmpty(); }
    // A mouse press on the name, as the user gives it.
    bool pressOn(const QString &name, Qt::MouseButton button = Qt::LeftButton) const
    {
        const auto found = list()->findItems(name, Qt::MatchExactly);
        if (found.isEmpty())
            return false;
        QTest::mousePress(list()->viewport(), button, {}, list()->visualItemRect(found.first()).center());
        QTest::mouseRelease(list()->viewport(), button, {}, list()->visualItemRect(found.first()).center());
        return true;
    }
    bool doubleClickOn(const QString &name) const
    {
        const auto found = list()->findItems(name, Qt::MatchExactly);
        if (found.isEmpty())
            return false;
        // The press before the double-click loads the entry, as it does for the user.
        const QPoint at = list()->visualItemRect(found.first()).center();
        QTest::mousePress(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
        return true;
    }
    void selectAll() const
    {
        box()->setSelStart(0);
        box()->setSelLength(int(box()->Text().size()));
    }
    // Sets the password through "Security" in a window opened without one.
    void setPassword(const std::optional<QString> &answer)
    {
        open();
        test.dialogs.inputAnswers.append(answer);
        press("Command8");
        window.close();
    }
    QString storedPassword() const { return test.settings.value(Diary, Di, Di); }
    QStringList folderFiles() const { return QDir(test.directory.path()).entryList({QStringLiteral("*.entry")}, QDir::Files); }

    TestServices test;
    frmJournal window{test.services};
};

} // namespace

class tst_frmJournal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensWithItsDesign();
    void entryNamesAndShownTitles_data();
    void entryNamesAndShownTitles();
    void savingALoadedEntryAddsASecondDate_data();
    void savingALoadedEntryAddsASecondDate();
    void loadingUnscramblesWhatHoldsTokens_data();
    void loadingUnscramblesWhatHoldsTokens();
    void everyKeyReleaseAndPressLoads();
    void doubleClickDeletesAfterTheQuestion_data();
    void doubleClickDeletesAfterTheQuestion();
    void rereadKeepsTheIndexAndPaintsNothingWhenUnchanged();
    void styleButtonsToggle_data();
    void styleButtonsToggle();
    void fontButtonCopiesTheDialogsValues();
    void aboutAndExit_data();
    void aboutAndExit();
    void passwordOnOpening_data();
    void passwordOnOpening();
    void securityWithoutAnswerRemovesThePassword_data();
    void securityWithoutAnswerRemovesThePassword();
    void wrongPasswordLeavesTheProgramAndItsDocuments();
    void unsafeTitlesAreRefused_data();
    void unsafeTitlesAreRefused();
    void failedSaveAndDeleteSayWhy();
};

void tst_frmJournal::opensWithItsDesign()
{
    Fixture f;
    f.open();
    QCOMPARE(f.window.windowTitle(), QStringLiteral("Your Journal"));
    QCOMPARE(f.title()->text(), QStringLiteral("Title"));
    QCOMPARE(f.control<QLabel>("Label1")->text(), f.date());
    QCOMPARE(f.list()->Path(), f.test.directory.path());
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    QVERIFY(!(f.window.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
    QVERIFY(f.test.dialogs.inputs.isEmpty());

    const QList<QPushButton *> buttons = f.window.findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 8);
    for (const QPushButton *button : buttons) {
        QCOMPARE(button->font().family(), QStringLiteral("Arial"));
        QCOMPARE(button->font().pointSizeF(), 8.25);
    }
    const QList<QAction *> menu = f.window.findChild<QMenu *>(QStringLiteral("File"))->actions();
    QCOMPARE(menu.size(), 2);
    QCOMPARE(menu[0]->text(), QStringLiteral("About"));
    QCOMPARE(menu[1]->text(), QStringLiteral("Exit"));

    // The controls that Tab visits, in order, starting from the title box
    // that has the focus.
    QTRY_COMPARE(QApplication::focusWidget(), f.title());
    const QStringList order = {u"Text1"_qs,    u"RTB"_qs,      u"cmdAdd"_qs,   u"File1"_qs,
                               u"Command1"_qs, u"Command2"_qs, u"Command3"_qs, u"Command4"_qs,
                               u"Command8"_qs, u"Command5"_qs, u"Command6"_qs};
    QStringList visited;
    QWidget *w = f.title();
    do {
        if (w->isVisible() && (w->focusPolicy() & Qt::TabFocus)) {
            QWidget *control = w;
            while (control && !order.contains(control->objectName()))
                control = control->parentWidget();
            if (control && (visited.isEmpty() || visited.last() != control->objectName()))
                visited.append(control->objectName());
        }
        w = w->nextInFocusChain();
    } while (w != f.title());
    QCOMPARE(visited, order);
}

void tst_frmJournal::entryNamesAndShownTitles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("shownBeforeDate");
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("title") << u"Title"_qs << us << u"Title"_qs;
    QTest::newRow("empty title") << QString() << us << QString();
    QTest::newRow(".entry inside the title") << u"a.entry.b"_qs << us << u"a.b"_qs;
    QTest::newRow("outside Latin-1") << u"Дневник ☂"_qs << us << u"Дневник ☂"_qs;
    QTest::newRow("date format without /") << u"Title"_qs << QLocale(QLocale::German, QLocale::Germany) << u"Title"_qs;
}

void tst_frmJournal::entryNamesAndShownTitles()
{
    QFETCH(QString, title);
    QFETCH(QLocale, locale);
    QFETCH(QString, shownBeforeDate);
    Fixture f;
    f.test.clock.regional = locale;
    f.open();
    f.add(title, u"It rained all day."_qs);
    const QString expected =
        title + u' ' + locale.toString(f.test.clock.moment.date(), QLocale::ShortFormat).replace(u'/', u'-') + u".entry";
    QCOMPARE(f.folderFiles(), QStringList{expected});
    QTRY_VERIFY(f.listed(expected));

    f.title()->clear();
    f.box()->setText(QString());
    QVERIFY(f.pressOn(expected));
    QCOMPARE(f.title()->text(), shownBeforeDate + u' ' + f.date());
    QCOMPARE(f.box()->Text(), u"It rained all day."_qs);
    QVERIFY(f.test.dialogs.unexpected.isEmpty());
}

void tst_frmJournal::savingALoadedEntryAddsASecondDate_data()
{
    QTest::addColumn<int>("daysLater");
    QTest::newRow("the next day") << 1;
    QTest::newRow("the same day") << 0;
}

void tst_frmJournal::savingALoadedEntryAddsASecondDate()
{
    QFETCH(int, daysLater);
    Fixture f;
    f.open();
    // The same title twice a day leaves one file with the later text.
    f.add(u"Title"_qs, u"first"_qs);
    f.add(u"Title"_qs, u"second"_qs);
    const QString first = f.entry(u"Title"_qs);
    QCOMPARE(f.folderFiles(), QStringList{first});
    QTRY_VERIFY(f.listed(first));
    QVERIFY(f.pressOn(first));
    QCOMPARE(f.box()->Text(), u"second"_qs);

    const QString firstDate = f.date();
    f.test.clock.moment = f.test.clock.moment.addDays(daysLater);
    f.test.dialogs.messageAnswers.append(MsgBoxResult::No);
    f.press("cmdAdd");
    const QString second = u"Title "_qs + firstDate + u' ' + f.date() + u".entry";
    QVERIFY(second != first);
    const QStringList files = f.folderFiles();
    QCOMPARE(QSet<QString>(files.begin(), files.end()), (QSet<QString>{first, second}));
    QVERIFY(readFile(f.test.path(second)).contains("second"));
}

void tst_frmJournal::loadingUnscramblesWhatHoldsTokens_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("encrypt");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("boldKept");
    const QString q = QString::fromUtf16(ScrambleTokens[16].data(), qsizetype(ScrambleTokens[16].size()));
    QTest::newRow("scrambled") << u"Dear diary, it rained in Łódź."_qs << true << u"Dear diary, it rained in Łódź."_qs
                               << false;
    QTest::newRow("plain") << u"Dear diary"_qs << false << u"Dear diary"_qs << true;
    QTest::newRow("plain holding a token") << u"code " + q << false << u"code q"_qs << false;
}

void tst_frmJournal::loadingUnscramblesWhatHoldsTokens()
{
    QFETCH(QString, text);
    QFETCH(bool, encrypt);
    QFETCH(QString, shown);
    QFETCH(bool, boldKept);
    Fixture f;
    f.open();
    f.title()->setText(u"Title"_qs);
    f.box()->setText(text);
    f.selectAll();
    f.box()->setSelBold(true);
    f.test.dialogs.messageAnswers.append(encrypt ? MsgBoxResult::Yes : MsgBoxResult::No);
    f.press("cmdAdd");
    QCOMPARE(f.test.dialogs.messages.last().text, u"Encrypt? (Encrypting Removes Formating)"_qs);
    QCOMPARE(f.test.dialogs.messages.last().buttons, MsgBoxButtons::YesNo);
    QCOMPARE(f.test.dialogs.messages.last().icon, MsgBoxIcon::None);
    // After scrambling the editor shows the readable text, unformatted.
    QCOMPARE(f.box()->Text(), text);
    f.selectAll();
    QCOMPARE(f.box()->SelBold(), encrypt ? RichTextBox::Style::Off : RichTextBox::Style::On);
    const QString path = f.test.path(f.entry(u"Title"_qs));
    const QByteArray stored = readFile(path);
    QCOMPARE(stored.contains("diary"), !encrypt && text.contains(u"diary"));

    f.box()->setText(u"something else"_qs);
    QTRY_VERIFY(f.listed(f.entry(u"Title"_qs)));
    QVERIFY(f.pressOn(f.entry(u"Title"_qs)));
    QCOMPARE(f.box()->Text(), shown);
    f.selectAll();
    QCOMPARE(f.box()->SelBold(), boldKept ? RichTextBox::Style::On : RichTextBox::Style::Off);
    QCOMPARE(readFile(path), stored);
}

void tst_frmJournal::everyKeyReleaseAndPressLoads()
{
    Fixture f;
    f.open();
    for (const QString &title : {u"alpha"_qs, u"beta"_qs, u"gamma"_qs})
        f.add(title, title + u" text");
    QTRY_COMPARE(f.list()->count(), 3);
    QVERIFY(f.pressOn(f.entry(u"alpha"_qs)));
    QCOMPARE(f.box()->Text(), u"alpha text"_qs);
    QTest::keyClick(f.list(), Qt::Key_Down);
    QCOMPARE(f.title()->text(), u"beta "_qs + f.date());
    QCOMPARE(f.box()->Text(), u"beta text"_qs);
    QVERIFY(f.pressOn(f.entry(u"gamma"_qs), Qt::RightButton));
    QCOMPARE(f.box()->Text(), u"gamma text"_qs);
}

void tst_frmJournal::doubleClickDeletesAfterTheQuestion_data()
{
    QTest::addColumn<MsgBoxResult>("answer");
    QTest::newRow("yes") << MsgBoxResult::Yes;
    QTest::newRow("no") << MsgBoxResult::No;
}

void tst_frmJournal::doubleClickDeletesAfterTheQuestion()
{
    QFETCH(MsgBoxResult, answer);
    Fixture f;
    f.open();
    f.add(u"gone"_qs, u"old text"_qs);
    const QString name = f.entry(u"gone"_qs);
    QTRY_VERIFY(f.listed(name));
    f.test.dialogs.messageAnswers.append(answer);
    QVERIFY(f.doubleClickOn(name));
    const MessageBoxRequest asked = f.test.dialogs.messages.last();
    QCOMPARE(asked.text, u"Delete Entry?"_qs);
    QCOMPARE(asked.title, u"Delete?!?!!"_qs);
    QCOMPARE(asked.buttons, MsgBoxButtons::YesNo);
    QCOMPARE(QFile::exists(f.test.path(name)), answer == MsgBoxResult::No);
    // The entry stays on screen; the name leaves the list at the next look.
    QCOMPARE(f.box()->Text(), u"old text"_qs);
    QCOMPARE(f.title()->text(), u"gone "_qs + f.date());
    QTRY_COMPARE(f.listed(name), answer == MsgBoxResult::No);
    QVERIFY(f.test.dialogs.unexpected.isEmpty());
}

void tst_frmJournal::rereadKeepsTheIndexAndPaintsNothingWhenUnchanged()
{
    Fixture f;
    f.open();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.add(u"b"_qs, u"bee"_qs);
    f.add(u"d"_qs, u"dee"_qs);
    QTRY_COMPARE(f.list()->count(), 2);
    QVERIFY(f.pressOn(f.entry(u"d"_qs)));
    QCOMPARE(f.list()->currentRow(), 1);

    QSignalSpy ticks(f.control<QTimer>("Timer1"), &QTimer::timeout);
    QTRY_VERIFY(ticks.count() >= 1);
    PaintCounter paints(f.list()->viewport());
    ticks.clear();
    QTRY_VERIFY(ticks.count() >= 3);
    QCOMPARE(paints.count, 0);

    // Another program adds a name before the selected one: the same index
    // is selected again, and nothing is loaded.
    QVERIFY(writeFile(f.test.path(f.entry(u"a"_qs)), "{\\rtf1 ay}"));
    QTRY_COMPARE(f.list()->count(), 3);
    QCOMPARE(f.list()->currentRow(), 1);
    QVERIFY(f.list()->currentItem()->isSelected());
    QCOMPARE(f.box()->Text(), u"dee"_qs);
    QVERIFY(paints.count > 0);
}

void tst_frmJournal::styleButtonsToggle_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<int>("style");
    QTest::newRow("B") << QByteArray("Command1") << 0;
    QTest::newRow("I") << QByteArray("Command2") << 1;
    QTest::newRow("U") << QByteArray("Command3") << 2;
    QTest::newRow("S") << QByteArray("Command4") << 3;
}

void tst_frmJournal::styleButtonsToggle()
{
    QFETCH(QByteArray, button);
    QFETCH(int, style);
    using Getter = RichTextBox::Style (RichTextBox::*)() const;
    const Getter getters[] = {&RichTextBox::SelBold, &RichTextBox::SelItalic, &RichTextBox::SelUnderline,
                              &RichTextBox::SelStrikeThru};
    const Getter get = getters[style];
    Fixture f;
    f.open();
    RichTextBox *box = f.box();
    box->setText(u"rain and wind"_qs);
    box->setSelStart(0);
    box->setSelLength(4);
    f.press(button.constData());
    QCOMPARE((box->*get)(), RichTextBox::Style::On);
    QTRY_COMPARE(QApplication::focusWidget(), box->textEdit());
    // A selection styled only in part counts as unstyled.
    f.selectAll();
    QCOMPARE((box->*get)(), RichTextBox::Style::Mixed);
    f.press(button.constData());
    QCOMPARE((box->*get)(), RichTextBox::Style::On);
    f.press(button.constData());
    QCOMPARE((box->*get)(), RichTextBox::Style::Off);
}

void tst_frmJournal::fontButtonCopiesTheDialogsValues()
{
    Fixture f;
    f.open();
    RichTextBox *box = f.box();
    box->setText(u"rain and wind"_qs);
    f.selectAll();
    const std::optional<double> before = box->SelFontSize();

    // Cancelled before it was ever confirmed: there is nothing to copy.
    f.test.dialogs.fontAnswers = {std::nullopt, FontValues{u"DejaVu Serif"_qs, 15, true, false, true, false, 0x0000FF},
                                  std::nullopt};
    f.press("Command6");
    QCOMPARE(f.test.dialogs.fonts.last().flags, 259);
    QCOMPARE(box->SelFontSize(), before);
    QCOMPARE(box->SelBold(), RichTextBox::Style::Off);

    box->setSelStart(0);
    box->setSelLength(4);
    f.press("Command6");
    QCOMPARE(box->SelFontSize(), std::optional<double>(15));
    QCOMPARE(box->SelBold(), RichTextBox::Style::On);
    QCOMPARE(box->SelUnderline(), RichTextBox::Style::On);
    QCOMPARE(box->SelItalic(), RichTextBox::Style::Off);

    // A later cancel copies the values of the last use again.
    box->setSelStart(9);
    box->setSelLength(4);
    f.press("Command6");
    QCOMPARE(box->SelFontSize(), std::optional<double>(15));
    QCOMPARE(box->SelUnderline(), RichTextBox::Style::On);
}

void tst_frmJournal::aboutAndExit_data()
{
    QTest::addColumn<bool>("menu");
    QTest::newRow("Exit button") << false;
    QTest::newRow("Exit menu item") << true;
}

void tst_frmJournal::aboutAndExit()
{
    QFETCH(bool, menu);
    Fixture f;
    f.open();
    f.window.findChild<QAction *>(u"About"_qs)->trigger();
    QCOMPARE(f.test.dialogs.messageTexts(), QStringList{u"Thanks to Corvane for help with this"_qs});
    QCOMPARE(f.test.dialogs.messages.last().buttons, MsgBoxButtons::OkOnly);
    QTimer *timer = f.control<QTimer>("Timer1");
    QVERIFY(timer->isActive());
    if (menu)
        f.window.findChild<QAction *>(u"Exit"_qs)->trigger();
    else
        f.press("Command5");
    QVERIFY(!f.window.isVisible());
    QVERIFY(!timer->isActive());
}

void tst_frmJournal::passwordOnOpening_data()
{
    QTest::addColumn<QString>("stored"); // "" none, "hash:" set through Security, else a plain value
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<bool>("opens");
    const QString secret = u"Geheimnis ☂"_qs;
    QTest::newRow("none") << QString() << std::optional<QString>() << true;
    QTest::newRow("right") << u"hash:"_qs + secret << std::optional(secret) << true;
    QTest::newRow("letter case differs") << u"hash:"_qs + secret << std::optional(u"geheimnis ☂"_qs) << false;
    QTest::newRow("empty answer") << u"hash:"_qs + secret << std::optional(QString()) << false;
    QTest::newRow("cancel") << u"hash:"_qs + secret << std::optional<QString>() << false;
    QTest::newRow("earlier plain value, right") << u"Secret"_qs << std::optional(u"Secret"_qs) << true;
    QTest::newRow("earlier plain value, wrong") << u"Secret"_qs << std::optional(u"secret"_qs) << false;
}

void tst_frmJournal::passwordOnOpening()
{
    QFETCH(QString, stored);
    QFETCH(std::optional<QString>, answer);
    QFETCH(bool, opens);
    Fixture f;
    if (stored.startsWith(u"hash:"))
        f.setPassword(stored.mid(5));
    else if (!stored.isEmpty())
        QVERIFY(f.test.settings.setValue(Diary, Di, Di, stored));
    const QString before = f.storedPassword();
    QVERIFY(!stored.isEmpty() || before.isEmpty());

    f.test.dialogs.inputs.clear();
    f.test.dialogs.inputAnswers.append(answer);
    f.open();
    QCOMPARE(f.window.isVisible(), opens);
    QCOMPARE(f.window.isLoaded(), opens);
    QCOMPARE(f.test.dialogs.messageTexts().contains(u"Wrong.."_qs), !opens);
    if (stored.isEmpty()) {
        QVERIFY(f.test.dialogs.inputs.isEmpty());
        return;
    }
    QCOMPARE(f.test.dialogs.inputs.size(), 1);
    QCOMPARE(f.test.dialogs.inputs[0].prompt, u"Password?"_qs);
    QCOMPARE(f.test.dialogs.inputs[0].title, u"Password?"_qs);
    QCOMPARE(f.test.dialogs.inputs[0].defaultText, QString());

    // Whatever happened, no password stands in the settings in plain text,
    // except an earlier one that was never answered right.
    const QString now = f.storedPassword();
    const bool upgraded = opens && !stored.startsWith(u"hash:");
    QCOMPARE(now == before, !upgraded);
    if (now != stored)
        QVERIFY(now.startsWith(u"$argon2id$"));
    const QDir settings(f.test.path(u"settings"_qs));
    for (const QString &file : settings.entryList(QDir::Files)) {
        const QByteArray bytes = readFile(settings.filePath(file));
        QVERIFY(!bytes.contains(u"Geheimnis ☂"_qs.toUtf8()));
        QCOMPARE(bytes.contains("Secret"), stored == u"Secret" && !opens);
    }
}

void tst_frmJournal::securityWithoutAnswerRemovesThePassword_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::newRow("empty") << std::optional(QString());
    QTest::newRow("cancel") << std::optional<QString>();
}

void tst_frmJournal::securityWithoutAnswerRemovesThePassword()
{
    QFETCH(std::optional<QString>, answer);
    Fixture f;
    f.setPassword(u"letmein"_qs);
    f.test.dialogs.inputAnswers.append(u"letmein"_qs);
    f.open();
    QVERIFY(f.window.isVisible());
    f.test.dialogs.inputAnswers.append(answer);
    f.press("Command8");
    QCOMPARE(f.test.dialogs.inputs.last().prompt, u"Password? (Leave blank for none)"_qs);
    QCOMPARE(f.test.dialogs.inputs.last().title, u"Password?"_qs);
    f.window.close();

    const qsizetype asked = f.test.dialogs.inputs.size();
    f.open();
    QVERIFY(f.window.isVisible());
    QCOMPARE(f.test.dialogs.inputs.size(), asked);
    QVERIFY(f.test.dialogs.unexpected.isEmpty());
}

void tst_frmJournal::wrongPasswordLeavesTheProgramAndItsDocuments()
{
    TestServices test;
    Application app(test.services);
    app.start();
    RichTextBox *document = app.mainWindow().documents().activeDocument();
    QVERIFY(document);
    document->setText(u"Chapter one, unsaved"_qs);
    QVERIFY(test.settings.setValue(Diary, Di, Di, u"Secret"_qs));
    QAction *journal = app.mainWindow().menuItem(u"Journal"_qs);

    test.dialogs.inputAnswers.append(u"nope"_qs);
    journal->trigger();
    QCOMPARE(test.dialogs.messageTexts(), QStringList{u"Wrong.."_qs});
    QVERIFY(!app.journal().isVisible());
    QVERIFY(app.mainWindow().isVisible());
    QCOMPARE(app.mainWindow().documents().activeDocument(), document);
    QCOMPARE(document->Text(), u"Chapter one, unsaved"_qs);

    test.dialogs.inputAnswers.append(u"Secret"_qs);
    journal->trigger();
    QVERIFY(app.journal().isVisible());
    // Asking again only brings the open journal to the front.
    journal->trigger();
    QCOMPARE(test.dialogs.inputs.size(), 2);
    QVERIFY(app.journal().isVisible());
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
    QTest::newRow("longer in bytes than in letters") << QString(room / 2 + 1, u'ж') << false;
}

void tst_frmJournal::unsafeTitlesAreRefused()
{
    QFETCH(QString, title);
    QFETCH(bool, saved);
    Fixture f;
    f.open();
    f.title()->setText(title);
    f.box()->setText(u"kept"_qs);
    f.selectAll();
    f.box()->setSelBold(true);
    if (saved)
        f.test.dialogs.messageAnswers.append(MsgBoxResult::No);
    f.press("cmdAdd");
    QCOMPARE(f.folderFiles().size(), saved ? 1 : 0);
    QVERIFY(!QFile::exists(f.test.path(u"../outside "_qs + f.date() + u".entry")));
    if (saved) {
        QCOMPARE(f.folderFiles(), QStringList{f.entry(title)});
        return;
    }
    QCOMPARE(f.test.dialogs.messages.size(), 1);
    QVERIFY(f.test.dialogs.messages[0].text.startsWith(u"The entry was not saved."));
    QCOMPARE(f.test.dialogs.messages[0].icon, MsgBoxIcon::Exclamation);
    QCOMPARE(f.title()->text(), title);
    QCOMPARE(f.box()->Text(), u"kept"_qs);
    QCOMPARE(f.box()->SelBold(), RichTextBox::Style::On);
}

void tst_frmJournal::failedSaveAndDeleteSayWhy()
{
    Fixture f;
    f.open();
    // A folder where the entry file would go cannot be written over.
    const QString blocked = f.test.path(f.entry(u"Title"_qs));
    QVERIFY(QDir().mkdir(blocked));
    f.add(u"Title"_qs, u"scrambled or not, readable after"_qs, MsgBoxResult::Yes);
    QCOMPARE(f.box()->Text(), u"scrambled or not, readable after"_qs);
    QCOMPARE(f.test.dialogs.messages.size(), 2);
    QString told = f.test.dialogs.messages[1].text;
    QVERIFY2(told.contains(QDir::toNativeSeparators(blocked)) && told.contains(u"folder"), qPrintable(told));

    // An entry that vanished after the list last showed it.
    f.add(u"vanishing"_qs, u"text"_qs);
    const QString name = f.entry(u"vanishing"_qs);
    QTRY_VERIFY(f.listed(name));
    QVERIFY(QFile::remove(f.test.path(name)));
    f.test.dialogs.messageAnswers.append(MsgBoxResult::Yes);
    QVERIFY(f.doubleClickOn(name));
    told = f.test.dialogs.messages.last().text;
    QVERIFY2(told.contains(QDir::toNativeSeparators(f.test.path(name))), qPrintable(told));
    QVERIFY2(!told.section(u"\n\n"_qs, 1).isEmpty(), qPrintable(told));
    QVERIFY(f.test.dialogs.unexpected.isEmpty());
}

QTEST_MAIN(tst_frmJournal)
#include "tst_frmjournal.moc"
