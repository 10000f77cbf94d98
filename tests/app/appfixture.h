#pragma once

#include "app/application.h"
#include "app/mdimain.h"
#include "editor/documentwindows.h"
#include "platform/toolbar.h"
#include "support/testservices.h"

#include <QAbstractButton>
#include <QAction>
#include <QMdiArea>

// The whole program over scripted services, started as at launch: the main
// window with its first, empty document.
class AppFixture
{
public:
    AppFixture() : app(test.services) { app.start(); }

    mdiMain &main() const { return app.mainWindow(); }
    QMdiArea &area() const { return *main().findChild<QMdiArea *>(); }
    RichTextBox *document() const { return main().documents().activeDocument(); }
    QAction *item(const QString &name) const { return main().menuItem(name); }
    void click(const QString &item) const { main().menuItem(item)->trigger(); }
    void press(const QString &key) const
    {
        main().findChild<Toolbar *>(QStringLiteral("Toolbar1"))->button(key)->click();
    }
    template<typename T>
    T *control(const char *name) const { return main().findChild<T *>(QString::fromLatin1(name)); }

    TestServices test;
    Application app;
};
