// The SDL host on a real SDL video driver (the offscreen one when there is
// no display): crisp scaled frames, pen, touch and keys translated, the
// close request, the clipboard and a beep that never fails.
#include "host/sdl/sdl_host.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "sys/system.h"

namespace {

class SdlHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::string error;
    sdl = host::SdlHost::Open(2, "Mensora test", &error);
    if (!sdl) GTEST_SKIP() << "no SDL video: " << error;
  }
  std::unique_ptr<host::SdlHost> sdl;

  SDL_Event Mouse(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
      e.motion.x = x;
      e.motion.y = y;
    } else {
      e.button.button = button;
      e.button.x = x;
      e.button.y = y;
    }
    return e;
  }
};

TEST_F(SdlHostTest, RefusesABadScale) {
  std::string error;
  EXPECT_EQ(host::SdlHost::Open(0, "x", &error), nullptr);
  EXPECT_FALSE(error.empty());
}

TEST_F(SdlHostTest, PresentsTheFrameScaledWithCrispPixels) {
  std::vector<std::uint32_t> frame(240 * 320, RGB(255, 255, 255));
  frame[0] = RGB(255, 0, 0);              // top-left: red
  frame[10 * 240 + 20] = RGB(0, 0, 255);  // (20, 10): blue
  frame[319 * 240 + 239] = RGB(0, 128, 0);
  sdl->Present(frame);
  std::vector<std::uint32_t> window = sdl->Snapshot();
  ASSERT_EQ(window.size(), size_t(480 * 640));
  auto at = [&](int x, int y) { return window[size_t(y) * 480 + size_t(x)] & 0xFFFFFF; };
  for (int dy = 0; dy < 2; ++dy)
    for (int dx = 0; dx < 2; ++dx) {
      EXPECT_EQ(at(dx, dy), RGB(255, 0, 0));
      EXPECT_EQ(at(40 + dx, 20 + dy), RGB(0, 0, 255));
      EXPECT_EQ(at(478 + dx, 638 + dy), RGB(0, 128, 0));
    }
  EXPECT_EQ(at(2, 0), RGB(255, 255, 255));  // no blending into the neighbour
  EXPECT_EQ(at(42, 20), RGB(255, 255, 255));
}

TEST_F(SdlHostTest, MouseAndTouchAreThePen) {
  using Kind = host::InputEvent::Kind;
  EXPECT_FALSE(sdl->Translate(Mouse(SDL_MOUSEMOTION, 10, 10)));  // hovering is nothing
  auto down = sdl->Translate(Mouse(SDL_MOUSEBUTTONDOWN, 101, 61));
  ASSERT_TRUE(down);
  EXPECT_EQ(down->kind, Kind::kStylusDown);
  EXPECT_EQ(down->point.x, 50);
  EXPECT_EQ(down->point.y, 30);
  auto move = sdl->Translate(Mouse(SDL_MOUSEMOTION, 2000, -5));
  ASSERT_TRUE(move);
  EXPECT_EQ(move->kind, Kind::kStylusMove);
  EXPECT_EQ(move->point.x, 239);  // held to the screen
  EXPECT_EQ(move->point.y, 0);
  EXPECT_FALSE(sdl->Translate(Mouse(SDL_MOUSEBUTTONUP, 0, 0, SDL_BUTTON_RIGHT)));
  auto up = sdl->Translate(Mouse(SDL_MOUSEBUTTONUP, 0, 0));
  ASSERT_TRUE(up);
  EXPECT_EQ(up->kind, Kind::kStylusUp);

  SDL_Event finger{};
  finger.type = SDL_FINGERDOWN;
  finger.tfinger.fingerId = 7;
  finger.tfinger.x = 0.5f;
  finger.tfinger.y = 0.25f;
  auto touch = sdl->Translate(finger);
  ASSERT_TRUE(touch);
  EXPECT_EQ(touch->kind, Kind::kStylusDown);
  EXPECT_EQ(touch->point.x, 120);
  EXPECT_EQ(touch->point.y, 80);
  finger.tfinger.fingerId = 8;  // a second finger is ignored
  EXPECT_FALSE(sdl->Translate(finger));
  finger.type = SDL_FINGERUP;
  finger.tfinger.fingerId = 7;
  EXPECT_EQ(sdl->Translate(finger)->kind, Kind::kStylusUp);
}

// A click that travels through SDL's own queue, as a real one does, lands on
// the handheld point under it: window pixels divided by the scale, once.
TEST_F(SdlHostTest, AQueuedClickLandsUnderThePointer) {
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  SDL_Event down = Mouse(SDL_MOUSEBUTTONDOWN, 300, 464);
  down.button.windowID = SDL_GetWindowID(sdl->window());
  down.button.state = SDL_PRESSED;
  SDL_PushEvent(&down);
  auto pen = sdl->WaitEvent(1000);
  ASSERT_TRUE(pen);
  EXPECT_EQ(pen->kind, host::InputEvent::Kind::kStylusDown);
  EXPECT_EQ(pen->point.x, 150);
  EXPECT_EQ(pen->point.y, 232);
}

TEST_F(SdlHostTest, KeysTextAndClose) {
  using Kind = host::InputEvent::Kind;
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_RETURN;
  auto enter = sdl->Translate(key);
  ASSERT_TRUE(enter);
  EXPECT_EQ(enter->kind, Kind::kKey);
  EXPECT_EQ(enter->virtualKey, UINT(VK_RETURN));
  EXPECT_EQ(enter->character, u'\r');
  key.key.keysym.sym = SDLK_LEFT;
  EXPECT_EQ(sdl->Translate(key)->virtualKey, UINT(VK_LEFT));
  key.key.keysym.sym = SDLK_a;  // letters arrive as text
  EXPECT_FALSE(sdl->Translate(key));
  key.key.keysym.sym = SDLK_v;  // Ctrl+V: the control character that pastes
  key.key.keysym.mod = KMOD_LCTRL;
  auto paste = sdl->Translate(key);
  ASSERT_TRUE(paste);
  EXPECT_EQ(paste->virtualKey, UINT('V'));
  EXPECT_EQ(paste->character, char16_t(0x16));

  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  SDL_strlcpy(text.text.text, "\xc3\xa9" "5", sizeof text.text.text);
  auto typed = sdl->Translate(text);
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->text, u"é5");

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  auto close = sdl->WaitEvent(1000);
  ASSERT_TRUE(close);
  EXPECT_EQ(close->kind, Kind::kClose);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  EXPECT_FALSE(sdl->WaitEvent(5));
}

TEST_F(SdlHostTest, ClipboardCursorAndBeep) {
  sdl->SetClipboardText(u"12.5 °C");
  EXPECT_EQ(sdl->GetClipboardText(), u"12.5 °C");
  sdl->SetBusyCursor(true);
  EXPECT_TRUE(sdl->busyCursorShown());
  sdl->SetBusyCursor(false);
  EXPECT_FALSE(sdl->busyCursorShown());
  sdl->Beep(MB_ICONHAND);  // with or without a sound device, never fails
  sdl->Beep(0xFFFFFFFF);
}

}  // namespace
