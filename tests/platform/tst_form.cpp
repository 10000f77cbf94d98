#include "platform/form.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

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

} // namespace

class tst_Form : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showLoadsOnceUntilClosed();
    void frameAndStayingOnTop();
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

void tst_Form::frameAndStayingOnTop()
{
    CountingForm form;
    QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(form.windowType(), Qt::Tool);
    QCOMPARE(form.size(), QSize(200, 100));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    // Open tool windows keep the program running.
    QVERIFY(form.testAttribute(Qt::WA_QuitOnClose));
}

void tst_Form::enterAndEscapePressTheirButtons()
{
    CountingForm form;
    QSignalSpy okSpy(form.ok, &QPushButton::clicked);
    QSignalSpy otherSpy(form.other, &QPushButton::clicked);
    Show(form);
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    form.text->setFocus();
    QTest::keyClick(form.text, Qt::Key_Return);
    QCOMPARE(okSpy.count(), 1);
    QCOMPARE(form.text->Text(), QStringLiteral("design")); // Enter did not reach the text

    Show(form);
    QTest::keyClick(form.other, Qt::Key_Return); // a focused button takes Enter itself
    QCOMPARE(otherSpy.count(), 1);
    QCOMPARE(okSpy.count(), 1);

    QTest::keyClick(form.other, Qt::Key_Escape);
    QCOMPARE(okSpy.count(), 2);
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(tst_Form)
#include "tst_form.moc"
