// Attaching a host to the window system; see host.h.
#include "host/host.h"

#include "framework/app_state.h"
#include "gdi/surface.h"
#include "sys/system.h"
#include <algorithm>
#include <vector>

#include "win/clipboard.h"
#include "win/icon.h"
#include "win/input.h"
#include "win/queue.h"
#include "win/window_table.h"

namespace host {
namespace {

// The main window's icon (its big one, else its small one) goes to the host
// whenever the window is given another; `shown` remembers the last one.
void ShowMainIcon(Host& host, HICON& shown) {
  HWND main = MainWindow();
  if (!main) return;
  auto icon = reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, ICON_SMALL, 0));
  if (!icon || icon == shown) return;
  shown = icon;
  const std::vector<int> sizes = win::IconSizes(icon);
  if (sizes.empty()) return;
  const win::IconPicture picture = win::IconImage(icon, *std::max_element(sizes.begin(), sizes.end()));
  if (picture.size > 0) host.SetIcon(picture.size, picture.argb);
}

// One idle turn: paint and present, then wait for input and deliver it.
bool IdleTurn(Host& host, const AttachOptions& options, HICON& shownIcon) {
  ShowMainIcon(host, shownIcon);
  if (options.beforePresent) options.beforePresent();
  host.Present(options.frame ? options.frame() : gdi::Screen().pixels());
  std::optional<InputEvent> event = host.WaitEvent(options.waitMs);
  return event ? Deliver(*event) : true;
}

}  // namespace

void Attach(Host& host, AttachOptions options) {
  win::SetIdleHandler([&host, options = std::move(options), shownIcon = HICON{}]() mutable {
    return IdleTurn(host, options, shownIcon);
  });
  AfxSetBusyCursorHook([&host](bool busy) { host.SetBusyCursor(busy); });
  sys::SetBeepHandler([&host](UINT type) { host.Beep(type); });
  win::SetClipboardBridge({[&host](std::u16string_view text) { host.SetClipboardText(text); },
                           [&host] { return host.GetClipboardText(); }});
}

void Detach() {
  win::SetIdleHandler(nullptr);
  AfxSetBusyCursorHook(nullptr);
  sys::SetBeepHandler(nullptr);
  win::SetClipboardBridge({});
}

HWND MainWindow() {
  // The shell's own bars (task bar, soft keyboard) never take activation.
  for (HWND top : win::WindowTable::Get().topLevel())
    if (!GetWindow(top, GW_OWNER) && !(GetWindowLongW(top, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) return top;
  return nullptr;
}

bool Deliver(const InputEvent& event) {
  using Kind = InputEvent::Kind;
  switch (event.kind) {
    case Kind::kStylusDown: win::PostStylus(WM_LBUTTONDOWN, event.point); return true;
    case Kind::kStylusMove: win::PostStylus(WM_MOUSEMOVE, event.point); return true;
    case Kind::kStylusUp: win::PostStylus(WM_LBUTTONUP, event.point); return true;
    case Kind::kKey: win::PostKey(event.virtualKey, event.character); return true;
    case Kind::kText: win::PostText(event.text); return true;
    case Kind::kClose: {
      HWND main = MainWindow();
      return main && PostMessageW(main, WM_CLOSE, 0, 0);
    }
    case Kind::kQuit: return false;
  }
  return false;
}

}  // namespace host
