#include "frmdoc.h"

#include "platform/richtextbox.h"

#include <QTextDocument>

frmDoc::frmDoc(QWidget *parent)
    : QWidget(parent)
    , m_editor(new RichTextBox(this))
{
    m_editor->setObjectName(QStringLiteral("RichTextBox1"));
    m_editor->move(0, 0);
    // Loading a file keeps the margin: the editor carries it to the new text.
    m_editor->document()->setDocumentMargin(TextMargin);
    setFocusProxy(m_editor);
}

void frmDoc::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmDoc::Form_Resize()
{
    // The editor takes the whole client area: the window's outer size less
    // its frame and title bar. A window squeezed smaller than that holds the
    // editor at zero rather than at a negative size.
    m_editor->resize(qMax(0, width()), qMax(0, height()));
}
