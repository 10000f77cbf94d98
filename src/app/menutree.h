#pragma once

#include "web/webaddresses.h"

#include <array>

// The main window's menu bar, top to bottom: seven menus and the items below
// them. A caption of "-" is a separator. Shortcut letters go with Ctrl.
struct MenuEntry
{
    const char16_t *name;
    const char16_t *parent; // nullptr for a menu on the menu bar
    const char16_t *caption;
    char16_t ctrlKey = 0;
    bool checkable = false;
};

inline constexpr std::array<MenuEntry, 57> MenuTree = {{
    {u"File", nullptr, u"File"},
    {u"New", u"File", u"New", u'N'},
    {u"Open", u"File", u"Open", u'O'},
    {u"Save", u"File", u"Save", u'S'},
    {u"SaveAs", u"File", u"Save As"},
    {u"SEP1", u"File", u"-"},
    {u"Print", u"File", u"Print", u'P'},
    {u"Sep2", u"File", u"-"},
    {u"Exit", u"File", u"Exit"},
    {u"edit", nullptr, u"Edit"},
    {u"Cut", u"edit", u"Cut", u'X'},
    {u"Copy", u"edit", u"Copy", u'C'},
    {u"Paste", u"edit", u"Paste", u'V'},
    {u"Sep4", u"edit", u"-"},
    {u"Find", u"edit", u"Find", u'F'},
    {u"Sep5", u"edit", u"-"},
    {u"SellectAll", u"edit", u"Select All", u'A'},
    {u"Insert", nullptr, u"Insert"},
    {u"DateTime", u"Insert", u"Date/Time"},
    {u"Format", nullptr, u"Format"},
    {u"bgc", u"Format", u"Background Color"},
    {u"Sep6", u"Format", u"-"},
    {u"Bold", u"Format", u"Bold", u'B', true},
    {u"Italic", u"Format", u"Italic", u'I', true},
    {u"Underline", u"Format", u"Underline", u'U', true},
    {u"Strikethru", u"Format", u"Strike through", 0, true},
    {u"SEP11", u"Format", u"-"},
    {u"FontOpt", u"Format", u"Font Options"},
    {u"FontCol", u"Format", u"Font Color"},
    {u"Sep7", u"Format", u"-"},
    {u"LowerCase", u"Format", u"Lower Case"},
    {u"Upper", u"Format", u"Upper Case"},
    {u"Tools", nullptr, u"Tools"},
    {u"Journal", u"Tools", u"Journal"},
    {u"Bookshelf", u"Tools", u"Bookshelf"},
    {u"Sep8", u"Tools", u"-"},
    {u"gened", u"Tools", u"Generator Editor"},
    {u"View", nullptr, u"View"},
    {u"Generators", u"View", u"Generators", 0, true},
    {u"Ruler", u"View", u"Ruler", 0, true},
    {u"MainBar", u"View", u"Main Tool Bar", 0, true},
    {u"asa", u"View", u"-"},
    {u"keyshorta", u"View", u"Keyboard Shortcuts"},
    {u"Welcome", u"View", u"Welcome Screen"},
    {u"a", u"View", u"-"},
    {u"Cascade", u"View", u"Cascade"},
    {u"hori", u"View", u"Tile Horizontal"},
    {u"Vertical", u"View", u"Tile Vertical"},
    {u"arrange", u"View", u"Arrange Icons"},
    {u"About1", nullptr, u"About"},
    {u"keyshort", u"About1", u"Keyboard Shortcuts"},
    {u"Online", u"About1", u"Online Support"},
    {u"SEP9", u"About1", u"-"},
    {u"Fernhold", u"About1", WebAddresses::SecondSite},
    {u"Oberwick", u"About1", WebAddresses::MainSite},
    {u"Sep10", u"About1", u"-"},
    {u"About", u"About1", u"About"},
}};
