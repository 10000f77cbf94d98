#pragma once

#include "platform/form.h"

class QComboBox;
class QLabel;
class QWebEngineView;
class Toolbar;

// The program's small web browser: a toolbar of six navigation buttons, an
// address box and the page below them.
class frmBrowser : public Form
{
    Q_OBJECT
public:
    explicit frmBrowser(QWidget *parent = nullptr);

    // How other windows open a page: show the window, put the address in
    // the address box and open the address box's text.
    void openAddress(const QString &address);

protected:
    void resetControls() override;
    void Form_Load() override;
    void Form_Unload() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Resize();
    void cboAddress_Click();
    void tbToolBar_ButtonClick(const QString &key);
    void timTimer_Timer();
    void brwWebBrowser_LoadStarted();
    void brwWebBrowser_DownloadComplete();

    void navigate(const QString &address);
    void showLocationName();

    Toolbar *tbToolBar = nullptr;
    QWidget *picAddress = nullptr;
    QLabel *lblAddress = nullptr;
    QComboBox *cboAddress = nullptr;
    // Made at load and dropped at unload, so a closed window keeps no page
    // running and a reopened one starts with an empty history.
    QWebEngineView *brwWebBrowser = nullptr;

    // The loading watch is on from a typed address or a toolbar press until
    // the engine is idle again; the engine's own load signals drive it.
    bool m_watching = false;
    // A navigation has been asked for and the engine has not finished it.
    bool m_busy = false;
};
