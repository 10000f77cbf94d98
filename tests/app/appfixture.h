#pragma once

#include "app/application.h"
#include "app/mdimain.h"
#include "editor/documentwindows.h"
#include "screens/frmwelcome.h"
#include "platform/richtextbox.h"
#include "platform/toolbar.h"
#include "support/testservices.h"

#include <QAbstractButton>
#include <QAction>
#include <QMdiArea>
#include <QTest>
#include <QTextEdit>

// The whole program over scripted services, started as at launch: the main
// window with its first, empty document.
class AppFixture
{
public:
    AppFixture() : app(test.services)
    {
        app.start();
        // These tests work in the main window: the welcome screen that
        // start-up puts in front is hidden without closing it, so nothing
        // else opens.
        app.welcome().hide();
        main().activateWindow();
    }

    mdiMain &main() const { return app.mainWindow(); }
    QMdiArea &area() const { return *main().findChild<QMdiArea *>(); }
    RichTextBox *document() const { return main().documents().activeDocument(); }
    QAction *item(const QString &name) const { return main().menuItem(name); }

    // Runs a command as the user does: "menu <item>", "key <Ctrl letter>" in
    // the document, "toolbar <key>", or "editor <slot>" of the editor's own
    // context menu.
    void run(const QString &how) const
    {
        const QString what = how.section(u' ', 1);
        if (how.startsWith(u"menu"))
            item(what)->trigger();
        else if (how.startsWith(u"toolbar"))
            main().findChild<Toolbar *>(QStringLiteral("Toolbar1"))->button(what)->click();
        else if (how.startsWith(u"key"))
            QTest::keyClick(document()->textEdit(), Qt::Key(what[0].unicode()), Qt::ControlModifier);
        else
            QMetaObject::invokeMethod(document()->textEdit(), what.toLatin1().constData());
    }

    // "text" with characters start to start + length selected.
    void write(const QString &text, int start, int length) const
    {
        document()->setText(text);
        select(start, length);
    }
    void select(int start, int length) const
    {
        document()->setSelStart(start);
        document()->setSelLength(length);
    }

    TestServices test;
    Application app;
};
