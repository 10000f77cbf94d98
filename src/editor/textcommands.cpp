#include "textcommands.h"

#include "documentwindows.h"
#include "platform/clock.h"
#include "platform/richtextbox.h"

#include <QClipboard>
#include <QGuiApplication>

TextCommands::TextCommands(DocumentWindows &documents, Clock &clock)
    : m_documents(documents)
    , m_clock(clock)
{
}

void TextCommands::Copy()
{
    if (const RichTextBox *document = m_documents.requireActiveDocument())
        QGuiApplication::clipboard()->setText(document->SelText());
}

void TextCommands::Cut()
{
    if (RichTextBox *document = m_documents.requireActiveDocument()) {
        QGuiApplication::clipboard()->setText(document->SelText());
        document->setSelText(QString());
    }
}

void TextCommands::Paste()
{
    if (RichTextBox *document = m_documents.requireActiveDocument())
        document->setSelText(QGuiApplication::clipboard()->text());
}

void TextCommands::SelectAll()
{
    if (RichTextBox *document = m_documents.requireActiveDocument()) {
        document->setSelStart(0);
        document->setSelLength(int(document->Text().size()));
    }
}

void TextCommands::DateTime()
{
    RichTextBox *document = m_documents.requireActiveDocument();
    if (!document)
        return;
    const int caret = document->SelStart();
    const QString text = document->Text();
    document->setText(text.left(caret) + m_clock.generalDate(m_clock.now()) + text.mid(caret));
    document->setSelStart(caret);
}

void TextCommands::LowerCase()
{
    if (RichTextBox *document = m_documents.requireActiveDocument())
        document->setText(document->Text().toLower());
}

void TextCommands::UpperCase()
{
    if (RichTextBox *document = m_documents.requireActiveDocument())
        document->setText(document->Text().toUpper());
}

void TextCommands::Clear()
{
    if (RichTextBox *document = m_documents.activeDocument())
        document->setText(QString());
}
