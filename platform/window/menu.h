// Window menus. The one kind this desktop has is the system menu of a
// window with WS_SYSMENU: restore, move, size, minimise, maximise and close,
// each greyed by the window's state and styles (a program may grey more or
// remove items). It opens as a popup from a click on the caption icon, from
// Alt+Space, from a right click on the caption, or from ShowSystemMenu; the
// chosen item arrives at the window as WM_SYSCOMMAND with its SC_* code.
#pragma once

#include <cstdint>

#include "platform/geometry.h"
#include "platform/ustring.h"
#include "platform/window/types.h"

namespace qv {

// A menu handle; it names the system menu of one window, so a handle of a
// destroyed window names nothing and every call on it fails harmlessly.
using HMENU = THandle<struct TMenuKind>;

// Item flags and states.
enum : UINT {
  MF_BYCOMMAND = 0x0000,
  MF_ENABLED = 0x0000,
  MF_STRING = 0x0000,
  MF_GRAYED = 0x0001,
  MF_DISABLED = 0x0002,
  MF_HILITE = 0x0080,  // highlighted in the open menu
  MF_BYPOSITION = 0x0400,
  MF_SEPARATOR = 0x0800,
  MF_DEFAULT = 0x1000,  // drawn bold: what a double click on the icon does
};

// GetMenuState and GetMenuItemID for an item that does not exist.
constexpr UINT kNoMenuItem = 0xFFFFFFFFu;

// One item: its command (0 for a separator), state bits and text; "&" marks
// the mnemonic and a tab separates the shortcut ("&Закрыть\tAlt+F4").
struct TMenuEntry {
  UINT id = 0;
  UINT state = 0;
  ustring text;
};

// The window's system menu, with the greyed states brought up to date; null
// for a window without WS_SYSMENU or a child window. revert: the items the
// program removed or greyed come back, and null is returned.
HMENU GetSystemMenu(HWND hwnd, bool revert);

// State bits of an item by command (MF_BYCOMMAND) or position
// (MF_BYPOSITION); kNoMenuItem when there is no such item. An item is greyed
// when its window's state or styles rule it out or the program greyed it.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Greys (MF_GRAYED / MF_DISABLED) or enables an item as far as the program
// is concerned; the previous state, or -1 for no such item.
int EnableMenuItem(HMENU menu, UINT item, UINT enable);
// Removes an item (a window without a close item has a greyed close button).
bool DeleteMenu(HMENU menu, UINT item, UINT flags);
int GetMenuItemCount(HMENU menu);
// The command at a position: 0 for a separator, kNoMenuItem past the end.
UINT GetMenuItemID(HMENU menu, int pos);
// The text of an item (with "&" and the tab-separated shortcut).
bool GetMenuString(HMENU menu, UINT item, ustring& text, UINT flags);

// Opens the window's system menu with its top-left corner at a screen point
// (moved to stay on the screen). Opened by keyboard, the first enabled item
// is highlighted and the mnemonics are underlined. While it is open it holds
// the mouse and takes every key; Esc, Alt, a press outside it, the window's
// loss of activation, hiding or destruction close it. False when the window
// has no system menu or is not shown.
bool ShowSystemMenu(HWND hwnd, TPoint screen, bool keyboard = false);
// Closes an open menu without a choice.
void EndMenu();
// The window whose menu is open, or null.
HWND GetOpenMenuOwner();
// Screen rectangle of an item of the open menu (by position).
bool GetMenuItemRect(HWND hwnd, HMENU menu, UINT pos, TRect& r);

}  // namespace qv
