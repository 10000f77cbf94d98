#include "frmfind.h"

#include "replaceall.h"
#include "textsearch.h"
#include "editor/documentwindows.h"
#include "platform/messagebox.h"
#include "platform/richtextbox.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

const QString FindCaption = QStringLiteral("&Find");
const QString FindNextCaption = QStringLiteral("&Find Next");
const QString OpenReplaceCaption = QStringLiteral("&Replace...");
const QString ReplaceCaption = QStringLiteral("&Replace");

// The buttons stand in one column, a button's height and a gap apart, so
// that none covers another in either layout.
constexpr int ButtonLeft = 4275;
constexpr int ButtonWidth = 990;
constexpr int ButtonHeight = 315;
constexpr int ButtonPitch = 375;
// Options reach as far as their frame allows, so that their captions show
// whole in any font.
constexpr int OptionWidth = 3840;

QRect buttonSlot(int row)
{
    return Twips::rect(ButtonLeft, row * ButtonPitch, ButtonWidth, ButtonHeight);
}

template<typename T>
T *named(T *control, const char *name, QRect twipsRect)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twipsRect);
    return control;
}

QComboBox *comboBox(QWidget *parent, const char *name, QRect twipsRect)
{
    auto *box = named(new QComboBox(parent), name, twipsRect);
    box->setEditable(true);
    // The lists hold only what the dialog puts there itself.
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

} // namespace

frmFind::frmFind(DocumentWindows &documents, Dialogs &dialogs, QWidget *owner)
    : Form(owner)
    , m_documents(documents)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmFind"));
    lblFind = named(new QLabel(QStringLiteral("Fin&d What:"), this), "lblFind", Twips::rect(0, 75, 840, 240));
    cboFind = comboBox(this, "cboFind", Twips::rect(1125, 0, 3015, 315));
    lblReplace = named(new QLabel(QStringLiteral("Replace &With:"), this), "lblReplace", Twips::rect(0, 450, 1065, 240));
    cboReplace = comboBox(this, "cboReplace", Twips::rect(1125, 375, 3015, 315));
    lblFind->setBuddy(cboFind);
    lblReplace->setBuddy(cboReplace);
    // In a font wider than the one designed for, the boxes give way to their
    // labels; their right edge stays.
    const int boxLeft = qMax(cboFind->x(), qMax(lblFind->sizeHint().width(), lblReplace->sizeHint().width()) + 4);
    for (QWidget *control : {static_cast<QWidget *>(lblFind), static_cast<QWidget *>(lblReplace)})
        control->resize(boxLeft - 1, control->height());
    for (QComboBox *box : {cboFind, cboReplace})
        box->setGeometry(boxLeft, box->y(), box->geometry().right() + 1 - boxLeft, box->height());
    cmdFind = named(new QPushButton(this), "cmdFind", buttonSlot(0));
    cmdReplace = named(new QPushButton(this), "cmdReplace", buttonSlot(1));
    cmdCancel = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel", buttonSlot(2));
    cmdReplaceAll = named(new QPushButton(QStringLiteral("Replace &All"), this), "cmdReplaceAll", buttonSlot(3));

    // The options stand left of the button column, which reaches down beside them.
    picBar = named(new QWidget(this), "picBar", Twips::rect(0, 825, 4200, 1290));
    Frame1 = named(new QGroupBox(QStringLiteral("Search Options"), picBar), "Frame1", Twips::rect(75, 0, 4065, 1215));
    chkWholeWord = named(new QCheckBox(QStringLiteral("Find Whole Word &Only"), Frame1), "chkWholeWord",
                         Twips::rect(150, 300, OptionWidth, 240));
    chkMatchCase = named(new QCheckBox(QStringLiteral("Match Ca&se"), Frame1), "chkMatchCase",
                         Twips::rect(150, 600, OptionWidth, 240));
    chkNoHighlight = named(new QCheckBox(QStringLiteral("No &Highlight"), Frame1), "chkNoHighlight",
                           Twips::rect(150, 900, OptionWidth, 240));

    setFrame(Frame::FixedDialog, QSize(5460, 2145), false);
    setDefaultButton(cmdFind);
    setCancelButton(cmdCancel);

    connect(cmdFind, &QPushButton::clicked, this, &frmFind::cmdFind_Click);
    connect(cmdReplace, &QPushButton::clicked, this, &frmFind::cmdReplace_Click);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &frmFind::cmdReplaceAll_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
}

void frmFind::resetControls()
{
    setWindowTitle(QStringLiteral("Find..."));
    cboFind->clear();
    cboFind->clearEditText();
    cboReplace->clear();
    cboReplace->clearEditText();
    cmdFind->setText(FindCaption);
    for (QCheckBox *option : {chkWholeWord, chkMatchCase, chkNoHighlight})
        option->setCheckState(Qt::Unchecked);
    setReplaceEnabled(true);
    cboFind->setFocus();
}

void frmFind::Form_Load()
{
    showReplaceLayout(false);
    // Opened from the toolbar with no document, the dialog starts with an
    // empty find text.
    const RichTextBox *document = m_documents.activeDocument();
    const QString selected = document ? document->SelText() : QString();
    cboFind->addItem(selected);
    cboFind->setEditText(selected);
}

void frmFind::showReplaceLayout(bool replace)
{
    // Top to bottom: Find, Cancel, Replace... in the find layout; Find,
    // Replace, Cancel, Replace All in the replace layout.
    cmdReplace->setGeometry(buttonSlot(replace ? 1 : 2));
    cmdCancel->setGeometry(buttonSlot(replace ? 2 : 1));
    cmdReplace->setText(replace ? ReplaceCaption : OpenReplaceCaption);
    for (QWidget *control : {static_cast<QWidget *>(lblReplace), static_cast<QWidget *>(cboReplace),
                             static_cast<QWidget *>(cmdReplaceAll)})
        control->setVisible(replace);
}

void frmFind::setReplaceEnabled(bool enabled)
{
    cmdReplace->setEnabled(enabled);
    cmdReplaceAll->setEnabled(enabled);
}

int frmFind::searchOptions() const
{
    int options = 0;
    if (chkNoHighlight->checkState() == Qt::Checked)
        options += RichTextBox::FindNoHighlight;
    if (chkWholeWord->checkState() == Qt::Checked)
        options += RichTextBox::FindWholeWord;
    if (chkMatchCase->checkState() == Qt::Checked)
        options += RichTextBox::FindMatchCase;
    return options;
}

bool frmFind::search(RichTextBox &document, int start, int options)
{
    const TextSearch rule(cboFind->currentText(), options);
    const qsizetype found = rule.find(document.Text(), start);
    if (found < 0)
        return false;
    if (!(options & RichTextBox::FindNoHighlight)) {
        document.setSelStart(int(found));
        document.setSelLength(int(rule.length()));
    }
    return true;
}

void frmFind::focusDocument(RichTextBox &document)
{
    // The main window comes to the front with the match selected in it; the
    // dialog, owned by it, stays above it for the next press.
    document.window()->activateWindow();
    document.SetFocus();
}

void frmFind::textNotFound(const QString &title)
{
    MsgBox(m_dialogs, QStringLiteral("Text not found"), MsgBoxButtons::OkOnly, MsgBoxIcon::None, title);
}

void frmFind::cmdFind_Click()
{
    const int options = searchOptions();
    RichTextBox *document = m_documents.requireActiveDocument();
    if (!document)
        return;
    const bool fromTheTop = cmdFind->text() == FindCaption;
    const int start = fromTheTop ? 0 : document->SelStart() + document->SelLength();
    if (!search(*document, start, options)) {
        textNotFound(QStringLiteral("Larkquill - Find"));
        cmdFind->setText(FindCaption);
        if (!fromTheTop)
            setReplaceEnabled(false);
        return;
    }
    focusDocument(*document);
    if (fromTheTop) {
        setReplaceEnabled(true);
        cmdFind->setText(FindNextCaption);
    }
}

void frmFind::cmdReplace_Click()
{
    if (cmdReplace->text() == OpenReplaceCaption) {
        showReplaceLayout(true);
        return;
    }
    // The match is selected even with No Highlight, so that the next press
    // writes over the match rather than wherever the caret stands.
    const int options = searchOptions() & ~RichTextBox::FindNoHighlight;
    RichTextBox *document = m_documents.requireActiveDocument();
    if (!document)
        return;
    document->setSelText(cboReplace->currentText());
    if (!search(*document, document->SelStart() + document->SelLength(), options)) {
        textNotFound(QStringLiteral("Larkquill - Replace"));
        cmdFind->setText(FindCaption);
        setReplaceEnabled(false);
        return;
    }
    focusDocument(*document);
}

void frmFind::cmdReplaceAll_Click()
{
    const int options = searchOptions();
    RichTextBox *document = m_documents.requireActiveDocument();
    if (!document)
        return;
    const qsizetype count = ReplaceAll(*document, TextSearch(cboFind->currentText(), options), cboReplace->currentText());
    if (count > 0)
        MsgBox(m_dialogs,
               u"The specified region has been searched. \r\n" + QString::number(count) + u" replacements have been made.",
               MsgBoxButtons::OkOnly, MsgBoxIcon::None, QStringLiteral("Larkquill - ReplaceAll"));
    cmdFind->setText(FindCaption);
    setReplaceEnabled(false);
}
