#include "enginewebwindows.h"

#include "frmbookshelf.h"
#include "frmbrowser.h"

EngineWebWindows::EngineWebWindows() = default;

EngineWebWindows::~EngineWebWindows() = default;

frmBrowser &EngineWebWindows::browserWindow()
{
    if (!m_browser)
        m_browser = std::make_unique<frmBrowser>();
    return *m_browser;
}

frmBookshelf &EngineWebWindows::bookshelfWindow()
{
    if (!m_bookshelf)
        m_bookshelf = std::make_unique<frmBookshelf>();
    return *m_bookshelf;
}

void EngineWebWindows::openBrowser(const QString &address)
{
    browserWindow().openAddress(address);
}

void EngineWebWindows::showBookshelf()
{
    Show(bookshelfWindow());
}

QWidget &EngineWebWindows::browser()
{
    return browserWindow();
}

QWidget &EngineWebWindows::bookshelf()
{
    return bookshelfWindow();
}
