// The command bar: the strip at the bottom of the screen that carries a
// program's menu bar. It is a child of the window that creates it (it dies
// with it and sends its commands to it), yet it sits over the screen's bottom
// 26 pixels whatever its parent's place. Its buttons are the top-level items
// of a menu resource, left to right; a tap opens the item's popup above the
// bar and the chosen command reaches the parent as WM_COMMAND. The close
// adornment at the right end sends WM_CLOSE to the parent.
#pragma once

#include <string>
#include <vector>

#include "win/winuser.h"

// Optional adornments (CommandBar_AddAdornments). The close button is always
// there.
inline constexpr DWORD CMDBAR_HELP = 0x0001;
inline constexpr DWORD CMDBAR_OK = 0x0002;

// The command bar's window class.
inline constexpr const char16_t* kCommandBarClass = u"CommandBar";

// Creates a visible command bar with control id `id` as a child of `parent`,
// placed over the menu bar strip of the screen. Returns nullptr (last error
// set) when the parent is not a live window.
HWND CommandBar_Create(HINSTANCE instance, HWND parent, int id);

// Loads menu resource `menuId` of `module` and shows its top-level items as
// the bar's buttons, replacing a menu inserted before. `button` is the
// position among the bar's buttons; the bar holds nothing else, so the menu
// always comes first. FALSE (last error set) for a window that is not a
// command bar or a menu that is missing or malformed; the bar keeps its
// previous menu then.
BOOL CommandBar_InsertMenubar(HWND bar, HINSTANCE module, WORD menuId, int button);

// Adds the adornments: the close button, plus an OK button that sends IDOK
// (CMDBAR_OK). CMDBAR_HELP is accepted and shows nothing. FALSE for a window
// that is not a command bar.
BOOL CommandBar_AddAdornments(HWND bar, DWORD flags, UINT reserved);

// The bar's height in pixels (26); 0 for a window that is not a command bar.
int CommandBar_Height(HWND bar);

// The menu the bar shows (owned by the bar, destroyed with it); nullptr when
// there is none or `bar` is not a command bar. `button` is ignored.
HMENU CommandBar_GetMenu(HWND bar, int button);

// Shows or hides the bar; FALSE for a dead window.
BOOL CommandBar_Show(HWND bar, BOOL show);

namespace shell {

// One tappable part of a command bar, as painting and tests see it.
struct CommandBarPart {
  enum class Kind { kMenu, kOk, kClose };
  Kind kind = Kind::kMenu;
  std::u16string text;  // the menu item's text; empty for adornments
  RECT rect;            // in the bar's client coordinates
  bool greyed = false;  // a greyed or disabled top-level item: inert
  bool pressed = false; // open (menus) or held by the pen (adornments)
};

// The bar's parts from left to right (adornments at the right end); empty
// for a window that is not a command bar.
std::vector<CommandBarPart> CommandBarParts(HWND bar);

// Registers the command bar's class; does nothing when it is registered.
void RegisterCommandBarClass();

}  // namespace shell
