// The test robot and the window tree dump; see robot.h.
#include "host/headless/robot.h"

#include <cstdio>

#include "base/utf.h"
#include "win/input.h"
#include "win/queue.h"
#include "win/window_table.h"

namespace host {

Robot::Robot() {
  win::SetIdleHandler([this] { return RunNextStep(); });
}

Robot::~Robot() { win::SetIdleHandler(nullptr); }

void Robot::Fail(std::string message) {
  errors_.push_back(running_.empty() ? std::move(message) : running_ + ": " + message);
}

bool Robot::RunNextStep() {
  if (stopOnError_ && !errors_.empty()) return false;
  if (next_ >= steps_.size()) {
    if (stayAlive_) Fail("the program waits for input after the last step");
    return false;
  }
  Step& step = steps_[next_++];
  running_ = step.label;
  step.run();
  running_.clear();
  return true;
}

Robot& Robot::Add(std::string name, std::function<void()> step) {
  steps_.push_back({std::move(name), std::move(step), label_});
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
