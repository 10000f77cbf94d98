#pragma once

#include "webwindows.h"

#include <memory>

class frmBookshelf;
class frmBrowser;

// The web windows on the web engine, each made the first time it is needed.
class EngineWebWindows : public WebWindows
{
public:
    EngineWebWindows();
    ~EngineWebWindows() override;

    void openBrowser(const QString &address) override;
    void showBookshelf() override;
    QWidget &browser() override;
    QWidget &bookshelf() override;

private:
    frmBrowser &browserWindow();
    frmBookshelf &bookshelfWindow();

    std::unique_ptr<frmBrowser> m_browser;
    std::unique_ptr<frmBookshelf> m_bookshelf;
};
