#include "frmbrowser.h"

#include "webaddresses.h"
#include "webengine.h"
#include "platform/toolbar.h"
#include "platform/twips.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include <algorithm>

namespace {

struct BrowserButton
{
    const char16_t *key;
    const char16_t *image;
};

// Left to right; each key is also the button's tool tip.
constexpr BrowserButton BrowserButtons[] = {
    {u"Back", u"back"},       {u"Forward", u"forward"}, {u"Stop", u"stop"},
    {u"Refresh", u"refresh"}, {u"Home", u"home"},       {u"Search", u"search"},
};

constexpr int ToolbarHeight = 540;
constexpr int AddressBarHeight = 675;
constexpr int AddressBarBottom = ToolbarHeight + AddressBarHeight;
constexpr int PageLeft = 50;
// The address box and the page end this far short of the window's right
// edge, and the page this far above its bottom.
constexpr int Margin = 100;

constexpr int ButtonSize = 32;
constexpr int PictureSize = 24;

// A design length in twips less the margin, never below nothing.
int fitted(int pixels, int lessTwips)
{
    return std::max(0, Twips::toPixels(pixels * Twips::PerPixel - lessTwips));
}

} // namespace

frmBrowser::frmBrowser(QWidget *parent)
    : Form(parent)
{
    prepareWebEngine();
    setObjectName(QStringLiteral("frmBrowser"));
    setFrame(Frame::Sizable, QSize(6540, 5130), false);

    tbToolBar = new Toolbar(this);
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setGeometry(Twips::rect(0, 0, 6540, ToolbarHeight));
    int index = 0;
    for (const BrowserButton &b : BrowserButtons) {
        const QString key = QString::fromUtf16(b.key);
        tbToolBar->addButton(key, key, QIcon(u":/web/images/" + QString::fromUtf16(b.image) + u".png"));
        // The browser's pictures are larger than the main toolbar's.
        QAbstractButton *button = tbToolBar->button(key);
        button->setIconSize(QSize(PictureSize, PictureSize));
        button->setGeometry(2 + index++ * ButtonSize, 2, ButtonSize, ButtonSize);
    }
    connect(tbToolBar, &Toolbar::ButtonClick, this, &frmBrowser::tbToolBar_ButtonClick);

    picAddress = new QWidget(this);
    picAddress->setObjectName(QStringLiteral("picAddress"));
    picAddress->setGeometry(Twips::rect(0, ToolbarHeight, 6540, AddressBarHeight));
    lblAddress = new QLabel(QStringLiteral("&Address:"), picAddress);
    lblAddress->setObjectName(QStringLiteral("lblAddress"));
    lblAddress->setGeometry(Twips::rect(45, 60, 3075, 255));
    cboAddress = new QComboBox(picAddress);
    cboAddress->setObjectName(QStringLiteral("cboAddress"));
    cboAddress->setGeometry(Twips::rect(45, 300, 5355, 315));
    cboAddress->setEditable(true);
    // A typed address box: what is typed is opened, never added to the list.
    cboAddress->setInsertPolicy(QComboBox::NoInsert);
    lblAddress->setBuddy(cboAddress);
    // Enter in the address box opens it; other keys only edit it.
    connect(cboAddress->lineEdit(), &QLineEdit::returnPressed, this, &frmBrowser::cboAddress_Click);
}

void frmBrowser::resetControls()
{
    setWindowTitle(QString());
    cboAddress->clearEditText();
    m_watching = false;
    m_busy = false;

    brwWebBrowser = new QWebEngineView(this);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    brwWebBrowser->setGeometry(Twips::rect(PageLeft, AddressBarBottom, 5393, 3734));
    brwWebBrowser->show();
    connect(brwWebBrowser, &QWebEngineView::loadStarted, this, &frmBrowser::brwWebBrowser_LoadStarted);
    connect(brwWebBrowser, &QWebEngineView::loadFinished, this, &frmBrowser::brwWebBrowser_DownloadComplete);
}

// Show(), which loads the window, makes it visible right after this.
void frmBrowser::Form_Load()
{
    tbToolBar->update();
    Form_Resize();
    const QRect label = lblAddress->geometry();
    cboAddress->move(Twips::toPixels(PageLeft), label.bottom() + 1 + Twips::toPixels(15));
}

void frmBrowser::Form_Unload()
{
    delete brwWebBrowser;
    brwWebBrowser = nullptr;
}

void frmBrowser::resizeEvent(QResizeEvent *event)
{
    Form::resizeEvent(event);
    if (brwWebBrowser)
        Form_Resize();
}

void frmBrowser::Form_Resize()
{
    // The toolbar and the address bar are aligned to the top and span the window.
    tbToolBar->resize(width(), tbToolBar->height());
    picAddress->resize(width(), picAddress->height());
    cboAddress->resize(fitted(width(), Margin), cboAddress->height());
    brwWebBrowser->resize(fitted(width(), Margin), fitted(height(), AddressBarBottom + Margin));
}

void frmBrowser::openAddress(const QString &address)
{
    Show(*this);
    cboAddress->setEditText(address);
    navigate(cboAddress->currentText());
}

void frmBrowser::cboAddress_Click()
{
    m_watching = true;
    navigate(cboAddress->currentText());
    timTimer_Timer();
}

void frmBrowser::tbToolBar_ButtonClick(const QString &key)
{
    m_watching = true;
    QWebEngineHistory *history = brwWebBrowser->history();
    // An operation the engine cannot carry out (no earlier page, nothing to
    // reload) is skipped; the caption then only shows the current title.
    if (key == u"Back") {
        if (history->canGoBack()) {
            m_busy = true;
            brwWebBrowser->back();
        }
    } else if (key == u"Forward") {
        if (history->canGoForward()) {
            m_busy = true;
            brwWebBrowser->forward();
        }
    } else if (key == u"Refresh") {
        if (!brwWebBrowser->url().isEmpty()) {
            m_busy = true;
            brwWebBrowser->reload();
        }
    } else if (key == u"Home") {
        navigate(QString::fromUtf16(WebAddresses::Home));
    } else if (key == u"Search") {
        navigate(QString::fromUtf16(WebAddresses::Search));
    } else if (key == u"Stop") {
        m_watching = false;
        m_busy = false;
        brwWebBrowser->stop();
        showLocationName();
    }
    timTimer_Timer();
}

void frmBrowser::navigate(const QString &address)
{
    // As in a browser's address bar, an address without a scheme is a web address.
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid())
        return;
    m_busy = true;
    brwWebBrowser->load(url);
}

void frmBrowser::timTimer_Timer()
{
    if (!m_watching)
        return;
    if (m_busy) {
        setWindowTitle(QStringLiteral("Working..."));
        return;
    }
    m_watching = false;
    showLocationName();
}

void frmBrowser::brwWebBrowser_LoadStarted()
{
    m_busy = true;
    timTimer_Timer();
}

void frmBrowser::brwWebBrowser_DownloadComplete()
{
    m_busy = false;
    showLocationName();
    timTimer_Timer();
}

void frmBrowser::showLocationName()
{
    setWindowTitle(brwWebBrowser->title());
}
