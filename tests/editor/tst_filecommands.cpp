#include "platform/commondialog.h"
#include "editor/documentwindows.h"
#include "editor/filecommands.h"
#include "editor/frmdoc.h"
#include "formats/documentfile.h"
#include "platform/richtextbox.h"
#include "support/fixedclock.h"
#include "support/scripteddialogs.h"
#include "support/specialfiles.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

namespace {

class Fixture
{
public:
    Fixture()
        : documents(area, dialogs, clock)
        , dialog(dialogs)
        , commands(documents, dialog, dialogs)
    {
        area.show();
    }

    QString path(const QString &name) const { return directory.filePath(name); }
    int windowCount() const { return int(area.subWindowList().size()); }
    QString caption() const { return documents.activeWindow()->windowTitle(); }
    RichTextBox *editor() const { return documents.activeDocument(); }

    QTemporaryDir directory;
    ScriptedDialogs dialogs;
    QMdiArea area;
    FixedClock clock;
    DocumentWindows documents;
    CommonDialog dialog;
    FileCommands commands;
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes beyond a small size fail, as on a full disk; root is not exempt.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

} // namespace

class tst_FileCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void openCancelledLeavesANewEmptyWindow();
    void openReadsRtfWithItsFormatting();
    void openReadsPlainTextAndShowsMarkupOnlyWhenAsked();
    void openFailureSaysWhyAndKeepsGoing_data();
    void openFailureSaysWhyAndKeepsGoing();
    void openRefusesWhatIsNoFile_data();
    void openRefusesWhatIsNoFile();
    void openTellsRtfFromPlainText_data();
    void openTellsRtfFromPlainText();
    void openWarnsOnceAboutPicturesItCannotKeep_data();
    void openWarnsOnceAboutPicturesItCannotKeep();
    void saveCommandsAskWithTheirFilters_data();
    void saveCommandsAskWithTheirFilters();
    void saveAsCancelledChangesNothing();
    void cancelAfterAnEarlierNameStoresNothing();
    void saveWritesRtfWhateverTheName_data();
    void saveWritesRtfWhateverTheName();
    void saveWithoutDocumentsSaysSo();
    void failedStoreLeavesTheOldFileWhole();
    void saveIntoAFolderNameFails();
    void joinPath_data();
    void joinPath();
    void paneOpensEachFileInANewWindow();
};

void tst_FileCommands::openCancelledLeavesANewEmptyWindow()
{
    Fixture f;
    f.dialogs.fileAnswers = {std::nullopt};
    f.commands.Open();
    QCOMPARE(f.windowCount(), 1);
    QCOMPARE(f.caption(), QStringLiteral("Document "));
    QCOMPARE(f.editor()->Text(), QString());
    QCOMPARE(f.dialogs.files.size(), 1);
    QCOMPARE(f.dialogs.files[0].kind, FileDialogRequest::Kind::Open);
    QCOMPARE(f.dialogs.files[0].title, QStringLiteral("Open"));
    QCOMPARE(f.dialogs.files[0].filter,
             QStringLiteral("Documents (*.txt)|*.txt|RichText Files (*.rtf)|*.rtf|All Files (*.*)|*.*"));
    QVERIFY(f.dialogs.messages.isEmpty());
}

void tst_FileCommands::openReadsRtfWithItsFormatting()
{
    Fixture f;
    const QString path = f.path(QStringLiteral("chapter.rtf"));
    writeFile(path, "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}\\pard\\qc\\b Chapter\\b0  one\\par}");
    f.dialogs.fileAnswers = {path};
    f.commands.Open();
    QCOMPARE(f.caption(), path);
    QCOMPARE(f.editor()->Text(), QStringLiteral("Chapter one"));
    f.editor()->setSelStart(0);
    f.editor()->setSelLength(7);
    QCOMPARE(f.editor()->SelBold(), RichTextBox::Style::On);
    QVERIFY(f.editor()->document()->begin().blockFormat().alignment() & Qt::AlignHCenter);
    QVERIFY(f.dialogs.messages.isEmpty());
}

void tst_FileCommands::openReadsPlainTextAndShowsMarkupOnlyWhenAsked()
{
    Fixture f;
    const QString text = f.path(QStringLiteral("notes.txt"));
    writeFile(text, "line one\r\nline two\r\n");
    f.dialogs.fileAnswers = {text};
    f.commands.Open();
    QCOMPARE(f.editor()->Text(), QStringLiteral("line one\nline two\n"));

    // An RTF file named .txt is still RTF when it starts with "{\rtf".
    const QString disguised = f.path(QStringLiteral("disguised.txt"));
    writeFile(disguised, "{\\rtf1 \\i slanted}");
    f.dialogs.fileAnswers = {disguised};
    f.commands.Open();
    QCOMPARE(f.editor()->Text(), QStringLiteral("slanted"));
}

void tst_FileCommands::openFailureSaysWhyAndKeepsGoing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size"); // of a file of zeros made for the row
    QTest::addColumn<QString>("reason");

    const QString binary = QStringLiteral("It is not a text or RTF document: it holds binary data.");
    QTest::newRow("not found") << QStringLiteral("missing.rtf") << qint64(-1) << QString(qt_error_string(ENOENT) + u'.');
    QTest::newRow("a folder") << QStringLiteral("folder") << qint64(-1) << QStringLiteral("It is a folder, not a file.");
    QTest::newRow("binary") << QStringLiteral("picture.png") << qint64(-1) << binary;
    QTest::newRow("the largest it reads") << QStringLiteral("huge.rtf") << DocumentFile::MaxFileSize << binary;
    QTest::newRow("one byte larger") << QStringLiteral("huge.rtf") << DocumentFile::MaxFileSize + 1
                                     << QStringLiteral("The file is too large to open (1024 MB).");
}

void tst_FileCommands::openFailureSaysWhyAndKeepsGoing()
{
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(QString, reason);
    Fixture f;
    QVERIFY(QDir(f.directory.path()).mkdir(QStringLiteral("folder")));
    writeFile(f.path(QStringLiteral("picture.png")), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    const QString path = f.path(name);
    if (size >= 0) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(size)) // with a hole, where the system allows
            QSKIP("This system cannot make so large a file here.");
    }
    f.dialogs.fileAnswers = {path};
    f.commands.Open();

    QCOMPARE(f.dialogs.messages.size(), 1);
    const QString message = f.dialogs.messages[0].text;
    QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
    QVERIFY2(message.endsWith(reason), qPrintable(message));
    QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Quillmere"));
    QCOMPARE(f.caption(), QStringLiteral("Document "));
    QCOMPARE(f.editor()->Text(), QString());
}

void tst_FileCommands::openRefusesWhatIsNoFile_data()
{
    QTest::addColumn<SpecialFile>("kind");
    QTest::addColumn<QString>("reason");

    // A pipe without a writer would block the opening for ever, and the
    // device never ends: each is refused before anything is read.
    QTest::newRow("named pipe") << SpecialFile::NamedPipe << QStringLiteral("It is a named pipe, not a file.");
    QTest::newRow("socket") << SpecialFile::Socket << QStringLiteral("It is a socket, not a file.");
    QTest::newRow("device") << SpecialFile::Device << QStringLiteral("It is a device, not a file.");
}

void tst_FileCommands::openRefusesWhatIsNoFile()
{
    QFETCH(SpecialFile, kind);
    Fixture f;
    const QString path = makeSpecialFile(f.directory.path(), QStringLiteral("chapter.rtf"), kind);
    if (path.isEmpty())
        QSKIP("This system cannot make such a file here.");
    f.dialogs.fileAnswers = {path};
    f.commands.Open();
    f.commands.openInNewWindow(path); // the file pane's way in

    QCOMPARE(f.dialogs.messages.size(), 2);
    for (const auto &message : std::as_const(f.dialogs.messages)) {
        QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)), qPrintable(message.text));
        QFETCH(QString, reason);
        QVERIFY2(message.text.endsWith(reason), qPrintable(message.text));
    }
    QCOMPARE(f.editor()->Text(), QString());
}

void tst_FileCommands::openTellsRtfFromPlainText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("an empty file") << QByteArray() << QString();
    QTest::newRow("rtf") << QByteArray("{\\rtf1 \\b bold}") << QStringLiteral("bold");
    QTest::newRow("rtf after a byte-order mark") << QByteArray("\xef\xbb\xbf{\\rtf1 \\b bold}") << QStringLiteral("bold");
    QTest::newRow("rtf after blank lines") << QByteArray("\r\n\r\n \t{\\rtf1 \\b bold}") << QStringLiteral("bold");
    QTest::newRow("rtf after mark and blanks") << QByteArray("\xef\xbb\xbf\n{\\rtf1 bold}") << QStringLiteral("bold");
    QTest::newRow("words before it make it text") << QByteArray("x{\\rtf1 bold}") << QStringLiteral("x{\\rtf1 bold}");
    QTest::newRow("a mark alone is no rtf") << QByteArray("\xef\xbb\xbf{\\rt") << QStringLiteral("{\\rt");
    // Their zero bytes are text, not binary data.
    QTest::newRow("utf-16, little-endian") << QByteArray("\xff\xfeh\0\xe9\0\x14\x20", 8) << QStringLiteral("hé—");
    QTest::newRow("utf-16, big-endian") << QByteArray("\xfe\xff\0h\0\xe9\x20\x14", 8) << QStringLiteral("hé—");
    // One byte of another editor spoils only itself.
    QTest::newRow("mostly utf-8") << QByteArray("\xc3\xa9t\xc3\xa9 \xe9t\xe9 \xe2\x80\x94 \xf0\x9f\x93\x9c\x80")
                                  << QStringLiteral("été été — 📜€");
}

void tst_FileCommands::openTellsRtfFromPlainText()
{
    QFETCH(QByteArray, bytes);
    Fixture f;
    const QString path = f.path(QStringLiteral("chapter.txt"));
    writeFile(path, bytes);
    f.dialogs.fileAnswers = {path};
    f.commands.Open();
    QTEST(f.editor()->Text(), "text");
    QVERIFY(f.dialogs.messages.isEmpty());
}

void tst_FileCommands::openWarnsOnceAboutPicturesItCannotKeep_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("named"); // each once in the one message
    QTest::newRow("one kind") << QByteArray("{\\rtf1 a{\\pict\\wmetafile8 0102}b}") << QStringLiteral("ab")
                              << QStringList{QStringLiteral("PNG")};
    QTest::newRow("three kinds, one of them twice")
        << QByteArray("{\\rtf1 a{\\pict\\wmetafile8 0102}b{\\pict\\emfblip 03}c"
                      "{\\object\\objemb{\\*\\objdata 01}{\\result d}}"
                      "{\\shp{\\*\\shpinst{\\shptxt\\pard e\\par}}}}")
        << QStringLiteral("abcd\ne")
        << QStringList{QStringLiteral("PNG"), QStringLiteral("embedded objects"), QStringLiteral("text boxes")};
}

void tst_FileCommands::openWarnsOnceAboutPicturesItCannotKeep()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, named);
    Fixture f;
    const QString path = f.path(QStringLiteral("old.rtf"));
    writeFile(path, rtf);
    f.dialogs.fileAnswers = {path};
    f.commands.Open();
    QTEST(f.editor()->Text(), "text");
    QCOMPARE(f.caption(), path);
    // One message, before any save, naming each kind of thing once.
    QCOMPARE(f.dialogs.messages.size(), 1);
    QCOMPARE(f.dialogs.messages[0].icon, MsgBoxIcon::Information);
    const QString message = f.dialogs.messages[0].text;
    QVERIFY(message.contains(QDir::toNativeSeparators(path)));
    for (const QString &what : named)
        QCOMPARE(message.count(what), 1);
}

void tst_FileCommands::saveCommandsAskWithTheirFilters_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<QString>("filter");

    QTest::newRow("Save As offers RTF first")
        << true << QStringLiteral("RichText Files (*.rtf)|*.rtf|Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    QTest::newRow("Save offers text first")
        << false << QStringLiteral("Text Files (*.txt)|*.txt|RichText Files (*.rtf)|*.rtf|All Files (*.*)|*.*");
}

void tst_FileCommands::saveCommandsAskWithTheirFilters()
{
    QFETCH(bool, saveAs);
    Fixture f;
    f.documents.NewDocument();
    f.dialogs.fileAnswers = {std::nullopt};
    saveAs ? f.commands.SaveAs() : f.commands.Save();
    QCOMPARE(f.dialogs.files.size(), 1);
    QCOMPARE(f.dialogs.files[0].kind, FileDialogRequest::Kind::Save);
    QCOMPARE(f.dialogs.files[0].title, QStringLiteral("Save As"));
    QTEST(f.dialogs.files[0].filter, "filter");
}

void tst_FileCommands::saveAsCancelledChangesNothing()
{
    Fixture f;
    f.documents.NewDocument()->RichTextBox1()->setText(QStringLiteral("draft"));
    f.dialogs.fileAnswers = {std::nullopt};
    f.commands.SaveAs();
    QCOMPARE(f.caption(), QStringLiteral("Document "));
    QCOMPARE(f.editor()->Text(), QStringLiteral("draft"));
    QCOMPARE(QDir(f.directory.path()).entryList(QDir::Files), QStringList());
}

void tst_FileCommands::cancelAfterAnEarlierNameStoresNothing()
{
    Fixture f;
    f.documents.NewDocument()->RichTextBox1()->setText(QStringLiteral("first"));
    const QString path = f.path(QStringLiteral("kept.rtf"));
    f.dialogs.fileAnswers = {path, std::nullopt};
    f.commands.SaveAs();
    const QByteArray stored = readFile(path);
    f.editor()->setText(QStringLiteral("second"));
    f.commands.SaveAs();
    QCOMPARE(f.dialogs.files[1].fileName, path); // the dialog starts from the last name
    QCOMPARE(readFile(path), stored);
}

void tst_FileCommands::saveWritesRtfWhateverTheName_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("Save, text name") << false << QStringLiteral("story.txt") << QStringLiteral("Bold move");
    QTest::newRow("Save As, no extension") << true << QStringLiteral("story") << QStringLiteral("Bold move");
    QTest::newRow("Save, beyond Latin-1") << false << QStringLiteral("Глава 1.rtf")
                                          << QStringLiteral("Bold — Ωμέγα 日本語 𝄞\nsecond ¶ € line");
    QTest::newRow("Save As, beyond Latin-1") << true << QStringLiteral("章.doc") << QStringLiteral("Bold — Łódź «ça» 📜");
}

void tst_FileCommands::saveWritesRtfWhateverTheName()
{
    QFETCH(bool, saveAs);
    QFETCH(QString, name);
    QFETCH(QString, text);
    Fixture f;
    RichTextBox *editor = f.documents.NewDocument()->RichTextBox1();
    editor->setText(text);
    editor->setSelStart(0);
    editor->setSelLength(4);
    editor->setSelBold(true);
    const QString path = f.path(name);
    f.dialogs.fileAnswers = {path};
    saveAs ? f.commands.SaveAs() : f.commands.Save();
    QCOMPARE(f.caption(), path);
    QVERIFY(readFile(path).startsWith("{\\rtf1")); // the name is used as typed, nothing appended
    QVERIFY(f.dialogs.messages.isEmpty());

    f.dialogs.fileAnswers = {path};
    f.commands.Open();
    QCOMPARE(f.caption(), path);
    QCOMPARE(f.editor()->Text(), text);
    f.editor()->setSelStart(0);
    f.editor()->setSelLength(4);
    QCOMPARE(f.editor()->SelBold(), RichTextBox::Style::On);
    f.editor()->setSelStart(4);
    f.editor()->setSelLength(1);
    QCOMPARE(f.editor()->SelBold(), RichTextBox::Style::Off);
}

void tst_FileCommands::saveWithoutDocumentsSaysSo()
{
    Fixture f;
    f.commands.Save();
    f.commands.SaveAs();
    QCOMPARE(f.dialogs.messageTexts(), QStringList({QStringLiteral("No Documents Open"), QStringLiteral("No Documents Open")}));
    QVERIFY(f.dialogs.files.isEmpty());
}

void tst_FileCommands::failedStoreLeavesTheOldFileWhole()
{
    Fixture f;
    const QString path = f.path(QStringLiteral("novel.rtf"));
    writeFile(path, "{\\rtf1 the old text}");
    f.documents.NewDocument()->RichTextBox1()->setText(QString(20000, u'x'));
    f.dialogs.fileAnswers = {path};
    {
        FileSizeLimit full(4096);
        f.commands.SaveAs();
    }
    QCOMPARE(readFile(path), QByteArray("{\\rtf1 the old text}"));
    QCOMPARE(f.dialogs.messages.size(), 1);
    QVERIFY2(f.dialogs.messages[0].text.contains(QDir::toNativeSeparators(path)), qPrintable(f.dialogs.messages[0].text));
    QVERIFY2(f.dialogs.messages[0].text.contains(qt_error_string(EFBIG) + u'.'), qPrintable(f.dialogs.messages[0].text));
    QCOMPARE(f.editor()->Text(), QString(20000, u'x'));
    QCOMPARE(QDir(f.directory.path()).entryList(QDir::Files), QStringList{QStringLiteral("novel.rtf")});
}

void tst_FileCommands::saveIntoAFolderNameFails()
{
    Fixture f;
    f.documents.NewDocument()->RichTextBox1()->setText(QStringLiteral("text"));
    f.dialogs.fileAnswers = {f.directory.path(), f.path(QStringLiteral("no/such/folder/x.rtf"))};
    f.commands.SaveAs();
    f.commands.SaveAs();
    QCOMPARE(f.dialogs.messages.size(), 2);
    QVERIFY(f.dialogs.messages[0].text.contains(u"folder"));
    QCOMPARE(f.editor()->Text(), QStringLiteral("text"));
}

void tst_FileCommands::joinPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");

    QTest::newRow("root") << QStringLiteral("/") << QStringLiteral("a.rtf") << QStringLiteral("/a.rtf");
    QTest::newRow("folder") << QStringLiteral("/home/writer") << QStringLiteral("a.rtf") << QStringLiteral("/home/writer/a.rtf");
    QTest::newRow("folder ending in separator") << QStringLiteral("/mnt/usb/") << QStringLiteral("b.txt")
                                                << QStringLiteral("/mnt/usb/b.txt");
}

void tst_FileCommands::joinPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QTEST(FileCommands::joinPath(folder, name), "path");
}

void tst_FileCommands::paneOpensEachFileInANewWindow()
{
    Fixture f;
    const QString path = f.path(QStringLiteral("scene.rtf"));
    writeFile(path, "{\\rtf1 \\ul scene\\ulnone}");
    f.commands.openInNewWindow(path);
    f.commands.openInNewWindow(path);
    QCOMPARE(f.windowCount(), 2);
    for (QMdiSubWindow *w : f.area.subWindowList()) {
        QCOMPARE(w->widget()->windowTitle(), path);
        auto *editor = qobject_cast<frmDoc *>(w->widget())->RichTextBox1();
        QCOMPARE(editor->Text(), QStringLiteral("scene"));
        editor->setSelStart(1);
        QCOMPARE(editor->SelUnderline(), RichTextBox::Style::On);
    }
}

QTEST_MAIN(tst_FileCommands)
#include "tst_filecommands.moc"
