// Attaching a host to the window system; see host.h.
#include "host/host.h"

#include "framework/app_state.h"
#include "gdi/surface.h"
#include "sys/system.h"
#include "win/clipboard.h"
#include "win/input.h"
#include "win/queue.h"
#include "win/window_table.h"

namespace host {
namespace {

// One idle turn: paint and present, then wait for input and deliver it.
bool IdleTurn(Host& host, const AttachOptions& options) {
  if (options.beforePresent) options.beforePresent();
  host.Present(options.frame ? options.frame() : gdi::Screen().pixels());
  std::optional<InputEvent> event = host.WaitEvent(options.waitMs);
  return event ? Deliver(*event) : true;
}

}  // namespace

void Attach(Host& host, AttachOptions options) {
  win::SetIdleHandler([&host, options = std::move(options)] { return IdleTurn(host, options); });
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
