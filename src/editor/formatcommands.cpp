#include "formatcommands.h"

#include "documentwindows.h"
#include "platform/commondialog.h"
#include "platform/olecolor.h"
#include "platform/richtextbox.h"

#include <QTextDocument>
#include <QTextEdit>

namespace {

// Screen fonts, printer fonts, and the effects: underline, strike-through, colour.
constexpr int FontDialogFlags = 1 | 2 | 256;
// The colour dialog with its custom colours showing.
constexpr int FullColorDialog = 2;

using Style = FormatCommands::Style;

RichTextBox::Style styleOf(const RichTextBox &document, Style style)
{
    switch (style) {
    case Style::Bold: return document.SelBold();
    case Style::Italic: return document.SelItalic();
    case Style::Underline: return document.SelUnderline();
    case Style::Strikethru: return document.SelStrikeThru();
    }
    return RichTextBox::Style::Off;
}

void setStyle(RichTextBox &document, Style style, bool on)
{
    switch (style) {
    case Style::Bold: document.setSelBold(on); break;
    case Style::Italic: document.setSelItalic(on); break;
    case Style::Underline: document.setSelUnderline(on); break;
    case Style::Strikethru: document.setSelStrikeThru(on); break;
    }
}

// Shows the colour dialog and tells whether the user accepted it, whatever
// the dialog's own cancel setting.
bool colorAccepted(CommonDialog &dialog)
{
    const bool cancelError = dialog.CancelError;
    dialog.CancelError = true;
    const bool accepted = dialog.ShowColor();
    dialog.CancelError = cancelError;
    return accepted;
}

} // namespace

FormatCommands::FormatCommands(DocumentWindows &documents, CommonDialog &fontDialog, CommonDialog &pageDialog)
    : m_documents(documents)
    , m_fontDialog(fontDialog)
    , m_pageDialog(pageDialog)
{
}

std::optional<bool> FormatCommands::toggle(Style style, bool tellWhenNoDocument)
{
    RichTextBox *document =
        tellWhenNoDocument ? m_documents.requireActiveDocument() : m_documents.activeDocument();
    if (!document)
        return std::nullopt;
    // A selection that has the style only in part gets it throughout.
    const bool on = styleOf(*document, style) != RichTextBox::Style::On;
    setStyle(*document, style, on);
    return on;
}

std::optional<QString> FormatCommands::FontOptions()
{
    RichTextBox *document = m_documents.requireActiveDocument();
    if (!document)
        return std::nullopt;
    if (!m_fontChosen) {
        const QFont font = document->document()->defaultFont();
        m_fontDialog.FontName = font.family();
        m_fontDialog.FontSize = font.pointSizeF();
    }
    if (!m_colorChosen)
        m_fontDialog.Color = OleColor::fromQColor(document->textEdit()->palette().color(QPalette::Text));
    m_fontDialog.Flags = FontDialogFlags;
    m_fontDialog.CancelError = true;
    const bool accepted = m_fontDialog.ShowFont();
    m_fontChosen = m_fontChosen || accepted;
    m_colorChosen = m_colorChosen || accepted;
    // A cancel applies the values of the last choice again.
    document = m_documents.activeDocument();
    if (!m_fontChosen || !document)
        return std::nullopt;

    if (!m_fontDialog.FontName.isEmpty())
        document->setSelFontName(m_fontDialog.FontName);
    document->setSelFontSize(m_fontDialog.FontSize);
    const std::optional<double> size = document->SelFontSize();
    document->setSelBold(m_fontDialog.FontBold);
    document->setSelItalic(m_fontDialog.FontItalic);
    document->setSelStrikeThru(m_fontDialog.FontStrikethru);
    document->setSelUnderline(m_fontDialog.FontUnderline);
    document->setSelColor(m_fontDialog.Color);
    return size ? QString::number(*size) : QString();
}

void FormatCommands::FontColor()
{
    RichTextBox *document = m_documents.requireActiveDocument();
    if (!document)
        return;
    if (!m_colorChosen)
        m_fontDialog.Color = OleColor::fromQColor(document->textEdit()->palette().color(QPalette::Text));
    m_fontDialog.Flags = FullColorDialog;
    m_colorChosen = colorAccepted(m_fontDialog) || m_colorChosen;
    document = m_documents.activeDocument();
    if (m_colorChosen && document)
        document->setSelColor(m_fontDialog.Color);
}

void FormatCommands::BackgroundColor()
{
    RichTextBox *document = m_documents.requireActiveDocument();
    if (!document)
        return;
    if (!m_backgroundChosen)
        m_pageDialog.Color = OleColor::fromQColor(document->textEdit()->palette().color(QPalette::Base));
    m_backgroundChosen = colorAccepted(m_pageDialog) || m_backgroundChosen;
    document = m_documents.activeDocument();
    if (m_backgroundChosen && document)
        document->setBackColor(m_pageDialog.Color);
}

void FormatCommands::setFontSize(const QString &text)
{
    RichTextBox *document = m_documents.requireActiveDocument();
    if (document && document->setSelFontSize(text))
        document->SetFocus();
}

void FormatCommands::align(int alignment)
{
    if (RichTextBox *document = m_documents.activeDocument())
        document->setSelAlignment(alignment);
}
