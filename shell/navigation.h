// The main window's navigation tables: the sixteen pages with their
// design-time titles and Tags, the sibling groups the navigator walks, and
// the toolbar's buttons and drop-down menus with their keys.
#pragma once

#include <array>
#include <string_view>

#include "ui/toolbar.h"

namespace ks {

struct PageRow {
  int page;
  const char* caption;  // design-time title (English)
  const char* tag;      // "" or two digits: pages in the group, position in it
};

inline constexpr std::array<PageRow, 16> kPages{{
    {0, "Control Panel settings", "21"},
    {1, "Direct3D AA settings", "51"},
    {2, "OpenGL AA settings", "41"},
    {3, "Overclocking", ""},
    {4, "Basic informations", "41"},
    {5, "OpenGL texture filtering settings", "42"},
    {6, "Direct3D texture filtering settings", "52"},
    {7, "OpenGL miscellanous settings", "43"},
    {8, "Direct3D miscellanous settings", "53"},
    {9, "DirectX informations", "42"},
    {10, "Resolution setting", "22"},
    {11, "Direct3D Multitexturing settings", "54"},
    {12, "Direct3D Pixel and Vertex Shaders settings", "55"},
    {13, "OpenGL compatibility settings", "44"},
    {14, "System monitoring", "43"},
    {15, "Processes informations", "44"},
}};

// Sibling groups in position order; -1 pads the shorter ones.
inline constexpr std::array<std::array<int, 5>, 4> kPageGroups{{
    {0, 10, -1, -1, -1},
    {1, 6, 8, 11, 12},
    {2, 5, 7, 13, -1},
    {4, 9, 14, 15, -1},
}};

// The page at `position` (from 1) in the group of `page`; -1 when the page
// is in no group or the group has no such position.
int SiblingPage(int page, int position);

struct MenuRow {
  const char* key;
  const char* text;  // design-time text (English)
  int page;          // the page the item shows, -1 for an action
};

struct ButtonRow {
  const char* key;
  const char* caption;  // the button face
  int page;             // the page the button shows, -1 for an action
  std::array<MenuRow, 8> menus;  // key nullptr ends the list
};

inline constexpr std::array<ButtonRow, 7> kToolbarButtons{{
    {"nvcpl", "Control panel", 0,
     {{{"nvcpl1", "Control Panel settings", 0},
       {"nvcpl2", "Resolution setting", 10},
       {"nvcpl3", "Display properties ...", -1},
       {"nvcpl4", "nVidia overlay applet ...", -1},
       {"nvcpl5", "nVidia TV applet ...", -1},
       {"regedit", "Registry editor", -1},
       {"pedit", "Profile manager", -1},
       {"abouti", "About ...", -1}}}},
    {"dx", "Direct3D", 1,
     {{{"aa2", "Antialiasing", 1},
       {"tf2", "Texture filtering", 6},
       {"ms2", "Miscellanous", 8},
       {"mt", "Multitexturing", 11},
       {"psvs", "Shaders settings", 12}}}},
    {"ogl", "OpenGL", 2,
     {{{"aa", "Antialiasing", 2},
       {"tf", "Texture filtering", 5},
       {"ms", "Miscellanous", 7},
       {"oglcs", "Compatibility settings", 13}}}},
    {"oc", "Overclocking", 3, {}},
    {"info", "Information", 4,
     {{{"basic", "Basic informations", 4},
       {"basicdx", "DirectX informations", 9},
       {"sys", "System monitoring", 14},
       {"proc", "Processes informations", 15}}}},
    {"pw", "Wizard", -1, {}},
    {"vask", "Vendor", -1, {}},
}};

// The page a menu item's key shows, -1 for any other key.
int PageOfMenuKey(std::string_view key);

// Adds the seven buttons and their menus to the toolbar, as designed.
void DesignToolbar(ui::Toolbar& toolbar);

}  // namespace ks
