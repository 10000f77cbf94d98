#pragma once

#include <array>

// Every web address the program opens. The program's own sites have no
// public home yet, so they sit under the reserved ".example" domain; the
// others are real resources for fiction writers.
namespace WebAddresses {

// The program's main site, written as a plain host name.
inline constexpr const char16_t *MainSite = u"www.quillmere.example";
// The second site, which the About menu names by its address.
inline constexpr const char16_t *SecondSite = u"www.fernhold.example";

// The About menu's links: the main site twice, written two ways, and the
// second site.
inline constexpr const char16_t *OnlineSupport = MainSite;
inline constexpr const char16_t *FernholdLink = u"http://www.fernhold.example";
inline constexpr const char16_t *OberwickLink = u"http://www.quillmere.example";

// The link bar's list, top to bottom; its first entry is also its text at start.
inline constexpr std::array<const char16_t *, 6> LinkBar = {
    MainSite,
    SecondSite,
    u"ideas.quillmere.example",
    u"forum.quillmere.example",
    u"http://www.sfwa.org",
    u"www.writersdigest.com",
};

// The browser window's "Home" and "Search" buttons.
inline constexpr const char16_t *Home = u"http://www.quillmere.example";
inline constexpr const char16_t *Search = u"https://duckduckgo.com/";

struct ShelfEntry
{
    const char16_t *title;
    const char16_t *address;
};

// The bookshelf's list, top to bottom.
inline constexpr std::array<ShelfEntry, 3> Bookshelf = {{
    {u"Fiction Factor Articles", u"http://www.fictionfactor.com/articles.html"},
    {u"Fiction Writer's Resource Page", u"https://sites.google.com/site/fictiontoolbox/"},
    {u"Horror Writer's Association", u"https://horror.org/"},
}};

} // namespace WebAddresses
