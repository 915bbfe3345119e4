// The SDL2 desktop host; see sdl_host.h.
#include "host/sdl/sdl_host.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/utf.h"
#include "sys/system.h"

namespace host {
namespace {

constexpr int kAudioRate = 22050;

// The keys the handheld has, with the character each types.
struct KeyRow {
  SDL_Keycode sdl;
  UINT vk;
  char16_t character;
};
constexpr KeyRow kKeys[] = {
    {SDLK_LEFT, VK_LEFT, 0},         {SDLK_RIGHT, VK_RIGHT, 0},
    {SDLK_UP, VK_UP, 0},             {SDLK_DOWN, VK_DOWN, 0},
    {SDLK_HOME, VK_HOME, 0},         {SDLK_END, VK_END, 0},
    {SDLK_TAB, VK_TAB, u'\t'},       {SDLK_RETURN, VK_RETURN, u'\r'},
    {SDLK_KP_ENTER, VK_RETURN, u'\r'}, {SDLK_ESCAPE, VK_ESCAPE, 0x1B},
    {SDLK_BACKSPACE, VK_BACK, 0x08}, {SDLK_DELETE, VK_DELETE, 0},
};

// A tone per sound type: frequency in Hz and length in milliseconds.
struct Tone {
  int hz;
  int ms;
};
Tone ToneOf(UINT type) {
  switch (type) {
    case MB_ICONHAND: return {330, 250};
    case MB_ICONQUESTION: return {660, 120};
    case MB_ICONEXCLAMATION: return {523, 180};
    case MB_ICONASTERISK: return {784, 120};
    default: return {880, 100};
  }
}

InputEvent Stylus(InputEvent::Kind kind, POINT p) {
  InputEvent e;
  e.kind = kind;
  e.point = p;
  return e;
}

}  // namespace

std::unique_ptr<SdlHost> SdlHost::Open(int scale, const std::string& title, std::string* error) {
  auto fail = [error](std::string why) {
    if (error) *error = std::move(why);
    return nullptr;
  };
  if (scale < 1 || scale > 8) return fail("the scale must be a whole number from 1 to 8");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return fail(std::string("SDL video: ") + SDL_GetError());

  std::unique_ptr<SdlHost> host(new SdlHost);
  host->scale_ = scale;
  host->window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   kScreenWidth * scale, kScreenHeight * scale, 0);
  if (!host->window_) return fail(std::string("SDL window: ") + SDL_GetError());
  host->renderer_ = SDL_CreateRenderer(host->window_, -1, 0);
  if (!host->renderer_) return fail(std::string("SDL renderer: ") + SDL_GetError());
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");  // nearest neighbour: crisp pixels
  // No logical size: with one, SDL would rewrite every mouse event into
  // screen coordinates on its own, and ScreenPoint would divide them again.
  host->texture_ = SDL_CreateTexture(host->renderer_, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING,
                                     kScreenWidth, kScreenHeight);
  if (!host->texture_) return fail(std::string("SDL texture: ") + SDL_GetError());
  host->arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  host->wait_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
  SDL_StartTextInput();

  // Sound is optional: a machine without an audio device still runs. The
  // sound library writes its configuration complaints straight to stderr on
  // machines without a sound card, so the opening is done with stderr quiet.
  const int savedStderr = ::dup(2);
  const int devNull = ::open("/dev/null", O_WRONLY);
  if (savedStderr >= 0 && devNull >= 0) ::dup2(devNull, 2);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    SDL_AudioSpec want{};
    want.freq = kAudioRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 1024;
    host->audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (host->audio_) SDL_PauseAudioDevice(host->audio_, 0);
  }
  if (savedStderr >= 0 && devNull >= 0) ::dup2(savedStderr, 2);
  if (devNull >= 0) ::close(devNull);
  if (savedStderr >= 0) ::close(savedStderr);
  return host;
}

SdlHost::~SdlHost() {
  if (audio_) SDL_CloseAudioDevice(audio_);
  if (arrow_) SDL_FreeCursor(arrow_);
  if (wait_) SDL_FreeCursor(wait_);
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  SDL_StopTextInput();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlHost::Render() {
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_Rect screen{0, 0, kScreenWidth * scale_, kScreenHeight * scale_};
  SDL_RenderCopy(renderer_, texture_, nullptr, &screen);
}

void SdlHost::Present(std::span<const std::uint32_t> frame) {
  if (frame.size() != size_t(kScreenWidth) * kScreenHeight) return;
  if (std::equal(frame.begin(), frame.end(), lastFrame_.begin(), lastFrame_.end())) return;  // unchanged
  lastFrame_.assign(frame.begin(), frame.end());
  SDL_UpdateTexture(texture_, nullptr, lastFrame_.data(), kScreenWidth * 4);
  Render();
  SDL_RenderPresent(renderer_);
}

std::vector<std::uint32_t> SdlHost::Snapshot() {
  if (lastFrame_.empty()) return {};
  Render();
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  std::vector<std::uint32_t> pixels(size_t(w) * size_t(h));
  SDL_Rect all{0, 0, w, h};
  int read = SDL_RenderReadPixels(renderer_, &all, SDL_PIXELFORMAT_XBGR8888, pixels.data(), w * 4);
  if (read != 0) return {};
  return pixels;
}

void SdlHost::SetIcon(int size, std::span<const std::uint32_t> argb) {
  if (size <= 0 || argb.size() != std::size_t(size) * std::size_t(size)) return;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(argb.data()), size, size, 32, size * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return;
  SDL_SetWindowIcon(window_, surface);  // SDL copies the pixels
  SDL_FreeSurface(surface);
}

POINT SdlHost::ScreenPoint(int windowX, int windowY) const {
  return {std::clamp(windowX / scale_, 0, kScreenWidth - 1), std::clamp(windowY / scale_, 0, kScreenHeight - 1)};
}

std::optional<InputEvent> SdlHost::Translate(const SDL_Event& e) {
  using Kind = InputEvent::Kind;
  switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
      if (e.button.button != SDL_BUTTON_LEFT || e.button.which == SDL_TOUCH_MOUSEID) return std::nullopt;
      penDown_ = true;
      return Stylus(Kind::kStylusDown, ScreenPoint(e.button.x, e.button.y));
    case SDL_MOUSEBUTTONUP:
      if (e.button.button != SDL_BUTTON_LEFT || e.button.which == SDL_TOUCH_MOUSEID || !penDown_)
        return std::nullopt;
      penDown_ = false;
      return Stylus(Kind::kStylusUp, ScreenPoint(e.button.x, e.button.y));
    case SDL_MOUSEMOTION:  // a pen only moves while it touches the screen
      if (!penDown_ || e.motion.which == SDL_TOUCH_MOUSEID) return std::nullopt;
      return Stylus(Kind::kStylusMove, ScreenPoint(e.motion.x, e.motion.y));
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: {
      if (e.type == SDL_FINGERDOWN && finger_ < 0) finger_ = e.tfinger.fingerId;
      if (e.tfinger.fingerId != finger_) return std::nullopt;
      POINT p{std::clamp(LONG(e.tfinger.x * kScreenWidth), LONG(0), LONG(kScreenWidth - 1)),
              std::clamp(LONG(e.tfinger.y * kScreenHeight), LONG(0), LONG(kScreenHeight - 1))};
      if (e.type == SDL_FINGERUP) finger_ = -1;
      Kind kind = e.type == SDL_FINGERDOWN ? Kind::kStylusDown
                  : e.type == SDL_FINGERUP ? Kind::kStylusUp
                                           : Kind::kStylusMove;
      return Stylus(kind, p);
    }
    case SDL_KEYDOWN:
      // Ctrl+C, Ctrl+V and Ctrl+X reach the edit fields as their control
      // characters, as the handheld's keyboard sends them.
      if ((e.key.keysym.mod & KMOD_CTRL) && e.key.keysym.sym >= SDLK_a && e.key.keysym.sym <= SDLK_z) {
        InputEvent control;
        control.kind = Kind::kKey;
        control.virtualKey = UINT('A' + (e.key.keysym.sym - SDLK_a));
        control.character = char16_t(1 + (e.key.keysym.sym - SDLK_a));
        return control;
      }
      for (const KeyRow& k : kKeys) {
        if (k.sdl != e.key.keysym.sym) continue;
        InputEvent key;
        key.kind = Kind::kKey;
        key.virtualKey = k.vk;
        key.character = k.character;
        return key;
      }
      return std::nullopt;
    case SDL_TEXTINPUT: {
      std::optional<std::u16string> text = base::FromUtf8(e.text.text);
      if (!text || text->empty()) return std::nullopt;
      InputEvent typed;
      typed.kind = Kind::kText;
      typed.text = std::move(*text);
      return typed;
    }
    case SDL_QUIT: {
      InputEvent close;
      close.kind = Kind::kClose;
      return close;
    }
    default: return std::nullopt;
  }
}

std::optional<InputEvent> SdlHost::WaitEvent(int timeoutMs) {
  const Uint64 end = SDL_GetTicks64() + Uint64(std::max(timeoutMs, 0));
  SDL_Event e;
  for (;;) {
    Uint64 now = SDL_GetTicks64();
    int left = now >= end ? 0 : int(end - now);
    if (!SDL_WaitEventTimeout(&e, left)) return std::nullopt;
    if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_EXPOSED && !lastFrame_.empty()) {
      Render();
      SDL_RenderPresent(renderer_);
    }
    if (std::optional<InputEvent> event = Translate(e)) return event;
    if (left == 0) return std::nullopt;
  }
}

void SdlHost::SetBusyCursor(bool busy) {
  busy_ = busy;
  if (SDL_Cursor* cursor = busy ? wait_ : arrow_) SDL_SetCursor(cursor);
}

std::optional<std::u16string> SdlHost::GetClipboardText() {
  if (!SDL_HasClipboardText()) return std::nullopt;
  char* utf8 = SDL_GetClipboardText();
  if (!utf8) return std::nullopt;
  std::optional<std::u16string> text = base::FromUtf8(utf8);
  SDL_free(utf8);
  return text;
}

void SdlHost::SetClipboardText(std::u16string_view text) { SDL_SetClipboardText(base::ToUtf8(text).c_str()); }

void SdlHost::Beep(UINT type) {
  if (!audio_) {
    std::fputc('\a', stderr);  // the terminal bell
    std::fflush(stderr);
    return;
  }
  Tone tone = ToneOf(type);
  std::vector<Sint16> samples(size_t(kAudioRate * tone.ms / 1000));
  const int period = std::max(2, kAudioRate / tone.hz);
  for (size_t i = 0; i < samples.size(); ++i)  // a soft square wave
    samples[i] = Sint16(int(i % size_t(period)) < period / 2 ? 4000 : -4000);
  SDL_QueueAudio(audio_, samples.data(), Uint32(samples.size() * sizeof(Sint16)));
}

}  // namespace host
