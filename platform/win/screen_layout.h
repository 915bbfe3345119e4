// The fixed layout of the handheld's 240 x 320 screen: the task bar strip on
// top, the work area where programs' windows live, and the menu bar strip at
// the bottom. The dialog manager, the menus and the shell all place their
// windows from these rectangles, so they never disagree.
#pragma once

#include "win/winuser.h"

namespace win {

inline constexpr LONG kScreenWidth = 240;
inline constexpr LONG kScreenHeight = 320;
inline constexpr LONG kTaskBarHeight = 26;
inline constexpr LONG kMenuBarHeight = 26;

inline constexpr RECT kScreenRect{0, 0, kScreenWidth, kScreenHeight};
// The shell's title strip with the active window's caption.
inline constexpr RECT kTaskBarRect{0, 0, kScreenWidth, kTaskBarHeight};
// Between the task bar and the menu bar.
inline constexpr RECT kWorkArea{0, kTaskBarHeight, kScreenWidth, kScreenHeight - kMenuBarHeight};
// Where a program's menu bar (command bar) sits.
inline constexpr RECT kMenuBarRect{0, kScreenHeight - kMenuBarHeight, kScreenWidth, kScreenHeight};

}  // namespace win
