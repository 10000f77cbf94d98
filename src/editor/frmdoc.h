#pragma once

#include <QWidget>

class RichTextBox;

// A document window: one rich-text editor filling a child window of the
// main frame. The caption shows the file last loaded or stored, if any.
class frmDoc : public QWidget
{
    Q_OBJECT
public:
    explicit frmDoc(QWidget *parent = nullptr);

    RichTextBox *RichTextBox1() const { return m_editor; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Resize();

    RichTextBox *m_editor;
};
