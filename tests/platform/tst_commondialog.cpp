#include "platform/commondialog.h"
#include "platform/qtdialogs.h"
#include "support/scripteddialogs.h"

#include <QPrinter>
#include <QTest>

class tst_CommonDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileDialogKeepsItsSettings();
    void cancelAlwaysGivesAnEmptyName();
    void cancelErrorReportsTheCancel();
    void fontValuesSurviveACancel();
    void printerKeepsTheLastChoices();
    void colourDialogKeepsItsColour();
    void qtNameFilters_data();
    void qtNameFilters();
};

void tst_CommonDialog::fileDialogKeepsItsSettings()
{
    ScriptedDialogs dialogs;
    CommonDialog dialog(dialogs);
    dialog.DialogTitle = QStringLiteral("Open");
    dialog.Filter = QStringLiteral("Documents (*.txt)|*.txt|All Files (*.*)|*.*");
    dialog.FilterIndex = 2; // the last entry
    dialogs.fileAnswers = {QStringLiteral("/tmp/a.txt"), QStringLiteral("/tmp/b.txt")};

    QVERIFY(dialog.ShowOpen());
    QCOMPARE(dialog.FileName, QStringLiteral("/tmp/a.txt"));
    QVERIFY(dialog.ShowSave());
    QCOMPARE(dialogs.files.size(), 2);
    QCOMPARE(dialogs.files[0].kind, FileDialogRequest::Kind::Open);
    QCOMPARE(dialogs.files[1].kind, FileDialogRequest::Kind::Save);
    // The second showing starts from what the first left.
    QCOMPARE(dialogs.files[1].title, QStringLiteral("Open"));
    QCOMPARE(dialogs.files[1].filter, dialog.Filter);
    QCOMPARE(dialogs.files[1].fileName, QStringLiteral("/tmp/a.txt"));
    QCOMPARE(dialogs.files[1].filterIndex, 2);
    QCOMPARE(dialog.FilterIndex, 2);
    QVERIFY(dialogs.unexpected.isEmpty());
}

void tst_CommonDialog::cancelAlwaysGivesAnEmptyName()
{
    ScriptedDialogs dialogs;
    CommonDialog dialog(dialogs);
    dialogs.fileAnswers = {QStringLiteral("/tmp/kept.rtf"), std::nullopt};
    dialog.ShowSave();
    QCOMPARE(dialog.FileName, QStringLiteral("/tmp/kept.rtf"));
    QVERIFY(dialog.ShowSave()); // not an error without CancelError
    QCOMPARE(dialog.FileName, QString());
}

void tst_CommonDialog::cancelErrorReportsTheCancel()
{
    ScriptedDialogs dialogs;
    CommonDialog dialog(dialogs);
    dialog.CancelError = true;
    dialogs.printAnswers = {false, true};
    dialog.Flags = 264;
    QVERIFY(!dialog.ShowPrinter());
    QVERIFY(dialog.ShowPrinter());
    QVERIFY(dialog.printer());
    QCOMPARE(dialogs.prints.at(1).flags, 264);
}

void tst_CommonDialog::fontValuesSurviveACancel()
{
    ScriptedDialogs dialogs;
    CommonDialog dialog(dialogs);
    dialog.Flags = 259;
    FontValues arial{QStringLiteral("Arial"), 12, true, false, true, false, 0x0000FF};
    dialogs.fontAnswers = {arial, std::nullopt};
    QVERIFY(dialog.ShowFont());
    QVERIFY(dialog.ShowFont());
    QCOMPARE(dialog.FontName, QStringLiteral("Arial"));
    QCOMPARE(dialog.FontSize, 12.0);
    QVERIFY(dialog.FontBold);
    QVERIFY(dialog.FontUnderline);
    QCOMPARE(dialog.Color, 0x0000FFu);
    QCOMPARE(dialogs.fonts.at(1).values, arial);
    QCOMPARE(dialogs.fonts.at(1).flags, 259);
}

void tst_CommonDialog::printerKeepsTheLastChoices()
{
    ScriptedDialogs dialogs;
    CommonDialog dialog(dialogs);
    dialogs.printAnswers = {true, false};
    dialogs.printFiles = {QStringLiteral("/tmp/chapter.pdf")};
    QVERIFY(dialog.ShowPrinter());
    QVERIFY(dialog.ShowPrinter());
    QCOMPARE(dialog.printer()->outputFileName(), QStringLiteral("/tmp/chapter.pdf"));
}

void tst_CommonDialog::colourDialogKeepsItsColour()
{
    ScriptedDialogs dialogs;
    CommonDialog dialog(dialogs);
    dialogs.colorAnswers = {0x123456u, std::nullopt};
    dialog.ShowColor();
    dialog.ShowColor();
    QCOMPARE(dialog.Color, 0x123456u);
    QCOMPARE(dialogs.colors.at(1).color, 0x123456u);
}

void tst_CommonDialog::qtNameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("open filter") << QStringLiteral("Documents (*.txt)|*.txt|RichText Files (*.rtf)|*.rtf|All Files (*.*)|*.*")
                                 << QStringList{QStringLiteral("Documents (*.txt)"), QStringLiteral("RichText Files (*.rtf)"),
                                                QStringLiteral("All Files (*)")};
    QTest::newRow("description without pattern") << QStringLiteral("Entries|*.entry")
                                                 << QStringList{QStringLiteral("Entries (*.entry)")};
    QTest::newRow("several patterns") << QStringLiteral("Text (*.txt;*.text)|*.txt;*.text")
                                      << QStringList{QStringLiteral("Text (*.txt *.text)")};
    QTest::newRow("odd trailing part") << QStringLiteral("Text|*.txt|Broken") << QStringList{QStringLiteral("Text (*.txt)")};
    QTest::newRow("empty") << QString() << QStringList{};
}

void tst_CommonDialog::qtNameFilters()
{
    QFETCH(QString, filter);
    QTEST(QtDialogs::nameFilters(filter), "expected");
}

QTEST_MAIN(tst_CommonDialog)
#include "tst_commondialog.moc"
