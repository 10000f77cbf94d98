#include "platform/form.h"
#include "platform/qtdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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

// Opens one kind of dialog through the seam and notes how it stood, then
// cancels it.
SeenDialog openAndCancel(QtDialogs &dialogs, const QString &kind, QWidget *owner)
{
    SeenDialog seen;
    QTimer::singleShot(0, qApp, [&seen] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = {dialog->parentWidget(), dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint), dialog->isModal()};
        dialog->reject();
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

} // namespace

class tst_QtDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensOverTheAskingWindowAndAboveItsFellows_data();
    void opensOverTheAskingWindowAndAboveItsFellows();
    void withoutAnAskerTakesTheWindowInUse_data();
    void withoutAnAskerTakesTheWindowInUse();
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

void tst_QtDialogs::withoutAnAskerTakesTheWindowInUse_data()
{
    QTest::addColumn<bool>("anyActive");
    QTest::newRow("a window is active") << true;
    QTest::newRow("none is active, as just after a dialog closed") << false;
}

void tst_QtDialogs::withoutAnAskerTakesTheWindowInUse()
{
    QFETCH(bool, anyActive);
    QtDialogs dialogs;
    OnTopWindow others[4];
    OnTopWindow inUse;
    for (OnTopWindow &other : others) {
        Show(other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    Show(inUse);
    QVERIFY(QTest::qWaitForWindowActive(&inUse));
    if (!anyActive) {
        QApplication::setActiveWindow(nullptr);
        QVERIFY(!QApplication::activeWindow());
    }

    const SeenDialog seen = openAndCancel(dialogs, QStringLiteral("message"), nullptr);
    QCOMPARE(seen.parent, &inUse);
    QVERIFY(seen.onTop);
}

QTEST_MAIN(tst_QtDialogs)
#include "tst_qtdialogs.moc"
