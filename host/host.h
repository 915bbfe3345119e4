// The host: how the handheld's screen, pen, keys, clipboard, busy cursor and
// speaker reach a person (a desktop window) or nobody (a scripted run).
// Attach connects one host to the window system: when the message queue is
// empty it presents the current frame and waits for the host's next input.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "win/winuser.h"

namespace host {

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 320;

// One piece of input from the host.
struct InputEvent {
  enum class Kind {
    kStylusDown,  // pen down at `point` (screen coordinates)
    kStylusMove,  // pen moved while down
    kStylusUp,    // pen lifted
    kKey,         // a key: `virtualKey` (VK_*), and `character` when it types one
    kText,        // typed text (an input method's characters)
    kClose,       // the person closed the desktop window
    kQuit,        // no input will ever come again
  };
  Kind kind = Kind::kQuit;
  POINT point{};
  UINT virtualKey = 0;
  char16_t character = 0;
  std::u16string text;
};

class Host {
 public:
  virtual ~Host() = default;

  // Shows one frame: kScreenWidth x kScreenHeight pixels, rows from the top,
  // each 0x00BBGGRR (COLORREF). A frame of another size is ignored.
  virtual void Present(std::span<const std::uint32_t> frame) = 0;
  // The next input, waiting at most `timeoutMs` milliseconds; nullopt when
  // none came in that time.
  virtual std::optional<InputEvent> WaitEvent(int timeoutMs) = 0;
  // Shows the busy cursor (true) or the normal one (false).
  virtual void SetBusyCursor(bool busy) = 0;
  // The desktop clipboard's text, nullopt when it holds none.
  virtual std::optional<std::u16string> GetClipboardText() = 0;
  virtual void SetClipboardText(std::u16string_view text) = 0;
  // Plays the sound of a MessageBeep type; never fails (silence at worst).
  virtual void Beep(UINT type) = 0;
  // Shows `argb` (size x size pixels, rows from the top, 0xAARRGGBB) as the
  // program's icon where the host has one (a desktop window's); the default
  // has nowhere to show it.
  virtual void SetIcon(int size, std::span<const std::uint32_t> argb) { (void)size, (void)argb; }
};

struct AttachOptions {
  // The frame to present on each idle turn; empty presents the framebuffer
  // (gdi::Screen).
  std::function<std::span<const std::uint32_t>()> frame;
  // Runs before presenting (the window system's pending painting).
  std::function<void()> beforePresent;
  // How long one idle turn waits for input before presenting again.
  int waitMs = 50;
};

// Connects `host` to the window system: the queue's idle handler, the busy
// cursor hook, the beep handler and the clipboard bridge. The host must
// outlive the attachment; Detach (or another Attach) undoes it.
void Attach(Host& host, AttachOptions options = {});
void Detach();

// Hands one event to the window system as the idle handler does: stylus
// and keys to the windows (win/input.h), kClose as WM_CLOSE to the main
// window. Returns false for kQuit, and for kClose when there is no main
// window, which ends the message loops.
bool Deliver(const InputEvent& event);

// The program's main window: the lowest top-level window that has no owner
// and can be activated (not one of the shell's bars); nullptr when there is
// none.
HWND MainWindow();

}  // namespace host
