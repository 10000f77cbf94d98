#include "platform/form.h"
#include "platform/olecolor.h"
#include "platform/qtdialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// A window that stays above all others, as the generators and their editor do.
class OnTopWindow : public Form
{
public:
    OnTopWindow()
    {
        button = new QPushButton(QStringLiteral("Save"), this);
        setFrame(Frame::FixedToolWindow, QSize(4500, 1500), true);
    }

    QPushButton *button;
};

struct SeenDialog
{
    QWidget *parent = nullptr;
    bool onTop = false;
    bool modal = false;
};

// Runs `act` on the dialog the next call opens, once it shows. A dialog of
// another kind fails the test and is closed, so that the call returns.
template<typename T>
void whenShown(std::function<void(T &)> act)
{
    QTimer::singleShot(0, qApp, [act] {
        QWidget *shown = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<T *>(shown)) {
            act(*dialog);
            return;
        }
        if (auto *other = qobject_cast<QDialog *>(shown))
            other->reject();
        QFAIL("the dialog asked for did not open");
    });
}

// Opens one kind of dialog through the seam and notes how it stood, then
// cancels it.
SeenDialog openAndCancel(QtDialogs &dialogs, const QString &kind, QWidget *owner)
{
    SeenDialog seen;
    whenShown<QDialog>([&seen](QDialog &dialog) {
        seen = {dialog.parentWidget(), dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint), dialog.isModal()};
        dialog.reject();
    });
    if (kind == u"message")
        dialogs.messageBox({QStringLiteral("Quillmere could not save it."), QStringLiteral("Quillmere"),
                            MsgBoxButtons::OkCancel, MsgBoxIcon::Exclamation, owner});
    else if (kind == u"input")
        dialogs.inputBox({QStringLiteral("Name?"), QStringLiteral("Quillmere"), {}, owner});
    else if (kind == u"file")
        dialogs.fileDialog({FileDialogRequest::Kind::Save, QStringLiteral("Save As"),
                            QStringLiteral("Text Files (*.txt)|*.txt"), 1, {}, 0, {}, owner});
    else if (kind == u"font")
        dialogs.fontDialog({{}, 0, owner});
    else if (kind == u"colour")
        dialogs.colorDialog({0x0000FF, 0, owner});
    return seen;
}

// Notes whether Qt puts a question of its own while the dialog answers,
// closing it the way that goes on, and returns the note.
std::shared_ptr<bool> noteQuestions()
{
    auto asked = std::make_shared<bool>(false);
    QTimer::singleShot(0, qApp, [asked] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            *asked = true;
            QAbstractButton *yes = box->button(QMessageBox::Yes);
            (yes ? yes : box->button(QMessageBox::Ok))->click();
        }
    });
    return asked;
}

// Two installed families of different names (not one family from two
// foundries) with bold and slanted faces, which the font dialog can show as
// they are asked for.
QStringList styledFamilies()
{
    QStringList found;
    const QStringList families = QFontDatabase::families();
    const auto bareName = [](const QString &family) { return family.section(QStringLiteral(" ["), 0, 0); };
    for (const QString &family : families) {
        const QStringList styles = QFontDatabase::styles(family);
        if (styles.contains(u"Bold") && (styles.contains(u"Italic") || styles.contains(u"Oblique"))
            && (found.isEmpty() || bareName(found.constFirst()) != bareName(family)))
            found.append(family);
        if (found.size() == 2)
            break;
    }
    return found;
}

const QString Title = QStringLiteral("Quillmere");
const QString Text = QStringLiteral("Ærøskøbing — 東京: save the changes?");

} // namespace

class tst_QtDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensOverTheAskingWindowAndAboveItsFellows_data();
    void opensOverTheAskingWindowAndAboveItsFellows();
    void withoutAVisibleAskerTakesTheWindowInUse_data();
    void withoutAVisibleAskerTakesTheWindowInUse();
    void messageBoxAnswersTheButtonPressed_data();
    void messageBoxAnswersTheButtonPressed();
    void inputBoxAnswersWhatIsInIt_data();
    void inputBoxAnswersWhatIsInIt();
    void fileDialogStartsAsAskedAndAnswersTheFileChosen_data();
    void fileDialogStartsAsAskedAndAnswersTheFileChosen();
    void fontDialogShowsAndAnswersTheFont_data();
    void fontDialogShowsAndAnswersTheFont();
    void colourDialogShowsAndAnswersTheColour_data();
    void colourDialogShowsAndAnswersTheColour();
    void printDialogOffersTheRangesAsked_data();
    void printDialogOffersTheRangesAsked();
};

void tst_QtDialogs::opensOverTheAskingWindowAndAboveItsFellows_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"message", "input", "file", "font", "colour"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void tst_QtDialogs::opensOverTheAskingWindowAndAboveItsFellows()
{
    QFETCH(QString, kind);
    QtDialogs dialogs;
    OnTopWindow asking;
    OnTopWindow other;
    Show(asking);
    Show(other); // the active window is another one
    QVERIFY(QTest::qWaitForWindowActive(&other));

    // Asked from a control of the window: the box belongs to that window.
    const SeenDialog seen = openAndCancel(dialogs, kind, asking.button);
    QCOMPARE(seen.parent, &asking);
    QVERIFY(seen.modal);
    QVERIFY(seen.onTop);
}

void tst_QtDialogs::withoutAVisibleAskerTakesTheWindowInUse_data()
{
    QTest::addColumn<bool>("anyActive");
    QTest::addColumn<bool>("askerHidden"); // else no window asks
    QTest::addColumn<bool>("inUseClosed");
    QTest::newRow("a window is active") << true << false << false;
    QTest::newRow("none is active, just after a dialog closed") << false << false << false;
    QTest::newRow("asked from a hidden window") << true << true << false;
    QTest::newRow("none is active, the window last in use closed") << false << false << true;
}

void tst_QtDialogs::withoutAVisibleAskerTakesTheWindowInUse()
{
    QFETCH(bool, anyActive);
    QFETCH(bool, askerHidden);
    QFETCH(bool, inUseClosed);
    QtDialogs dialogs;
    OnTopWindow others[4];
    OnTopWindow inUse;
    OnTopWindow hidden;
    for (OnTopWindow &other : others) {
        Show(other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    Show(inUse);
    QVERIFY(QTest::qWaitForWindowActive(&inUse));
    if (!anyActive) {
        QCOMPARE(openAndCancel(dialogs, QStringLiteral("message"), inUse.button).parent, &inUse);
        if (inUseClosed)
            inUse.close();
        QApplication::setActiveWindow(nullptr);
        QVERIFY(!QApplication::activeWindow());
    }

    const SeenDialog seen = openAndCancel(dialogs, QStringLiteral("message"), askerHidden ? hidden.button : nullptr);
    QVERIFY(seen.parent && seen.parent->isVisible());
    QCOMPARE(seen.parent == &inUse, !inUseClosed);
    QVERIFY(seen.onTop);
}

constexpr int PressEscape = -1;

void tst_QtDialogs::messageBoxAnswersTheButtonPressed_data()
{
    QTest::addColumn<MsgBoxButtons>("buttons");
    QTest::addColumn<int>("shown"); // the buttons the box must show
    QTest::addColumn<int>("press"); // one of them, or Escape
    QTest::addColumn<MsgBoxResult>("expected");
    QTest::addColumn<MsgBoxIcon>("icon");
    QTest::addColumn<QMessageBox::Icon>("shownIcon");

    using B = QMessageBox;
    using R = MsgBoxResult;
    using I = MsgBoxIcon;
    const int ok = B::Ok, okCancel = B::Ok | B::Cancel, ari = B::Abort | B::Retry | B::Ignore,
              ync = B::Yes | B::No | B::Cancel, yn = B::Yes | B::No, rc = B::Retry | B::Cancel;
    QTest::newRow("OK: OK") << MsgBoxButtons::OkOnly << ok << int(B::Ok) << R::Ok << I::None << B::NoIcon;
    QTest::newRow("OK: Escape") << MsgBoxButtons::OkOnly << ok << PressEscape << R::Ok << I::Information
                                << B::Information;
    QTest::newRow("OK, Cancel: OK") << MsgBoxButtons::OkCancel << okCancel << int(B::Ok) << R::Ok << I::Critical
                                    << B::Critical;
    QTest::newRow("OK, Cancel: Cancel") << MsgBoxButtons::OkCancel << okCancel << int(B::Cancel) << R::Cancel
                                        << I::Question << B::Question;
    QTest::newRow("OK, Cancel: Escape") << MsgBoxButtons::OkCancel << okCancel << PressEscape << R::Cancel
                                        << I::Exclamation << B::Warning;
    QTest::newRow("Abort, Retry, Ignore: Abort") << MsgBoxButtons::AbortRetryIgnore << ari << int(B::Abort)
                                                 << R::Abort << I::Critical << B::Critical;
    QTest::newRow("Abort, Retry, Ignore: Retry") << MsgBoxButtons::AbortRetryIgnore << ari << int(B::Retry)
                                                 << R::Retry << I::Critical << B::Critical;
    QTest::newRow("Abort, Retry, Ignore: Ignore") << MsgBoxButtons::AbortRetryIgnore << ari << int(B::Ignore)
                                                  << R::Ignore << I::Critical << B::Critical;
    QTest::newRow("Yes, No, Cancel: Yes") << MsgBoxButtons::YesNoCancel << ync << int(B::Yes) << R::Yes
                                          << I::Question << B::Question;
    QTest::newRow("Yes, No, Cancel: No") << MsgBoxButtons::YesNoCancel << ync << int(B::No) << R::No
                                         << I::Question << B::Question;
    QTest::newRow("Yes, No, Cancel: Cancel") << MsgBoxButtons::YesNoCancel << ync << int(B::Cancel) << R::Cancel
                                             << I::Exclamation << B::Warning;
    QTest::newRow("Yes, No, Cancel: Escape") << MsgBoxButtons::YesNoCancel << ync << PressEscape << R::Cancel
                                             << I::Exclamation << B::Warning;
    QTest::newRow("Yes, No: Yes") << MsgBoxButtons::YesNo << yn << int(B::Yes) << R::Yes << I::None << B::NoIcon;
    QTest::newRow("Yes, No: No") << MsgBoxButtons::YesNo << yn << int(B::No) << R::No << I::None << B::NoIcon;
    QTest::newRow("Yes, No: Escape") << MsgBoxButtons::YesNo << yn << PressEscape << R::No << I::Question
                                     << B::Question;
    QTest::newRow("Retry, Cancel: Retry") << MsgBoxButtons::RetryCancel << rc << int(B::Retry) << R::Retry
                                          << I::Information << B::Information;
    QTest::newRow("Retry, Cancel: Cancel") << MsgBoxButtons::RetryCancel << rc << int(B::Cancel) << R::Cancel
                                           << I::Information << B::Information;
    QTest::newRow("Retry, Cancel: Escape") << MsgBoxButtons::RetryCancel << rc << PressEscape << R::Cancel
                                           << I::Exclamation << B::Warning;
}

void tst_QtDialogs::messageBoxAnswersTheButtonPressed()
{
    QFETCH(MsgBoxButtons, buttons);
    QFETCH(int, shown);
    QFETCH(int, press);
    QFETCH(MsgBoxIcon, icon);
    QFETCH(QMessageBox::Icon, shownIcon);
    QtDialogs dialogs;
    QMessageBox::StandardButtons seenButtons;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QString seenTitle, seenText;
    bool closed = false;
    whenShown<QMessageBox>([&](QMessageBox &box) {
        seenButtons = box.standardButtons();
        seenIcon = box.icon();
        seenTitle = box.windowTitle();
        seenText = box.text();
        if (press == PressEscape)
            QTest::keyClick(&box, Qt::Key_Escape);
        else
            QTest::mouseClick(box.button(QMessageBox::StandardButton(press)), Qt::LeftButton);
        closed = !box.isVisible();
        if (!closed) // the test must end
            box.done(QMessageBox::NoButton);
    });

    QTEST(dialogs.messageBox({Text, Title, buttons, icon, nullptr}), "expected");
    QVERIFY(closed);
    QCOMPARE(int(seenButtons), shown);
    QCOMPARE(seenIcon, shownIcon);
    QCOMPARE(seenTitle, Title);
    QCOMPARE(seenText, Text);
}

void tst_QtDialogs::inputBoxAnswersWhatIsInIt_data()
{
    QTest::addColumn<QString>("offered");
    QTest::addColumn<std::optional<QString>>("typed"); // none: cancelled; the answer is what was typed

    const QString draft = QStringLiteral("Draft");
    const QString typed = QStringLiteral("Ærøskøbing 東京");
    QTest::newRow("kept as offered") << draft << std::optional(draft);
    QTest::newRow("typed over, outside Latin-1") << draft << std::optional(typed);
    QTest::newRow("emptied: an empty answer, not a cancel") << draft << std::optional(QString());
    QTest::newRow("cancelled") << draft << std::optional<QString>();
}

void tst_QtDialogs::inputBoxAnswersWhatIsInIt()
{
    QFETCH(QString, offered);
    QFETCH(std::optional<QString>, typed);
    QtDialogs dialogs;
    QString seenPrompt, seenTitle, seenOffered;
    whenShown<QInputDialog>([&](QInputDialog &dialog) {
        seenPrompt = dialog.labelText();
        seenTitle = dialog.windowTitle();
        seenOffered = dialog.textValue();
        if (!typed) {
            dialog.reject();
            return;
        }
        auto *edit = dialog.findChild<QLineEdit *>();
        edit->selectAll();
        if (typed->isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else if (*typed != offered)
            edit->insert(*typed); // as an input method types what the keyboard has no key for
        QTest::keyClick(edit, Qt::Key_Return);
    });

    QCOMPARE(dialogs.inputBox({Text, Title, offered, nullptr}), typed);
    QCOMPARE(seenPrompt, Text);
    QCOMPARE(seenTitle, Title);
    QCOMPARE(seenOffered, offered);
}

void tst_QtDialogs::fileDialogStartsAsAskedAndAnswersTheFileChosen_data()
{
    QTest::addColumn<FileDialogRequest::Kind>("kind");
    QTest::addColumn<QString>("fileName"); // within the test's folder; "/" ahead: a full path
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("typed"); // empty: accepted as it opened
    QTest::addColumn<QString>("startFolder");
    QTest::addColumn<bool>("qtAsks"); // Qt puts a question of its own
    QTest::addColumn<QString>("expected"); // empty: no answer
    QTest::addColumn<int>("expectedFilter");

    using K = FileDialogRequest::Kind;
    QTest::newRow("open a file in the starting folder")
        << K::Open << QString() << 2 << QStringLiteral("b.rtf") << QString() << false << QStringLiteral("b.rtf") << 2;
    QTest::newRow("open with the first filter")
        << K::Open << QString() << 1 << QStringLiteral("a.txt") << QString() << false << QStringLiteral("a.txt") << 1;
    QTest::newRow("open with the last filter")
        << K::Open << QString() << 3 << QStringLiteral("a.txt") << QString() << false << QStringLiteral("a.txt") << 3;
    QTest::newRow("a filter past the last: the first")
        << K::Open << QString() << 4 << QStringLiteral("a.txt") << QString() << false << QStringLiteral("a.txt") << 1;
    QTest::newRow("open a name that is not there: Qt says so and the dialog stays")
        << K::Open << QString() << 1 << QStringLiteral("missing.txt") << QString() << true << QString() << 0;
    QTest::newRow("save a new name") << K::Save << QString() << 1 << QStringLiteral("new.txt") << QString() << false
                                     << QStringLiteral("new.txt") << 1;
    QTest::newRow("save over a file: the program asks, not Qt")
        << K::Save << QString() << 2 << QStringLiteral("b.rtf") << QString() << false << QStringLiteral("b.rtf") << 2;
    QTest::newRow("save as offered, a full path picks the folder")
        << K::Save << QStringLiteral("/sub/Chapter 1.rtf") << 2 << QString() << QStringLiteral("sub") << false
        << QStringLiteral("sub/Chapter 1.rtf") << 2;
}

void tst_QtDialogs::fileDialogStartsAsAskedAndAnswersTheFileChosen()
{
    QFETCH(FileDialogRequest::Kind, kind);
    QFETCH(QString, fileName);
    QFETCH(int, filterIndex);
    QFETCH(QString, typed);
    QFETCH(QString, startFolder);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    for (const char *name : {"a.txt", "b.rtf"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    if (fileName.startsWith(u'/'))
        fileName = dir.path() + fileName;

    QtDialogs dialogs;
    QString seenFolder;
    QStringList seenPatterns;
    std::shared_ptr<bool> asked;
    whenShown<QFileDialog>([&](QFileDialog &dialog) {
        seenFolder = dialog.directory().absolutePath();
        const QString filter = dialog.selectedNameFilter();
        seenPatterns = filter.mid(filter.lastIndexOf(u'(') + 1).chopped(1).split(u' ');
        if (!typed.isEmpty())
            dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typed);
        asked = noteQuestions();
        static_cast<QDialog &>(dialog).accept();
        if (dialog.isVisible())
            dialog.reject();
    });
    const auto answer = dialogs.fileDialog(
        {kind, QStringLiteral("Save As"),
         QStringLiteral("Documents (*.txt)|*.txt|RichText Files (*.rtf)|*.rtf|All Files (*.*)|*.*"), filterIndex,
         fileName, 0, dir.path(), nullptr});

    QCOMPARE(seenFolder, QDir(dir.path()).absoluteFilePath(startFolder));
    // Only All Files, the last filter, shows a name without a dot.
    QCOMPARE(QDir::match(seenPatterns, QStringLiteral("Notes")), filterIndex == 3);
    QVERIFY(asked);
    QTEST(*asked, "qtAsks");
    QCOMPARE(answer.has_value(), !expected.isEmpty());
    if (answer) {
        QCOMPARE(answer->fileName, dir.filePath(expected));
        QTEST(answer->filterIndex, "expectedFilter");
    }
}

void tst_QtDialogs::fontDialogShowsAndAnswersTheFont_data()
{
    QTest::addColumn<int>("offeredFamily"); // of two installed families
    QTest::addColumn<FontValues>("offered");
    QTest::addColumn<std::optional<FontValues>>("chosen"); // none: cancelled; no name: as offered

    const quint32 blue = OleColor::fromRgb(0, 0, 255);
    const FontValues boldUnderlined{{}, 12, true, false, true, false, blue};
    const FontValues italicStruck{{}, 9, false, true, false, true, OleColor::fromRgb(0, 128, 0)};
    QTest::newRow("kept as offered: bold, underlined") << 0 << boldUnderlined << std::optional(FontValues());
    QTest::newRow("kept as offered: italic, struck through") << 1 << italicStruck << std::optional(FontValues());
    QTest::newRow("another font chosen")
        << 0 << boldUnderlined << std::optional(FontValues{QStringLiteral("1"), 14, false, true, false, true, blue});
    QTest::newRow("cancelled") << 0 << boldUnderlined << std::optional<FontValues>();
}

void tst_QtDialogs::fontDialogShowsAndAnswersTheFont()
{
    QFETCH(int, offeredFamily);
    QFETCH(FontValues, offered);
    QFETCH(std::optional<FontValues>, chosen);
    const QStringList families = styledFamilies();
    if (families.size() < 2)
        QSKIP("needs two installed font families with bold and italic faces");
    offered.name = families.at(offeredFamily);
    const bool keep = chosen && chosen->name.isEmpty();
    if (keep)
        chosen = offered;
    else if (chosen)
        chosen->name = families.at(chosen->name.toInt());

    QtDialogs dialogs;
    QFont seen;
    whenShown<QFontDialog>([&](QFontDialog &dialog) {
        seen = dialog.currentFont();
        if (!chosen) {
            dialog.reject();
            return;
        }
        if (!keep) {
            QFont font(chosen->name);
            font.setPointSizeF(chosen->size);
            font.setBold(chosen->bold);
            font.setItalic(chosen->italic);
            font.setUnderline(chosen->underline);
            font.setStrikeOut(chosen->strikethru);
            dialog.setCurrentFont(font);
        }
        dialog.accept();
    });

    const std::optional<FontValues> answer = dialogs.fontDialog({offered, 0, nullptr});
    QCOMPARE(seen.family(), offered.name);
    QCOMPARE(seen.pointSizeF(), offered.size);
    QCOMPARE(seen.bold(), offered.bold);
    QCOMPARE(seen.italic(), offered.italic);
    QCOMPARE(seen.underline(), offered.underline);
    QCOMPARE(seen.strikeOut(), offered.strikethru);
    // The dialog has no colour; the colour offered goes through.
    QCOMPARE(answer, chosen);
}

void tst_QtDialogs::colourDialogShowsAndAnswersTheColour_data()
{
    QTest::addColumn<quint32>("offered");
    QTest::addColumn<std::optional<quint32>>("chosen"); // none: cancelled; the answer is the one chosen

    const quint32 orange = OleColor::fromRgb(255, 128, 0);
    const quint32 slate = OleColor::fromRgb(0x12, 0x34, 0x56);
    QTest::newRow("kept as offered") << orange << std::optional(orange);
    QTest::newRow("another chosen") << orange << std::optional(slate);
    QTest::newRow("cancelled") << orange << std::optional<quint32>();
}

void tst_QtDialogs::colourDialogShowsAndAnswersTheColour()
{
    QFETCH(quint32, offered);
    QFETCH(std::optional<quint32>, chosen);
    QtDialogs dialogs;
    QColor seen;
    whenShown<QColorDialog>([&](QColorDialog &dialog) {
        seen = dialog.currentColor();
        if (!chosen) {
            dialog.reject();
            return;
        }
        dialog.setCurrentColor(OleColor::toQColor(*chosen));
        dialog.accept();
    });

    QCOMPARE(dialogs.colorDialog({offered, 0, nullptr}), chosen);
    QCOMPARE(seen, OleColor::toQColor(offered));
}

void tst_QtDialogs::printDialogOffersTheRangesAsked_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QAbstractPrintDialog::PrintRange>("range");
    QTest::addColumn<bool>("pageNumbers");

    QTest::newRow("all pages") << 0 << QString() << true << QAbstractPrintDialog::AllPages << true;
    // A title other than Qt's own, which is "Print" in English.
    QTest::newRow("the selection") << 1 << QStringLiteral("Печать главы") << true << QAbstractPrintDialog::Selection
                                   << true;
    QTest::newRow("no page numbers") << 8 << QString() << false << QAbstractPrintDialog::AllPages << false;
    QTest::newRow("the selection, no page numbers")
        << 9 << QStringLiteral("Печать главы") << false << QAbstractPrintDialog::Selection << false;
}

void tst_QtDialogs::printDialogOffersTheRangesAsked()
{
    QFETCH(int, flags);
    QFETCH(QString, title);
    QFETCH(bool, accept);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QPrinter printer;
    printer.setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
    QtDialogs dialogs;
    bool selectionOffered = false;
    bool pageNumbersOffered = true;
    QAbstractPrintDialog::PrintRange seenRange = QAbstractPrintDialog::CurrentPage;
    QString seenTitle;
    whenShown<QPrintDialog>([&](QPrintDialog &dialog) {
        selectionOffered = dialog.testOption(QAbstractPrintDialog::PrintSelection);
        pageNumbersOffered = dialog.testOption(QAbstractPrintDialog::PrintPageRange);
        seenRange = dialog.printRange();
        seenTitle = dialog.windowTitle();
        if (accept)
            dialog.accept();
        else
            dialog.reject();
    });

    QCOMPARE(dialogs.printDialog({title, flags, nullptr}, printer), accept);
    QVERIFY(selectionOffered);
    QTEST(pageNumbersOffered, "pageNumbers");
    QTEST(seenRange, "range");
    QVERIFY(!seenTitle.isEmpty());
    if (!title.isEmpty())
        QCOMPARE(seenTitle, title);
}

QTEST_MAIN(tst_QtDialogs)
#include "tst_qtdialogs.moc"
