// The platform clipboard for text: one store per process, opened by one
// window at a time, holding CF_UNICODETEXT as a memory handle. A host can
// bridge it to the desktop's clipboard so that text crosses both ways.
//
// Ownership of a data handle: the caller owns a handle from
// win::NewClipboardText until SetClipboardData accepts it; from then on the
// system owns it and frees it when the clipboard is emptied or the format is
// set again. A handle returned by GetClipboardData stays the system's: read
// it, never free it, and do not keep it past CloseClipboard.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "win/winuser.h"

inline constexpr LONG ERROR_CLIPBOARD_NOT_OPEN = 1418;

// Opens the clipboard for `owner` (may be null). FALSE when another window
// holds it open; opening again by the window that holds it succeeds.
BOOL OpenClipboard(HWND owner);
// Closes it; FALSE (ERROR_CLIPBOARD_NOT_OPEN) when it was not open.
BOOL CloseClipboard();
// Frees every format and makes the opener the owner; FALSE when the
// clipboard is not open.
BOOL EmptyClipboard();
// Puts a data handle on the clipboard for `format` and takes it over (see
// ownership above); returns it. nullptr when the clipboard is not open, the
// handle is null (delayed rendering is not supported) or not a text handle.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The handle held for `format`, nullptr when there is none or the clipboard
// is not open.
HANDLE GetClipboardData(UINT format);
// Whether `format` is on the clipboard; needs no open clipboard.
BOOL IsClipboardFormatAvailable(UINT format);
// The window that last emptied the clipboard, or nullptr.
HWND GetClipboardOwner();

namespace win {

// A new text handle owned by the caller (see ownership above).
HANDLE NewClipboardText(std::u16string_view text);
// The text of a text handle; nullptr for anything else.
const std::u16string* ClipboardTextOf(HANDLE data);
// Frees a text handle the caller still owns; ignores unknown handles and
// handles the clipboard holds.
void FreeClipboardText(HANDLE data);

// Convenience for the platform's own controls: the clipboard's text, or
// nullopt when it holds none or cannot be opened; and putting text on it
// (FALSE when it cannot be opened).
std::optional<std::u16string> ReadClipboardText(HWND opener);
BOOL WriteClipboardText(HWND opener, std::u16string_view text);

// The desktop side of the clipboard. `publish` receives text set for
// CF_UNICODETEXT; `fetch` is asked for the desktop's current text whenever
// the product looks at the clipboard, and what it returns (if anything)
// replaces the text held here. Either may be empty.
struct ClipboardBridge {
  std::function<void(std::u16string_view)> publish;
  std::function<std::optional<std::u16string>()> fetch;
};
void SetClipboardBridge(ClipboardBridge bridge);

// Empties and closes the clipboard and forgets the bridge (for tests).
void ResetClipboard();

}  // namespace win
