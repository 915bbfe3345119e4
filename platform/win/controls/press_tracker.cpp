// Press-and-release tracking; see press_tracker.h.
#include "win/controls/press_tracker.h"

namespace win {

bool PressTracker::Inside(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool PressTracker::Down(HWND hwnd, POINT point, const RECT& part) {
  if (!Inside(part, point)) return false;
  part_ = part;
  tracking_ = true;
  pressed_ = true;
  SetCapture(hwnd);
  return true;
}

bool PressTracker::Move(POINT point) {
  if (!tracking_) return false;
  bool inside = Inside(part_, point);
  bool changed = inside != pressed_;
  pressed_ = inside;
  return changed;
}

bool PressTracker::Up(POINT point) {
  if (!tracking_) return false;
  bool click = Inside(part_, point);
  // Clear the state before releasing: releasing sends WM_CAPTURECHANGED,
  // which must not read as a cancelled press.
  tracking_ = false;
  pressed_ = false;
  ReleaseCapture();
  return click;
}

bool PressTracker::Cancel() {
  bool changed = pressed_;
  tracking_ = false;
  pressed_ = false;
  return changed;
}

}  // namespace win
