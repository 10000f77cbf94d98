#pragma once

#include "webwindows.h"

#include <QtPlugin>

#include <memory>

// What the web plugin offers. The web windows live in a plugin of their
// own so that the web engine is not loaded until one of them is needed.
class WebWindowsFactory
{
public:
    virtual ~WebWindowsFactory() = default;
    virtual std::unique_ptr<WebWindows> create() = 0;
};

#define WebWindowsFactory_iid "org.quillmere.WebWindowsFactory/1"
Q_DECLARE_INTERFACE(WebWindowsFactory, WebWindowsFactory_iid)
