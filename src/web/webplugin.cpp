#include "webplugin.h"

#include "enginewebwindows.h"

std::unique_ptr<WebWindows> WebPlugin::create()
{
    return std::make_unique<EngineWebWindows>();
}
