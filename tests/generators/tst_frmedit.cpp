#include "platform/filelistbox.h"
#include "generators/frmedit.h"
#include "generators/generatorcatalogue.h"
#include "generators/generatorwindow.h"
#include "platform/richtextbox.h"
#include "support/testservices.h"
#include "platform/textbox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Fixture
{
public:
    Fixture()
        : editor(test.directory.path(), test.dialogs)
    {
        writeFile(test.path(QStringLiteral("Villains.txt")), "Baron Vex\r\nThe Hollow Queen\r\n");
        writeFile(test.path(QStringLiteral("notes.rtf")), "{\\rtf1 \\b markup}");
        Show(editor);
    }

    FileListBox *files() const { return editor.findChild<FileListBox *>(QStringLiteral("File1")); }
    RichTextBox *box() const { return editor.findChild<RichTextBox *>(QStringLiteral("RichTextBox1")); }
    void press(const char *name) const { editor.findChild<QPushButton *>(QString::fromLatin1(name))->click(); }
    void open(const QString &name) const
    {
        const auto found = files()->findItems(name, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        files()->setCurrentItem(found.first());
        Q_EMIT files()->DblClick();
    }

    TestServices test;
    frmEdit editor;
};

} // namespace

class tst_frmEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensWithItsDesign();
    void anIdeaFolderThatCannotBeListedIsTold_data();
    void anIdeaFolderThatCannotBeListedIsTold();
    void doubleClickLoadsPlainTextWhateverTheFile_data();
    void doubleClickLoadsPlainTextWhateverTheFile();
    void saveWritesThePlainTextWithCrLf();
    void saveStartsAtTheEditedFile_data();
    void saveStartsAtTheEditedFile();
    void cancelledSaveWritesNothing();
    void failedSaveSaysWhyAndKeepsTheOldFile();
    void helpButtonLeavesTheTextAlone();
    void closeButtonCloses();
    void generatorOpenedAfterASaveDrawsTheNewLines();
};

void tst_frmEdit::opensWithItsDesign()
{
    Fixture f;
    QCOMPARE(f.editor.windowTitle(), QStringLiteral("Generator Editor"));
    QVERIFY(f.editor.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(f.files()->Path(), f.test.directory.path());
    QCOMPARE(f.files()->count(), 2);
    QVERIFY(f.box()->Text().startsWith(u"Click on a file to edit it, add one idea per line"));
    QVERIFY(f.box()->Text().contains(u"Only Save over the filey ou are editing!"));
    QTextCursor cursor(f.box()->document());
    cursor.setPosition(1);
    QCOMPARE(cursor.charFormat().fontPointSize(), 8.5);
    QCOMPARE(cursor.charFormat().fontFamilies().toStringList().value(0), QStringLiteral("MS Sans Serif"));
    // The instructions and their font are where the window starts, not an edit to undo.
    const QString instructions = f.box()->Text();
    QTest::keyClick(f.box()->textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.box()->Text(), instructions);
    cursor.movePosition(QTextCursor::End);
    QCOMPARE(cursor.charFormat().fontPointSize(), 8.5);
    QCOMPARE(f.editor.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Remember to overright the file you are editing only!"));
    QVERIFY(f.editor.EditFilePath().isEmpty());
}

void tst_frmEdit::anIdeaFolderThatCannotBeListedIsTold_data()
{
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such folder") << false << QStringLiteral("does not exist");
    QTest::newRow("a file where the folder should be") << true << QStringLiteral("is not a folder");
}

void tst_frmEdit::anIdeaFolderThatCannotBeListedIsTold()
{
    QFETCH(bool, fileThere);
    TestServices test;
    const QString folder = test.path(QStringLiteral("идеи"));
    if (fileThere)
        writeFile(folder, "x");
    frmEdit editor(folder, test.dialogs);
    Show(editor);
    QCOMPARE(test.dialogs.messages.size(), 1);
    QFETCH(QString, reason);
    const QString told = test.dialogs.messages[0].text;
    QVERIFY2(told.contains(QDir::toNativeSeparators(folder)) && told.contains(reason), qPrintable(told));
    QCOMPARE(test.dialogs.messages[0].icon, MsgBoxIcon::Exclamation);
    QCOMPARE(test.dialogs.messages[0].owner, &editor);
    QCOMPARE(editor.findChild<FileListBox *>(QStringLiteral("File1"))->count(), 0);
}

void tst_frmEdit::doubleClickLoadsPlainTextWhateverTheFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("idea file") << QStringLiteral("Villains.txt") << QStringLiteral("Baron Vex\nThe Hollow Queen\n");
    QTest::newRow("rtf shows its markup") << QStringLiteral("notes.rtf") << QStringLiteral("{\\rtf1 \\b markup}");
}

void tst_frmEdit::doubleClickLoadsPlainTextWhateverTheFile()
{
    QFETCH(QString, name);
    Fixture f;
    f.open(name);
    QTEST(f.box()->Text(), "text");
    QCOMPARE(f.editor.windowTitle(), f.test.path(name));
    QCOMPARE(f.editor.EditFilePath(), f.test.path(name));
}

void tst_frmEdit::saveWritesThePlainTextWithCrLf()
{
    Fixture f;
    f.open(QStringLiteral("Villains.txt"));
    f.box()->setSelStart(int(f.box()->Text().size()));
    f.box()->setSelText(QStringLiteral("Mother Thorn ☂"));
    const QString target = f.test.path(QStringLiteral("Villains")); // no extension: used as typed
    f.test.dialogs.fileAnswers = {target};
    f.press("Command1");

    QCOMPARE(f.test.dialogs.files.size(), 1);
    QCOMPARE(f.test.dialogs.files[0].kind, FileDialogRequest::Kind::Save);
    QCOMPARE(f.test.dialogs.files[0].title, QStringLiteral("Save As"));
    QCOMPARE(f.test.dialogs.files[0].filter,
             QStringLiteral("RichText Files (*.rtf)|*.rtf|Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    QCOMPARE(readFile(target), QByteArray("Baron Vex\r\nThe Hollow Queen\r\nMother Thorn \xE2\x98\x82"));
    QCOMPARE(f.editor.windowTitle(), target);
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_frmEdit::saveStartsAtTheEditedFile_data()
{
    QTest::addColumn<QString>("edited"); // "" when no file was opened
    QTest::addColumn<int>("filterEntry");

    // The entry whose pattern lists the file, so that it shows in the dialog.
    QTest::newRow("idea file") << QStringLiteral("Villains.txt") << 2;
    QTest::newRow("rich text, upper-case extension") << QStringLiteral("NOTES.RTF") << 1;
    QTest::newRow("no extension") << QStringLiteral("Villains") << 3;
    QTest::newRow("name outside Latin-1") << QStringLiteral("Злодеи.txt") << 2;
    QTest::newRow("nothing opened yet") << QString() << 1;
}

void tst_frmEdit::saveStartsAtTheEditedFile()
{
    QFETCH(QString, edited);
    QFETCH(int, filterEntry);
    Fixture f;
    if (!edited.isEmpty()) {
        writeFile(f.test.path(edited), "Baron Vex\r\n");
        f.files()->Refresh();
        f.open(edited);
    }
    const QString path = edited.isEmpty() ? QString() : f.test.path(edited);
    f.test.dialogs.fileAnswers = {path.isEmpty() ? f.test.path(QStringLiteral("new.txt")) : path};
    f.press("Command1");

    QCOMPARE(f.test.dialogs.files.size(), 1);
    const FileDialogRequest &request = f.test.dialogs.files[0];
    QCOMPARE(request.fileName, path);
    QCOMPARE(request.initialDirectory, f.test.directory.path());
    QCOMPARE(request.filterIndex, filterEntry);
    QCOMPARE(request.filter,
             QStringLiteral("RichText Files (*.rtf)|*.rtf|Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    QCOMPARE(request.owner, &f.editor);
    if (!edited.isEmpty()) // a plain Save writes back the file being edited
        QCOMPARE(readFile(path), QByteArray("Baron Vex\r\n"));
}

void tst_frmEdit::cancelledSaveWritesNothing()
{
    Fixture f;
    f.open(QStringLiteral("Villains.txt"));
    f.test.dialogs.fileAnswers = {std::nullopt};
    f.press("Command1");
    QCOMPARE(f.editor.windowTitle(), f.test.path(QStringLiteral("Villains.txt")));
    QCOMPARE(QDir(f.test.directory.path()).entryList(QDir::Files).size(), 2);
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_frmEdit::failedSaveSaysWhyAndKeepsTheOldFile()
{
    Fixture f;
    f.open(QStringLiteral("Villains.txt"));
    f.box()->setText(QStringLiteral("replacement"));
    QVERIFY(QDir(f.test.directory.path()).mkdir(QStringLiteral("folder")));
    f.test.dialogs.fileAnswers = {f.test.path(QStringLiteral("folder"))};
    f.press("Command1");
    QCOMPARE(f.test.dialogs.messages.size(), 1);
    // The message opens over the editor, which stays on top: not somewhere beneath it.
    QCOMPARE(f.test.dialogs.messages[0].owner, &f.editor);
    QVERIFY(f.test.dialogs.messages[0].text.contains(QDir::toNativeSeparators(f.test.path(QStringLiteral("folder")))));
    QVERIFY(f.test.dialogs.messages[0].text.contains(u"folder, not a file"));
    QCOMPARE(readFile(f.test.path(QStringLiteral("Villains.txt"))), QByteArray("Baron Vex\r\nThe Hollow Queen\r\n"));
}

void tst_frmEdit::helpButtonLeavesTheTextAlone()
{
    Fixture f;
    const QString before = f.box()->Text();
    f.press("Command3");
    QCOMPARE(f.test.dialogs.messages.size(), 1);
    const MessageBoxRequest &m = f.test.dialogs.messages[0];
    QCOMPARE(m.text, QStringLiteral("Add one idea per line, don't leave any spaces. Remember to save once you are finished."));
    QCOMPARE(m.title, QStringLiteral("Quillmere"));
    QCOMPARE(m.buttons, MsgBoxButtons::OkOnly);
    QCOMPARE(m.icon, MsgBoxIcon::None);
    QCOMPARE(f.box()->Text(), before);
}

void tst_frmEdit::closeButtonCloses()
{
    Fixture f;
    f.press("Command2");
    QVERIFY(!f.editor.isVisible());
    Show(f.editor);
    QCOMPARE(f.editor.windowTitle(), QStringLiteral("Generator Editor"));
}

void tst_frmEdit::generatorOpenedAfterASaveDrawsTheNewLines()
{
    Fixture f;
    GeneratorWindow earlier(GeneratorCatalogue::Entries[0], f.test.directory.path(), f.test.random);
    Show(earlier);
    earlier.close();

    f.open(QStringLiteral("Villains.txt"));
    f.box()->setText(QStringLiteral("The Tithe Collector"));
    f.test.dialogs.fileAnswers = {f.test.path(QStringLiteral("Villains.txt"))};
    f.press("Command1");

    GeneratorWindow fresh(GeneratorCatalogue::Entries[0], f.test.directory.path(), f.test.random);
    Show(fresh);
    QCOMPARE(fresh.TipList(), QStringList{QStringLiteral("The Tithe Collector")});
    Show(earlier); // opened before: keeps its earlier lines as well
    QCOMPARE(earlier.TipList(), QStringList({QStringLiteral("Baron Vex"), QStringLiteral("The Hollow Queen"),
                                             QStringLiteral("The Tithe Collector")}));
}

QTEST_MAIN(tst_frmEdit)
#include "tst_frmedit.moc"
