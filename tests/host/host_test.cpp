// Attaching a host: input from its events reaches the windows, the frame is
// presented when the program waits, and the busy cursor, beep and
// clipboard go through the host.
#include "host/host.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "framework/app_state.h"
#include "shell/shell.h"
#include "small_dialog.h"
#include "win/clipboard.h"
#include "win/queue.h"
#include "win/window_table.h"

namespace {

// A host that plays a list of events and records what it is asked to do.
class ListHost : public host::Host {
 public:
  std::deque<host::InputEvent> events;
  int presented = 0;
  std::vector<bool> busy;
  std::vector<UINT> beeps;
  std::optional<std::u16string> clipboard;

  void Present(std::span<const std::uint32_t> frame) override {
    if (frame.size() == size_t(host::kScreenWidth) * host::kScreenHeight) ++presented;
  }
  std::optional<host::InputEvent> WaitEvent(int) override {
    if (events.empty()) return host::InputEvent{};  // kQuit: nothing more will come
    host::InputEvent e = events.front();
    events.pop_front();
    return e;
  }
  void SetBusyCursor(bool b) override { busy.push_back(b); }
  std::optional<std::u16string> GetClipboardText() override { return clipboard; }
  void SetClipboardText(std::u16string_view text) override { clipboard = std::u16string(text); }
  void Beep(UINT type) override { beeps.push_back(type); }

  void Stylus(host::InputEvent::Kind kind, POINT p) {
    host::InputEvent e;
    e.kind = kind;
    e.point = p;
    events.push_back(e);
  }
};

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win::WindowTable::Get().Reset();
    win::ResetQueue();
  }
  void TearDown() override {
    host::Detach();
    win::ResetClipboard();
    win::WindowTable::Get().Reset();
    win::ResetQueue();
  }
  ListHost fake;
  std::vector<std::uint32_t> frame = std::vector<std::uint32_t>(240 * 320, 0x00FF8000);
};

TEST_F(HostTest, EventsDriveADialogAndCloseEndsIt) {
  host::Attach(fake, {[this] { return std::span<const std::uint32_t>(frame); }, nullptr, 0});
  // The edit field sits at dialog units (10, 10) of a dialog placed at the
  // work area's corner (0, 26): a tap at (30, 50) lands in it.
  fake.Stylus(host::InputEvent::Kind::kStylusDown, {30, 50});
  fake.Stylus(host::InputEvent::Kind::kStylusUp, {30, 50});
  host::InputEvent text;
  text.kind = host::InputEvent::Kind::kText;
  text.text = u"42x";
  fake.events.push_back(text);
  host::InputEvent back;
  back.kind = host::InputEvent::Kind::kKey;
  back.virtualKey = VK_BACK;
  back.character = 0x08;
  fake.events.push_back(back);
  host::InputEvent close;
  close.kind = host::InputEvent::Kind::kClose;
  fake.events.push_back(close);

  SmallDialog dialog;
  EXPECT_EQ(dialog.Run(), IDCANCEL);  // the close request reached the dialog
  EXPECT_EQ(dialog.text, u"42");
  EXPECT_TRUE(fake.events.empty());
  EXPECT_GE(fake.presented, 5);  // once before each event
}

TEST_F(HostTest, BusyCursorBeepAndClipboardGoThroughTheHost) {
  host::Attach(fake);
  AfxBeginWaitCursor();
  AfxEndWaitCursor();
  EXPECT_EQ(fake.busy, (std::vector<bool>{true, false}));
  MessageBeep(MB_ICONHAND);
  EXPECT_EQ(fake.beeps, std::vector<UINT>{MB_ICONHAND});

  EXPECT_TRUE(win::WriteClipboardText(nullptr, u"3.14"));
  EXPECT_EQ(fake.clipboard, u"3.14");
  fake.clipboard = u"from the desktop";
  EXPECT_EQ(win::ReadClipboardText(nullptr), u"from the desktop");

  host::Detach();
  MessageBeep(MB_OK);
  EXPECT_EQ(fake.beeps.size(), 1u);
}

TEST_F(HostTest, CloseWithoutAWindowAndQuitEndTheLoops) {
  host::InputEvent close;
  close.kind = host::InputEvent::Kind::kClose;
  EXPECT_FALSE(host::Deliver(close));
  EXPECT_FALSE(host::Deliver(host::InputEvent{}));
  EXPECT_EQ(host::MainWindow(), nullptr);
  ASSERT_NE(shell::StartShell(), nullptr);  // the task bar is no main window
  EXPECT_EQ(host::MainWindow(), nullptr);
}

}  // namespace
