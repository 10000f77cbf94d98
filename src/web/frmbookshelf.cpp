#include "frmbookshelf.h"

#include "webaddresses.h"
#include "webengine.h"
#include "platform/twips.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QWebEngineView>

#include <algorithm>

namespace {

constexpr int StripHeight = 375;
constexpr int ListWidth = 2895;
constexpr int PageLeft = 3000;
constexpr int PageTop = 480;
// The page keeps the same gap to the window's right and bottom edges as it
// keeps to the list and the button strip.
constexpr int PageRightMargin = PageLeft - ListWidth;
constexpr int PageBottomMargin = PageTop - StripHeight;
// Wide enough to show the go button, which ends at 15135.
constexpr int InitialWidth = 15135 + PageRightMargin;

template<typename T>
T *placed(T *control, const char *name, QRect twipsRect)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twipsRect);
    return control;
}

QPushButton *button(const char *caption, QWidget *parent, const char *name, QRect twipsRect)
{
    auto *b = placed(new QPushButton(QString::fromLatin1(caption), parent), name, twipsRect);
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmBookshelf::frmBookshelf(QWidget *parent)
    : Form(parent)
{
    prepareWebEngine();
    setObjectName(QStringLiteral("frmBookshelf"));
    setWindowTitle(QStringLiteral("Bookshelf"));
    setFrame(Frame::Sizable, QSize(InitialWidth, 5385), false);

    Picture2 = placed(new QWidget(this), "Picture2", Twips::rect(0, 0, InitialWidth, StripHeight));
    Command1 = button("<", Picture2, "Command1", Twips::rect(120, 0, 735, 375));
    Command2 = button("X", Picture2, "Command2", Twips::rect(840, 0, 1335, 375));
    Command3 = button(">", Picture2, "Command3", Twips::rect(2160, 0, 735, 375));
    cboAddress = placed(new QComboBox(Picture2), "cboAddress", Twips::rect(3000, 0, 10935, 315));
    cboAddress->setEditable(true);
    // A typed address box: only "-->>" opens it, and nothing is added to its list.
    cboAddress->setInsertPolicy(QComboBox::NoInsert);
    Command4 = button("-->>", Picture2, "Command4", Twips::rect(14040, 0, 1095, 375));

    Picture1 = placed(new QWidget(this), "Picture1", Twips::rect(0, StripHeight, ListWidth, 5010));
    List1 = placed(new QListWidget(Picture1), "List1", Twips::rect(120, 120, 2655, 10590));
    for (const WebAddresses::ShelfEntry &entry : WebAddresses::Bookshelf)
        List1->addItem(QString::fromUtf16(entry.title));

    connect(List1, &QListWidget::itemSelectionChanged, this, &frmBookshelf::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmBookshelf::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmBookshelf::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmBookshelf::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmBookshelf::Command4_Click);
}

void frmBookshelf::resetControls()
{
    cboAddress->clearEditText();
    List1->setCurrentRow(-1);
    WebBrowser1 = placed(new QWebEngineView(this), "WebBrowser1", Twips::rect(PageLeft, PageTop, 2535, 1815));
    WebBrowser1->show();
    Form_Resize();
}

void frmBookshelf::Form_Unload()
{
    delete WebBrowser1;
    WebBrowser1 = nullptr;
}

void frmBookshelf::resizeEvent(QResizeEvent *event)
{
    Form::resizeEvent(event);
    if (WebBrowser1)
        Form_Resize();
}

void frmBookshelf::Form_Resize()
{
    // The strip is aligned to the top and the list panel to the left.
    Picture2->resize(width(), Picture2->height());
    Picture1->resize(Picture1->width(), std::max(0, height() - Picture1->y()));
    const QRect page(WebBrowser1->pos(),
                     QPoint(width() - 1 - Twips::toPixels(PageRightMargin), height() - 1 - Twips::toPixels(PageBottomMargin)));
    WebBrowser1->resize(std::max(0, page.width()), std::max(0, page.height()));
}

void frmBookshelf::List1_Click()
{
    const QListWidgetItem *selected = List1->currentItem();
    const QString text = selected && selected->isSelected() ? selected->text() : QString();
    for (const WebAddresses::ShelfEntry &entry : WebAddresses::Bookshelf) {
        if (text == QStringView(entry.title)) {
            cboAddress->setEditText(QString::fromUtf16(entry.address));
            navigate(cboAddress->currentText());
        }
    }
}

void frmBookshelf::Command1_Click()
{
    WebBrowser1->back();
}

void frmBookshelf::Command2_Click()
{
    WebBrowser1->stop();
}

void frmBookshelf::Command3_Click()
{
    WebBrowser1->forward();
}

void frmBookshelf::Command4_Click()
{
    navigate(cboAddress->currentText());
}

void frmBookshelf::navigate(const QString &address)
{
    // As in a browser's address bar, an address without a scheme is a web address.
    const QUrl url = QUrl::fromUserInput(address);
    if (url.isValid())
        WebBrowser1->load(url);
}
