#pragma once

#include "webwindowsfactory.h"

#include <QObject>

// The entry point of the web plugin, which the program loads the first
// time it shows a web window.
class WebPlugin : public QObject, public WebWindowsFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID WebWindowsFactory_iid)
    Q_INTERFACES(WebWindowsFactory)
public:
    std::unique_ptr<WebWindows> create() override;
};
