#include "formats/documentfile.h"
#include "platform/richtextbox.h"
#include "platform/spellchecker.h"
#include "support/contextmenu.h"
#include "support/spellingunderlines.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

namespace {

// The words of the first paragraph that carry the spell-check underline.
QStringList underlinedWords(const RichTextBox &box)
{
    return underlinedWords(box.document()->firstBlock());
}

// The paragraph whose text is `text`, found without a cursor: placing one
// lays the text out up to it.
QTextBlock paragraph(const QTextDocument &document, const QString &text)
{
    for (QTextBlock block = document.lastBlock(); block.isValid(); block = block.previous())
        if (block.text() == text)
            return block;
    return QTextBlock();
}

// Types the text key by key, letters outside Latin-1 included.
void type(QWidget *target, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
}

} // namespace

class tst_Spelling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void typedWordsAreUnderlinedWhenMisspelt_data();
    void typedWordsAreUnderlinedWhenMisspelt();
    void suggestionReplacesTheWordAsOneUndoStep_data();
    void suggestionReplacesTheWordAsOneUndoStep();
    void underlineIsNotSaved();
    void aParagraphCutByTheFootOfTheViewIsChecked();
    void addedWordIsCorrectInOtherWindowsAndTheNextRun_data();
    void addedWordIsCorrectInOtherWindowsAndTheNextRun();
    void undoingARewriteBringsBackATableUnderlined();
    void aLongTableIsLaidOutOnlyWhereItShows_data();
    void aLongTableIsLaidOutOnlyWhereItShows();

private:
    QTemporaryDir m_folder;
    std::unique_ptr<SpellChecker> m_checker;
    std::unique_ptr<RichTextBox> m_box;
};

void tst_Spelling::init()
{
    QFile::remove(m_folder.filePath(QStringLiteral("words.txt")));
    m_checker = std::make_unique<SpellChecker>(m_folder.filePath(QStringLiteral("words.txt")),
                                               QStringLiteral("en_US"));
    if (!m_checker->hasDictionary())
        QSKIP("no English Hunspell dictionary (scripts/install-deps installs hunspell-en-us)");
    m_box = std::make_unique<RichTextBox>();
    m_box->setSpellChecker(*m_checker);
    m_box->resize(600, 300);
    m_box->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_box.get()));
}

void tst_Spelling::typedWordsAreUnderlinedWhenMisspelt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("misspelt");

    QTest::newRow("correct words") << u"The ferry left at dawn"_qs << QStringList{};
    QTest::newRow("one misspelt") << u"The ferrry left"_qs << QStringList{u"ferrry"_qs};
    QTest::newRow("apostrophe inside a word") << u"She didn't know"_qs << QStringList{};
    QTest::newRow("typographic apostrophe") << u"She didn\u2019t know"_qs << QStringList{};
    QTest::newRow("misspelt with apostrophe") << u"She dind't know"_qs << QStringList{u"dind't"_qs};
    QTest::newRow("quotes around a word") << u"'Come' she said"_qs << QStringList{};
    QTest::newRow("underscores around a word") << u"the _ferry_ left"_qs << QStringList{};
    QTest::newRow("hyphen parts words") << u"a well-known tale"_qs << QStringList{};
    QTest::newRow("hyphen with a misspelt half") << u"a well-knwon tale"_qs << QStringList{u"knwon"_qs};
    QTest::newRow("capital at the start") << u"Harbour lights"_qs << QStringList{u"Harbour"_qs};
    QTest::newRow("all capitals") << u"THE FERRY"_qs << QStringList{};
    QTest::newRow("misspelt capitals") << u"THE FERRRY"_qs << QStringList{u"FERRRY"_qs};
    QTest::newRow("numbers are not words") << u"at 21h14 on 8-12 the 3rd"_qs << QStringList{};
    QTest::newRow("nor are letters with digits") << u"code X7QZ, 4kq9 and COVID19"_qs << QStringList{};
    QTest::newRow("combining accent at the end") << u"a cafe\u0301 in Paris"_qs << QStringList{u"cafe\u0301"_qs};
    // American English spells it without the accent; the word is underlined whole.
    QTest::newRow("accented letter inside a word") << u"a caf\u00e9 in Paris"_qs << QStringList{u"caf\u00e9"_qs};
    QTest::newRow("beyond Latin-1") << u"the \u0161ipka and \u4e66"_qs << QStringList{u"\u0161ipka"_qs, u"\u4e66"_qs};
}

void tst_Spelling::typedWordsAreUnderlinedWhenMisspelt()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, misspelt);
    type(m_box->textEdit(), typed);
    QCOMPARE(m_box->Text(), typed);
    QCOMPARE(underlinedWords(*m_box), misspelt);
}

void tst_Spelling::suggestionReplacesTheWordAsOneUndoStep_data()
{
    QTest::addColumn<int>("click"); // the place between two characters right-clicked
    QTest::addColumn<bool>("offered");
    // "The  ferrry left": the misspelt word runs from 5 to 11.
    QTest::newRow("between the spaces before it") << 4 << false;
    QTest::newRow("before its first letter") << 5 << true;
    QTest::newRow("inside it") << 8 << true;
    QTest::newRow("after its last letter") << 11 << true;
    QTest::newRow("on the next word") << 13 << false;
}

void tst_Spelling::suggestionReplacesTheWordAsOneUndoStep()
{
    QFETCH(int, click);
    QFETCH(bool, offered);
    const QString before = QStringLiteral("The  ferrry left");
    type(m_box->textEdit(), before);
    const QStringList items = chooseFromContextMenu(*m_box->textEdit(), click - 1, QStringLiteral("ferry"));
    QCOMPARE(items.contains(QStringLiteral("Add to Dictionary")), offered);
    QCOMPARE(items.contains(QStringLiteral("Ignore")), offered);
    QCOMPARE(items.contains(QStringLiteral("ferry")), offered);
    if (!offered) {
        QCOMPARE(m_box->Text(), before);
        return;
    }
    // The suggestions, then the two choices, then a separator and the editor's own items.
    QVERIFY(items.indexOf(QStringLiteral("ferry")) < items.indexOf(QStringLiteral("Add to Dictionary")));
    QVERIFY(items.indexOf(QStringLiteral("Ignore")) < items.size() - 2);
    QCOMPARE(m_box->Text(), QStringLiteral("The  ferry left"));
    QCOMPARE(underlinedWords(*m_box), QStringList{});

    QTest::keyClick(m_box->textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_box->Text(), before);
    QCOMPARE(underlinedWords(*m_box), QStringList{QStringLiteral("ferrry")});
}

void tst_Spelling::underlineIsNotSaved()
{
    const QString text = QStringLiteral("The ferrry left");
    type(m_box->textEdit(), text);
    QVERIFY(!underlinedWords(*m_box).isEmpty());
    const QString checked = m_folder.filePath(QStringLiteral("checked.rtf"));
    QVERIFY(m_box->SaveFile(checked).ok());

    RichTextBox plain;
    type(plain.textEdit(), text);
    const QString unchecked = m_folder.filePath(QStringLiteral("unchecked.rtf"));
    QVERIFY(plain.SaveFile(unchecked).ok());

    QFile a(checked);
    QFile b(unchecked);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), b.readAll());
}

void tst_Spelling::aParagraphCutByTheFootOfTheViewIsChecked()
{
    // Short paragraphs down to the last line in view, then one that runs on
    // below the view's foot.
    const QTextEdit &edit = *m_box->textEdit();
    const int height = edit.viewport()->height();
    const int line = QFontMetrics(m_box->document()->defaultFont()).lineSpacing();
    const QString cut = QStringLiteral("Ferrry") + QStringLiteral(" the ferry left at dawn").repeated(60);
    QRectF area;
    for (int above = height / line; above > 0 && !(area.top() > 0 && area.top() + line <= height); --above) {
        m_box->setText(QStringLiteral("The ferry left\n").repeated(above) + cut);
        area = m_box->document()->documentLayout()->blockBoundingRect(m_box->document()->lastBlock());
    }
    QVERIFY2(area.top() + line <= height && area.bottom() > height, qPrintable(QString::number(area.top())));

    QTRY_VERIFY(underlinedWords(m_box->document()->lastBlock()).startsWith(QStringLiteral("Ferrry")));
}

void tst_Spelling::addedWordIsCorrectInOtherWindowsAndTheNextRun_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QByteArray>("list"); // the word list as it stood
    QTest::addColumn<bool>("kept");       // correct in the next run
    const QString add = QStringLiteral("Add to Dictionary");
    QTest::newRow("added") << u"Quillwright"_qs << add << QByteArray() << true;
    QTest::newRow("added to a list without a last line end")
        << u"Quillwright"_qs << add << QByteArray("Zorblat") << true;
    QTest::newRow("added, typographic apostrophe") << u"Quillwright\u2019s"_qs << add << QByteArray() << true;
    QTest::newRow("ignored, typographic apostrophe")
        << u"Quillwright\u2019s"_qs << u"Ignore"_qs << QByteArray() << false;
}

void tst_Spelling::addedWordIsCorrectInOtherWindowsAndTheNextRun()
{
    QFETCH(QString, word);
    QFETCH(QString, choice);
    QFETCH(QByteArray, list);
    QFETCH(bool, kept);
    const QString words = m_folder.filePath(QStringLiteral("words.txt"));
    if (!list.isEmpty()) {
        QFile file(words);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(list) == list.size());
    }
    {
        // Another window with the word, already checked, sees the choice when
        // it is next painted.
        RichTextBox other;
        other.setSpellChecker(*m_checker);
        other.resize(300, 100);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        for (RichTextBox *box : {m_box.get(), &other}) {
            type(box->textEdit(), word + u" sailed");
            QCOMPARE(underlinedWords(*box), QStringList{word});
        }
        QCoreApplication::processEvents(); // both done with the typing
        chooseFromContextMenu(*m_box->textEdit(), 0, choice);
        QCOMPARE(underlinedWords(*m_box), QStringList{});
        other.textEdit()->viewport()->update();
        QTRY_COMPARE(underlinedWords(other), QStringList{});
    }

    m_box.reset();
    m_checker = std::make_unique<SpellChecker>(words, QStringLiteral("en_US"));
    QCOMPARE(m_checker->isCorrect(word), kept);
    QVERIFY(!m_checker->isCorrect(QStringLiteral("Quillwrite")));
    if (!list.isEmpty())
        QVERIFY(m_checker->isCorrect(QString::fromUtf8(list)));
}

void tst_Spelling::undoingARewriteBringsBackATableUnderlined()
{
    // A rewrite of the whole text (Upper Case) is undone under a new layout,
    // which sees the table come back before it has placed its cells.
    const QString path = m_folder.filePath(QStringLiteral("timetable.rtf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi\\trowd\\cellx2000\\cellx4000\\pard\\intbl The ferrry\\cell leaves\\cell\\row\\pard after\\par}");
    file.close();
    QVERIFY(m_box->LoadFile(path).ok());
    m_box->setText(m_box->Text().toUpper());
    QTest::keyClick(m_box->textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_box->document()->rootFrame()->childFrames().size(), 1);
    const QTextBlock cell = m_box->document()->findBlock(m_box->document()->find(QStringLiteral("ferrry")).position());
    QTRY_VERIFY(!underlinedWords(cell).isEmpty());
}

void tst_Spelling::aLongTableIsLaidOutOnlyWhereItShows_data()
{
    QTest::addColumn<QByteArray>("before"); // what comes before the table
    QTest::addColumn<int>("rows");
    QTest::newRow("a table of one part") << QByteArray() << 128;
    QTest::newRow("a table of many parts") << QByteArray() << 1000;
    QTest::newRow("after a paragraph") << QByteArray("Timetable \\u1071?\\par ") << 1000;
    QTest::newRow("after a list whose labels the editor draws")
        << QByteArray("{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat5{\\leveltext\\'02\\'00.;}"
                      "{\\levelnumbers\\'01;}}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
                      "\\pard\\ls1 Stops\\par\\pard ")
        << 1000;
}

void tst_Spelling::aLongTableIsLaidOutOnlyWhereItShows()
{
    // Opening a document checks the words in view before it is first
    // painted, and the first paint draws the labels in view: neither may
    // lay out the parts of a long table out of view, which took seconds.
    // Qt lays them out later, while the writer can already work.
    QFETCH(QByteArray, before);
    QFETCH(int, rows);
    QByteArray rtf = "{\\rtf1\\ansi " + before;
    for (int r = 0; r < rows; ++r)
        rtf += "\\trowd\\cellx2000\\cellx4000\\pard\\intbl The ferrry " + QByteArray::number(r) + "\\cell leaves\\cell\\row\n";
    const QString path = m_folder.filePath(QStringLiteral("timetable.rtf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(rtf + "\\pard after\\par}");
    file.close();
    QVERIFY(m_box->LoadFile(path).ok());

    const QTextDocument &document = *m_box->document();
    const QTextBlock first = paragraph(document, QStringLiteral("The ferrry 0"));
    const QTextBlock last = paragraph(document, QStringLiteral("The ferrry %1").arg(rows - 1));
    QVERIFY(first.isValid() && last.isValid());
    QVERIFY(!underlinedWords(first).isEmpty());
    m_box->textEdit()->viewport()->repaint();
    QCOMPARE(last.layout()->lineCount() > 0, rows <= 128);
    QVERIFY(last.layout()->formats().isEmpty());
}

QTEST_MAIN(tst_Spelling)
#include "tst_spelling.moc"
