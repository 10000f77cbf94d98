#include "platform/textbox.h"

#include <QTest>

class tst_TextBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsCrLfLineBreaks_data();
    void keepsCrLfLineBreaks();
};

void tst_TextBox::keepsCrLfLineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");

    QTest::newRow("one line") << QStringLiteral("An idea") << 1;
    QTest::newRow("three lines") << QStringLiteral("first \r\n\r\nthird ") << 3;
    QTest::newRow("empty") << QString() << 1;
}

void tst_TextBox::keepsCrLfLineBreaks()
{
    QFETCH(QString, text);
    TextBox box;
    box.setText(text);
    QCOMPARE(box.Text(), text);
    QTEST(box.document()->blockCount(), "lines");
}

QTEST_MAIN(tst_TextBox)
#include "tst_textbox.moc"
