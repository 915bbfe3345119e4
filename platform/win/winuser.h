// The handheld's window and message services, with their platform names and
// values: window classes, windows and their attributes, sending and posting
// messages, the message queue and its loops, focus, capture and activation.
//
// Every function accepts any handle: a handle that does not name a live
// window (never created, or destroyed) makes the call fail the way the
// platform fails it (0, FALSE or nullptr, with ERROR_INVALID_HANDLE as the
// last error), never a crash.
#pragma once

#include <string>

#include "base/wintypes.h"
#include "win/winconst.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

// The signed client coordinates packed in the lParam of a pen message.
inline POINT PointFromLParam(LPARAM lParam) {
  auto packed = std::uintptr_t(lParam);
  return {LONG(std::int16_t(LOWORD(packed))), LONG(std::int16_t(HIWORD(packed)))};
}

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;  // TRUE when WM_ERASEBKGND left the background unerased
  RECT rcPaint;         // the part to paint, client coordinates
  BOOL fRestore = FALSE;
  BOOL fIncUpdate = FALSE;
  BYTE rgbReserved[32] = {};
};

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

struct WNDCLASSW {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  LPCWSTR lpszMenuName = nullptr;
  LPCWSTR lpszClassName = nullptr;
};

struct CREATESTRUCTW {
  LPVOID lpCreateParams = nullptr;
  HINSTANCE hInstance = nullptr;
  HMENU hMenu = nullptr;
  HWND hwndParent = nullptr;
  int cy = 0, cx = 0, y = 0, x = 0;
  LONG style = 0;
  LPCWSTR lpszName = nullptr;
  LPCWSTR lpszClass = nullptr;
  DWORD dwExStyle = 0;
};

// --- Classes ---------------------------------------------------------------
// Registers a window class by name (case-insensitive). Returns its atom, or
// 0 when the name is empty, already registered, or the procedure is null.
ATOM RegisterClassW(const WNDCLASSW* wc);
// Removes a class; FALSE when it is unknown or windows of it still exist.
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
// Registers one of the platform's own classes (controls, dialogs, menus, the
// shell's bars) with `proc` and nothing else, unless a class of that name
// exists already; registering again is harmless.
namespace win {
void RegisterSystemClass(LPCWSTR className, WNDPROC proc);
}
// Copies a class's registration; FALSE when it is unknown.
BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR className, WNDCLASSW* wc);
// The window's class name, truncated to `maxCount` with its terminator;
// returns the characters copied, 0 on a bad handle or buffer.
int GetClassNameW(HWND hwnd, LPWSTR buffer, int maxCount);

// --- Windows ---------------------------------------------------------------
// Creates a window of a registered class; `menu` is the control id for a
// child. Sends WM_NCCREATE, WM_CREATE (a -1 answer destroys the window and
// returns nullptr) and, for children, WM_PARENTNOTIFY is not sent (the
// handheld does not). Returns nullptr for an unknown class or a dead parent.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
// Destroys the window and its children (children first receive WM_DESTROY
// after their parent, then WM_NCDESTROY, as the platform orders them); the
// handles die at once. FALSE on a bad handle.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
HWND GetParent(HWND hwnd);
// The first child with this control id, or nullptr.
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
// Relatives in creation order (GW_CHILD, GW_HWNDNEXT, GW_HWNDPREV,
// GW_HWNDFIRST, GW_HWNDLAST, GW_OWNER).
HWND GetWindow(HWND hwnd, UINT relation);
BOOL IsChild(HWND parent, HWND hwnd);

LONG GetWindowLongW(HWND hwnd, int index);
// Sets a window long and returns the previous value. GWL_STYLE and
// GWL_EXSTYLE change the bits only: nothing is recalculated or repainted.
LONG SetWindowLongW(HWND hwnd, int index, LONG value);
// Pointer-sized slots (GWL_WNDPROC, GWL_USERDATA, DWL_DLGPROC, DWL_USER,
// DWL_MSGRESULT); the LONG forms above truncate them as on a 32-bit device.
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);

// Window text goes through WM_SETTEXT / WM_GETTEXT / WM_GETTEXTLENGTH, so
// controls can answer them.
BOOL SetWindowTextW(HWND hwnd, LPCWSTR text);
int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount);
int GetWindowTextLengthW(HWND hwnd);
// Convenience for the platform's own code: the whole text.
std::u16string WindowText(HWND hwnd);

// Rectangles: GetWindowRect in screen coordinates, GetClientRect from (0,0).
BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL GetClientRect(HWND hwnd, RECT* rect);
// Moves and sizes in the parent's client coordinates (screen for top-level
// windows); sends WM_MOVE and WM_SIZE when they change.
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);

// Shows or hides (SW_HIDE, SW_SHOW, SW_SHOWNORMAL …); returns whether it was
// visible before. Sends WM_SHOWWINDOW when the state changes.
BOOL ShowWindow(HWND hwnd, int command);
// Visible when it and every ancestor have WS_VISIBLE.
BOOL IsWindowVisible(HWND hwnd);
// Enables or disables (WS_DISABLED) and sends WM_ENABLE on a change; returns
// whether it was disabled before. Disabling the focus window drops focus.
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);

// --- Messages --------------------------------------------------------------
// Calls the window's procedure at once, on this thread, and returns its
// answer; handlers may send further messages and run modal loops inside.
// Returns 0 for a bad handle.
LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The platform's default handling for any window.
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Queues a message for the loop; a null window posts a thread message.
// FALSE for a dead window.
BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Asks every loop to end: the outermost loop returns `exitCode`.
void PostQuitMessage(int exitCode);
// Takes the next message, waiting for input when the queue is empty. Returns
// 0 on WM_QUIT, 1 otherwise, -1 for a null `msg`. When the host reports that no input will ever
// come, it behaves as if PostQuitMessage(0) had been called.
BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
// Looks at (PM_NOREMOVE) or takes (PM_REMOVE) the next message without
// waiting; FALSE when there is none.
BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* msg);
// Delivers a queued message to its window's procedure.
LRESULT DispatchMessageW(const MSG* msg);

// --- Focus, capture, activation --------------------------------------------
// Moves the keyboard focus: WM_KILLFOCUS to the old window, WM_SETFOCUS to
// the new, and activates the new window's top-level window. Returns the
// previous focus window; nullptr (and no change) for a dead or disabled one.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
// Makes a top-level window the active one: WM_ACTIVATE(WA_INACTIVE) to the
// old one, WM_ACTIVATE(WA_ACTIVE) to the new one.
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();

// --- Rectangles --------------------------------------------------------------
// The platform's rectangle helpers; FALSE on a null pointer. An empty
// rectangle has no area (right <= left or bottom <= top).
BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rect);
BOOL IsRectEmpty(const RECT* rect);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL InflateRect(RECT* rect, int dx, int dy);
// The overlap; an empty result (all zero) returns FALSE.
BOOL IntersectRect(RECT* out, const RECT* a, const RECT* b);
// The smallest rectangle holding both (an empty one is ignored).
BOOL UnionRect(RECT* out, const RECT* a, const RECT* b);

// --- Invalidation and painting ---------------------------------------------
// Each window keeps one update rectangle (the union of what was invalidated)
// and whether its background must be erased first. Painting happens when the
// queue is idle: the screen is composed top-level window by top-level window,
// bottom to top, a parent before its children; a window receives
// WM_ERASEBKGND (from BeginPaint) and WM_PAINT only for what is invalid.
//
// Adds `rect` (client coordinates; null = the whole window) to the update
// rectangle; `erase` asks for WM_ERASEBKGND. A null window invalidates the
// whole screen. A hidden window keeps nothing: it is painted whole when it is
// shown. FALSE on a dead handle.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
// Removes `rect` (null = everything) from the update rectangle, as far as
// a rectangle can express it. FALSE on a dead or null handle.
BOOL ValidateRect(HWND hwnd, const RECT* rect);
// The update rectangle in client coordinates (empty when none); with
// `erase`, a pending background erase is done now. Returns whether anything
// is invalid; FALSE on a dead handle.
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
// Paints the window and its descendants now if anything of them is invalid,
// without waiting for the queue. FALSE on a dead handle.
BOOL UpdateWindow(HWND hwnd);
// Starts painting in answer to WM_PAINT: erases the background if pending
// (WM_ERASEBKGND with the paint DC), fills `ps` and validates the window.
// The DC draws in client coordinates, clipped to the update rectangle, the
// window and all its ancestors. nullptr on a dead handle or a null `ps`.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
// Ends painting: releases the DC that BeginPaint gave. FALSE on bad input.
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
// A DC on the window's client area (GetDC) or its whole window rectangle
// (GetWindowDC), clipped to the window and its ancestors; release it with
// ReleaseDC. Drawing through it is kept on screen: windows above it are
// composed again at the next idle turn. nullptr on a dead handle.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
// Returns 1 when the DC came from GetDC/GetWindowDC of this window.
int ReleaseDC(HWND hwnd, HDC hdc);
