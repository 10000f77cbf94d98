#pragma once

#include "platform/twips.h"

#include <QWidget>

class RichTextBox;

// A document window: one rich-text editor filling a child window of the
// main frame. The caption shows the file last loaded or stored, if any.
class frmDoc : public QWidget
{
    Q_OBJECT
public:
    // The size of a window that is not maximised until the user or an
    // arrangement sizes it: room for a few lines of text.
    static constexpr QSize NormalSize = Twips::size(7200, 4320);
    // Between the text and the window's edges.
    static constexpr int TextMargin = Twips::toPixels(120);

    explicit frmDoc(QWidget *parent = nullptr);

    RichTextBox *RichTextBox1() const { return m_editor; }
    QSize sizeHint() const override { return NormalSize; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Resize();

    RichTextBox *m_editor;
};
