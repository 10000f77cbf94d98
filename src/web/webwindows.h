#pragma once

class QString;
class QWidget;

// The browser window and the bookshelf as the rest of the program sees
// them. They are made on first use and kept until the program ends.
class WebWindows
{
public:
    virtual ~WebWindows() = default;

    // Shows the browser window, puts the address in its address box and
    // opens the address box's text there.
    virtual void openBrowser(const QString &address) = 0;
    virtual void showBookshelf() = 0;

    virtual QWidget &browser() = 0;
    virtual QWidget &bookshelf() = 0;
};
