#include "resources/shell_resources.h"

#include "resources/icon_101.xpm"
#include "resources/index_201.xbm"
#include "resources/index_202.xbm"
#include "resources/index_203.xbm"
#include "resources/toolbar_114.xpm"

namespace {

const MenuItemResource GoItems[] = {
    {40004, u"&About"},
    {129, u"Check For &Updates"},
    {0, nullptr},
    {40006, u"F&ont\bCtrl+F"},
    {122, u"Re&verse"},
    {0, nullptr},
    {119, u"&Index\bCtrl+D"},
    {123, u"&Bookmark"},
    {110, u"&Previous Article"},
    {109, u"&Next Article"},
    {0, nullptr},
    {116, u"&Search\bAlt+F3"},
    {117, u"Search A&gain\bF3"},
    {0, nullptr},
    {40007, u"&Copy\bCtrl+C"},
    {40009, u"&Append to ClipBoard\bCtrl+E"},
    {0, nullptr},
    {40005, u"E&xit\bCtrl+Q"},
};

const MenuItemResource MarginelItems[] = {
    {414, u"1/&4 Screen"},
    {413, u"1/&3 Screen"},
    {412, u"1/&2 Screen"},
    {423, u"2/3 Screen"},
    {434, u"3/4 Screen"},
    {401, u"&None"},
};

const SubmenuResource Submenus102[] = {
    {u"&Go", GoItems, sizeof GoItems / sizeof GoItems[0]},
    {u"&Marginel", MarginelItems, sizeof MarginelItems / sizeof MarginelItems[0]},
};

const BarButtonResource BarButtons102[] = {
    {40001, 302, 0},
    {40003, 304, 1},
};

}  // namespace

const MenuResource Menu102 = {Submenus102, 2};
const BarResource Bar102 = {102, BarButtons102, 2};
const BitmapResource Bitmap114 = {96, 16, nullptr, Toolbar114Xpm};
const BitmapResource Icon101 = {32, 32, nullptr, Icon101Xpm};
const BitmapResource Bitmap201 = {Index201_width, Index201_height, Index201_bits, nullptr};
const BitmapResource Bitmap202 = {Index202_width, Index202_height, Index202_bits, nullptr};
const BitmapResource Bitmap203 = {Index203_width, Index203_height, Index203_bits, nullptr};
