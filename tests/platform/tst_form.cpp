#include "platform/form.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "platform/textbox.h"

namespace {

class CountingForm : public Form
{
public:
    CountingForm()
    {
        text = new TextBox(this);
        other = new QPushButton(QStringLiteral("Other"), this);
        ok = new QPushButton(QStringLiteral("Close"), this);
        other->move(0, 40);
        ok->move(0, 80);
        setFrame(Frame::FixedToolWindow, QSize(3000, 1500), true);
        setDefaultButton(ok);
        setCancelButton(ok);
        connect(ok, &QPushButton::clicked, this, &QWidget::close);
    }

    int loads = 0;
    int unloads = 0;
    TextBox *text;
    QPushButton *other;
    QPushButton *ok;

protected:
    void resetControls() override { text->setText(QStringLiteral("design")); }
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }
};

class FramedForm : public Form
{
public:
    FramedForm(Frame frame, QSize clientTwips, bool alwaysOnTop) { setFrame(frame, clientTwips, alwaysOnTop); }
};

} // namespace

Q_DECLARE_METATYPE(Form::Frame)

class tst_Form : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showLoadsOnceUntilClosed();
    void frameAndStayingOnTop_data();
    void frameAndStayingOnTop();
    void cascadeStartsAgainPastTheScreensEdge_data();
    void cascadeStartsAgainPastTheScreensEdge();
    void aFirstWindowStandsInTheMiddle_data();
    void aFirstWindowStandsInTheMiddle();
    void enterAndEscapePressTheirButtons_data();
    void enterAndEscapePressTheirButtons();
};

void tst_Form::showLoadsOnceUntilClosed()
{
    CountingForm form;
    Show(form);
    QVERIFY(form.isVisible());
    QCOMPARE(form.loads, 1);
    form.text->setText(QStringLiteral("typed"));

    Show(form); // open: only brought to the front
    QCOMPARE(form.loads, 1);
    QCOMPARE(form.text->Text(), QStringLiteral("typed"));

    form.close();
    QVERIFY(!form.isLoaded());
    QCOMPARE(form.unloads, 1);
    Show(form);
    QCOMPARE(form.loads, 2);
    QCOMPARE(form.text->Text(), QStringLiteral("design"));
}

void tst_Form::frameAndStayingOnTop_data()
{
    QTest::addColumn<Form::Frame>("frame");
    QTest::addColumn<QSize>("twips");
    QTest::addColumn<bool>("onTop");
    QTest::addColumn<Qt::WindowType>("type");
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<QSize>("pixels");

    // Twips round to the nearest pixel at 15 to one.
    QTest::newRow("fixed tool window") << Form::Frame::FixedToolWindow << QSize(3000, 1500) << true << Qt::Tool << true
                                       << QSize(200, 100);
    QTest::newRow("fixed dialog, rounding to nearest") << Form::Frame::FixedDialog << QSize(3007, 1493) << false << Qt::Dialog
                                                       << true << QSize(200, 100);
    QTest::newRow("sizable tool window, rounding away") << Form::Frame::SizableToolWindow << QSize(3008, 1492) << true
                                                        << Qt::Tool << false << QSize(201, 99);
    QTest::newRow("sizable") << Form::Frame::Sizable << QSize(5535, 1500) << false << Qt::Window << false << QSize(369, 100);
}

void tst_Form::frameAndStayingOnTop()
{
    QFETCH(Form::Frame, frame);
    QFETCH(QSize, twips);
    QFETCH(bool, onTop);
    QFETCH(bool, fixed);
    FramedForm form(frame, twips, onTop);
    QCOMPARE(bool(form.windowFlags() & Qt::WindowStaysOnTopHint), onTop);
    QTEST(form.windowType(), "type");
    QTEST(form.size(), "pixels");
    QCOMPARE(form.minimumSize() == form.maximumSize(), fixed);
    // Only the ordinary frame offers a maximise button; every window keeps the program running.
    QCOMPARE(bool(form.windowFlags() & Qt::WindowMaximizeButtonHint), frame == Form::Frame::Sizable);
    QVERIFY(form.testAttribute(Qt::WA_QuitOnClose));
}

void tst_Form::cascadeStartsAgainPastTheScreensEdge_data()
{
    // How far the next window of the cascade would reach past the screen's
    // right and bottom edges; below nothing, how far short of them it stays.
    QTest::addColumn<QPoint>("past");

    QTest::newRow("reaching the right edge") << QPoint(0, -50);
    QTest::newRow("a pixel past the right edge") << QPoint(1, -50);
    QTest::newRow("reaching the bottom edge") << QPoint(-50, 0);
    QTest::newRow("a pixel past the bottom edge") << QPoint(-50, 1);
}

void tst_Form::cascadeStartsAgainPastTheScreensEdge()
{
    QFETCH(QPoint, past);
    FramedForm first(Form::Frame::Sizable, QSize(3000, 1500), false);
    FramedForm second(Form::Frame::Sizable, QSize(3000, 1500), false);
    FramedForm next(Form::Frame::Sizable, QSize(3000, 1500), false);
    Show(first);
    Show(second);
    const QPoint step = second.pos() - first.pos();
    QVERIFY(step.x() > 0 && step.y() > 0);

    const QRect screen = second.screen()->availableGeometry();
    const QSize outer = next.size() + (second.frameGeometry().size() - second.size());
    second.move(QPoint(screen.right() + 1, screen.bottom() + 1) + past - QPoint(outer.width(), outer.height()) - step);
    Show(next);
    const bool fits = past.x() <= 0 && past.y() <= 0;
    QCOMPARE(next.pos(), fits ? second.pos() + step : screen.topLeft());
}

void tst_Form::aFirstWindowStandsInTheMiddle_data()
{
    QTest::addColumn<QSize>("twips");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<bool>("windowInUse"); // off the screen's middle; else none
    QTest::addColumn<bool>("unshownForm"); // another form, made but never shown
    QTest::newRow("smaller than the screen") << QSize(3000, 1515) << true << false << false;
    QTest::newRow("larger than the screen") << QSize(30000, 30000) << false << false << false;
    QTest::newRow("over the window in use") << QSize(3000, 1515) << true << true << false;
    QTest::newRow("over it, beside a form never shown") << QSize(3000, 1515) << true << true << true;
}

void tst_Form::aFirstWindowStandsInTheMiddle()
{
    QFETCH(QSize, twips);
    QFETCH(bool, fits);
    QFETCH(bool, windowInUse);
    QFETCH(bool, unshownForm);
    QVERIFY(!QApplication::activeWindow());
    QWidget inUse;
    const QRect screen = inUse.screen()->availableGeometry();
    if (windowInUse) {
        inUse.setGeometry(QRect(screen.topLeft() + QPoint(10, 10), screen.size() / 2));
        inUse.show();
        inUse.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&inUse));
    }
    std::unique_ptr<FramedForm> unshown;
    if (unshownForm) {
        unshown = std::make_unique<FramedForm>(Form::Frame::Sizable, twips, false);
        unshown->move(screen.center());
    }
    FramedForm form(Form::Frame::Sizable, twips, false);
    Show(form);
    // Shown for the first time, it could not know its frame's width.
    const QSize frame = form.frameGeometry().size() - form.size();
    const QPoint middle = windowInUse ? inUse.frameGeometry().center() : screen.center();
    const QPoint off = form.frameGeometry().center() - middle;
    QCOMPARE(screen.contains(form.frameGeometry()), fits);
    if (fits)
        QVERIFY2(qAbs(off.x()) <= frame.width() && qAbs(off.y()) <= frame.height(),
                 qPrintable(QStringLiteral("%1, %2").arg(off.x()).arg(off.y())));
    else // its top left corner at least stays in sight
        QCOMPARE(form.pos(), screen.topLeft());
}

void tst_Form::enterAndEscapePressTheirButtons_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("onOther"); // else in the text box
    QTest::addColumn<bool>("otherClicked"); // else the default or cancel button

    QTest::newRow("Enter in a text box") << int(Qt::Key_Return) << int(Qt::NoModifier) << false << false;
    QTest::newRow("keypad Enter in a text box") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << false;
    QTest::newRow("Enter on a focused button") << int(Qt::Key_Return) << int(Qt::NoModifier) << true << true;
    QTest::newRow("Escape on a focused button") << int(Qt::Key_Escape) << int(Qt::NoModifier) << true << false;
}

void tst_Form::enterAndEscapePressTheirButtons()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, onOther);
    QFETCH(bool, otherClicked);
    CountingForm form;
    QSignalSpy okSpy(form.ok, &QPushButton::clicked);
    QSignalSpy otherSpy(form.other, &QPushButton::clicked);
    Show(form);
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QWidget *target = onOther ? static_cast<QWidget *>(form.other) : form.text;
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(otherSpy.count(), int(otherClicked));
    QCOMPARE(okSpy.count(), int(!otherClicked));
    QCOMPARE(form.isVisible(), otherClicked); // the form's button closes it
    QCOMPARE(form.text->Text(), QStringLiteral("design")); // no key reached the text
}

QTEST_MAIN(tst_Form)
#include "tst_form.moc"
