// The desktop host: the handheld's screen in an SDL2 window, scaled by a
// whole number with crisp pixels; the mouse and touch as the pen; the
// keyboard as keys and typed text; SDL's clipboard, wait cursor and audio.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/host.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Cursor;
union SDL_Event;

namespace host {

class SdlHost : public Host {
 public:
  // Opens a window of 240 * scale x 320 * scale pixels titled `title`.
  // Returns nullptr with *error set (when not null) when the scale is not
  // in 1..8 or SDL cannot start its video or make the window. Without an
  // audio device the host still opens; its beeps ring the terminal bell.
  static std::unique_ptr<SdlHost> Open(int scale, const std::string& title, std::string* error);
  ~SdlHost() override;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  void Present(std::span<const std::uint32_t> frame) override;
  std::optional<InputEvent> WaitEvent(int timeoutMs) override;
  void SetBusyCursor(bool busy) override;
  std::optional<std::u16string> GetClipboardText() override;
  void SetClipboardText(std::u16string_view text) override;
  void Beep(UINT type) override;
  void SetIcon(int size, std::span<const std::uint32_t> argb) override;

  // What one SDL event means to the handheld; nullopt for events it
  // ignores (hover, other buttons, unmapped keys, window events).
  std::optional<InputEvent> Translate(const SDL_Event& event);
  // The desktop window itself (for tests that address events to it).
  SDL_Window* window() const { return window_; }

  // The window's pixels as last presented (scaled), rows from the top,
  // 0x00BBGGRR; empty when nothing was presented or reading back failed.
  std::vector<std::uint32_t> Snapshot();

  int scale() const { return scale_; }
  bool hasAudio() const { return audio_ != 0; }
  bool busyCursorShown() const { return busy_; }

 private:
  SdlHost() = default;
  void Render();
  POINT ScreenPoint(int windowX, int windowY) const;

  int scale_ = 2;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Cursor* arrow_ = nullptr;
  SDL_Cursor* wait_ = nullptr;
  std::uint32_t audio_ = 0;  // SDL_AudioDeviceID, 0 without audio
  std::vector<std::uint32_t> lastFrame_;
  bool penDown_ = false;
  long long finger_ = -1;  // the touch that acts as the pen, -1 for none
  bool busy_ = false;
};

}  // namespace host
