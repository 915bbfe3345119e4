// The test robot and the window tree dump; see robot.h.
#include "host/headless/robot.h"

#include <cstdio>

#include "base/ascii_case.h"
#include "base/utf.h"
#include "shell/command_bar.h"
#include "shell/soft_keyboard.h"
#include "shell/task_bar.h"
#include "sys/system.h"
#include "win/controls/button.h"
#include "win/controls/combobox.h"
#include "win/input.h"
#include "win/menu.h"
#include "win/queue.h"
#include "win/window_table.h"

namespace host {

Robot::Robot() {
  win::SetIdleHandler([this] { return RunNextStep(); });
}

Robot::~Robot() {
  win::SetIdleHandler(nullptr);
  if (ownsClock_) sys::SetClock(nullptr);
}

void Robot::AdvanceClock(int seconds) {
  if (!ownsClock_) {
    now_ = sys::NowSeconds();
    sys::SetClock([this] { return now_; });
    ownsClock_ = true;
  }
  now_ += seconds;
}

bool Robot::RunNextStep() {
  if (next_ >= steps_.size()) {
    if (stayAlive_) Fail("the program waits for input after the last step");
    return false;
  }
  Step& step = steps_[next_++];
  step.run();
  return true;
}

Robot& Robot::Add(std::string name, std::function<void()> step) {
  steps_.push_back({std::move(name), std::move(step)});
  return *this;
}

Robot& Robot::Press(POINT p) {
  return Add("press", [p] { win::PostStylus(WM_LBUTTONDOWN, p); });
}
Robot& Robot::Move(POINT p) {
  return Add("move", [p] { win::PostStylus(WM_MOUSEMOVE, p); });
}
Robot& Robot::Release(POINT p) {
  return Add("release", [p] { win::PostStylus(WM_LBUTTONUP, p); });
}
Robot& Robot::Tap(POINT p) { return Press(p).Release(p); }

HWND Robot::FindControl(int id) {
  std::function<HWND(HWND)> search = [&](HWND parent) -> HWND {
    if (HWND direct = GetDlgItem(parent, id)) return direct;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (HWND found = search(child)) return found;
    return nullptr;
  };
  HWND active = GetActiveWindow();
  return active ? search(active) : nullptr;
}

namespace {
POINT Centre(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
}  // namespace

Robot& Robot::PressControl(int id) {
  return Add("press control " + std::to_string(id), [this, id] {
    HWND control = FindControl(id);
    if (!control || !IsWindowVisible(control)) return Fail("no visible control " + std::to_string(id));
    win::PostStylus(WM_LBUTTONDOWN, Centre(control));
  });
}

Robot& Robot::ReleaseControl(int id) {
  // The release goes where the pen is, which is where the control was when
  // pressed; if it has gone (a dialog closed), the point still counts.
  auto where = std::make_shared<POINT>();
  return Add("release control " + std::to_string(id), [this, id, where] {
    HWND control = FindControl(id);
    if (control) *where = Centre(control);
    win::PostStylus(WM_LBUTTONUP, *where);
  });
}

Robot& Robot::TapControl(int id) {
  auto where = std::make_shared<POINT>();
  Add("tap control " + std::to_string(id), [this, id, where] {
    HWND control = FindControl(id);
    if (!control || !IsWindowVisible(control)) return Fail("no visible control " + std::to_string(id));
    *where = Centre(control);
    win::PostStylus(WM_LBUTTONDOWN, *where);
  });
  return Add("release", [where] { win::PostStylus(WM_LBUTTONUP, *where); });
}

Robot& Robot::Hold(POINT p, int seconds) {
  // The robot's clock runs from before the press, so the press and the
  // release are exactly `seconds` apart.
  Add("clock", [this] { AdvanceClock(0); });
  Press(p);
  Add("hold", [this, seconds] { AdvanceClock(seconds); });
  return Release(p);
}

Robot& Robot::HoldControl(int id, int seconds) {
  Add("clock", [this] { AdvanceClock(0); });
  PressControl(id);
  Add("hold", [this, seconds] { AdvanceClock(seconds); });
  return ReleaseControl(id);
}

Robot& Robot::TapFound(std::string name, std::function<bool(POINT&)> find) {
  auto where = std::make_shared<POINT>();
  Add(name, [this, name, find, where] {
    if (!find(*where)) return Fail("nothing to " + name);
    win::PostStylus(WM_LBUTTONDOWN, *where);
  });
  return Add("release", [where] { win::PostStylus(WM_LBUTTONUP, *where); });
}

namespace {

POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

bool IsClass(HWND hwnd, std::u16string_view name) {
  char16_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  return base::FoldAscii(cls) == base::FoldAscii(name);
}

// The visible command bars, the active window's first, then those of the
// other top-level windows from the top of the screen down.
std::vector<HWND> CommandBars() {
  std::vector<HWND> tops{GetActiveWindow()};
  const auto& order = win::WindowTable::Get().topLevel();
  tops.insert(tops.end(), order.rbegin(), order.rend());
  std::vector<HWND> bars;
  for (HWND top : tops)
    for (HWND child = GetWindow(top, GW_CHILD); top && child; child = GetWindow(child, GW_HWNDNEXT))
      if (IsClass(child, kCommandBarClass) && IsWindowVisible(child)) bars.push_back(child);
  return bars;
}

// The centre of the first command bar part that `match` accepts.
bool FindBarPart(const std::function<bool(const shell::CommandBarPart&)>& match, POINT& out) {
  for (HWND bar : CommandBars()) {
    for (const auto& part : shell::CommandBarParts(bar)) {
      if (!match(part)) continue;
      out = CentreOf(part.rect);
      ClientToScreen(bar, &out);
      return true;
    }
  }
  return false;
}

}  // namespace

Robot& Robot::TapMenuBar(std::u16string_view text) {
  return TapFound("tap menu " + base::ToUtf8(text), [t = std::u16string(text)](POINT& p) {
    return FindBarPart([&](const auto& part) { return part.kind == shell::CommandBarPart::Kind::kMenu && part.text == t; }, p);
  });
}

Robot& Robot::TapClose() {
  return TapFound("tap close", [](POINT& p) {
    return FindBarPart([](const auto& part) { return part.kind == shell::CommandBarPart::Kind::kClose; }, p);
  });
}

Robot& Robot::TapMenuItem(std::u16string_view text) {
  return TapFound("tap menu item " + base::ToUtf8(text), [t = std::u16string(text)](POINT& p) {
    const auto& order = win::WindowTable::Get().topLevel();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
      RECT r;
      if (IsClass(*it, kPopupMenuClass) && IsWindowVisible(*it) && win::PopupItemRect(*it, t, &r)) {
        p = CentreOf(r);
        return true;
      }
    }
    return false;
  });
}

Robot& Robot::TapOk() {
  return TapFound("tap ok", [](POINT& p) {
    shell::TaskBarLook look = shell::LookOfTaskBar();
    if (!shell::TaskBar() || !look.ok) return false;
    p = CentreOf(look.okRect);
    ClientToScreen(shell::TaskBar(), &p);
    return true;
  });
}

Robot& Robot::TapSoftKey(std::u16string_view label) {
  return TapFound("tap key " + base::ToUtf8(label), [l = std::u16string(label)](POINT& p) {
    HWND panel = shell::SoftKeyboard();
    if (!panel || !IsWindowVisible(panel)) return false;
    for (const auto& key : shell::SoftKeys()) {
      if (key.label != l) continue;
      p = CentreOf(key.rect);
      ClientToScreen(panel, &p);
      return true;
    }
    return false;
  });
}

Robot& Robot::Key(UINT vk, char16_t c) {
  return Add("key", [this, vk, c] {
    if (!win::PostKey(vk, c)) Fail("a key with no focus window");
  });
}

Robot& Robot::Type(std::u16string_view text) {
  return Add("type", [this, t = std::u16string(text)] {
    if (!win::PostText(t)) Fail("text with no focus window");
  });
}

Robot& Robot::Do(std::function<void()> step) { return Add("check", std::move(step)); }

Robot& Robot::ExpectActive(std::u16string_view title) {
  return Add("expect active", [this, t = std::u16string(title)] {
    std::u16string actual = WindowText(GetActiveWindow());
    if (actual != t)
      Fail("active window is '" + base::ToUtf8(actual) + "', expected '" + base::ToUtf8(t) + "'");
  });
}

namespace {

// What a control has selected, as the dump shows it.
std::string SelectionOf(HWND hwnd) {
  char text[48] = "";
  if (IsClass(hwnd, u"EDIT")) {
    DWORD start = 0, end = 0;
    SendMessageW(hwnd, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    std::snprintf(text, sizeof text, " sel=%u..%u", unsigned(start), unsigned(end));
  } else if (IsClass(hwnd, u"COMBOBOX")) {
    std::snprintf(text, sizeof text, " cur=%d", int(SendMessageW(hwnd, CB_GETCURSEL, 0, 0)));
  } else if (IsClass(hwnd, u"SysListView32")) {
    std::snprintf(text, sizeof text, " cur=%d",
                  int(SendMessageW(hwnd, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)));
  } else if (IsClass(hwnd, u"BUTTON")) {
    DWORD type = DWORD(GetWindowLongW(hwnd, GWL_STYLE)) & BS_TYPEMASK;
    bool checkable = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                     type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    if (checkable && SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
      std::snprintf(text, sizeof text, " checked");
  }
  return text;
}

void DumpOne(HWND hwnd, int depth, std::string& out) {
  char16_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  RECT r;
  GetWindowRect(hwnd, &r);
  char line[256];
  std::snprintf(line, sizeof line, "%*s%s #%d \"%s\" (%d,%d)-(%d,%d)%s%s%s%s\n", depth * 2, "",
                base::ToUtf8(cls).c_str(), GetDlgCtrlID(hwnd),
                base::ToUtf8(WindowText(hwnd)).substr(0, 60).c_str(), int(r.left), int(r.top),
                int(r.right), int(r.bottom),
                (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) ? "" : " hidden",
                IsWindowEnabled(hwnd) ? "" : " disabled", GetFocus() == hwnd ? " focus" : "",
                GetActiveWindow() == hwnd ? " active" : "");
  out += line;
  out.insert(out.size() - 1, SelectionOf(hwnd));
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    DumpOne(child, depth + 1, out);
}

}  // namespace

std::string DumpWindowTree(HWND root) {
  std::string out;
  if (root) {
    DumpOne(root, 0, out);
  } else {
    for (HWND top : win::WindowTable::Get().topLevel()) DumpOne(top, 0, out);
  }
  return out;
}

}  // namespace host
