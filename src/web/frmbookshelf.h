#pragma once

#include "platform/form.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QWebEngineView;

// The bookshelf: a list of writing-resource pages on the left and the
// chosen page on the right, with back, stop and forward buttons and an
// address box with a go button above it.
class frmBookshelf : public Form
{
    Q_OBJECT
public:
    explicit frmBookshelf(QWidget *parent = nullptr);

protected:
    void resetControls() override;
    void Form_Unload() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Resize();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    void navigate(const QString &address);

    QWidget *Picture2 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QComboBox *cboAddress = nullptr;
    QPushButton *Command4 = nullptr;
    QWidget *Picture1 = nullptr;
    QListWidget *List1 = nullptr;
    // Made at load and dropped at unload, so a closed window keeps no page
    // running and a reopened one starts with an empty history.
    QWebEngineView *WebBrowser1 = nullptr;
};
