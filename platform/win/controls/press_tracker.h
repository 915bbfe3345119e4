// The press-and-release interaction shared by push buttons, up-down arrows
// and the combo box's drop button: the pen goes down on a part, the part
// looks pressed while the pen stays on it, and a release on it is a click.
// Painting reads pressed(); the tracker knows nothing of looks.
#pragma once

#include "win/winuser.h"

namespace win {

class PressTracker {
 public:
  // Pen down at `point` (client coordinates): when it is inside `part`, takes
  // the capture and starts tracking. Returns whether tracking started.
  bool Down(HWND hwnd, POINT point, const RECT& part);

  // Pen moved while tracking: the part is pressed while the pen is on it.
  // Returns true when the pressed state changed (the caller repaints).
  bool Move(POINT point);

  // Pen up: ends tracking and releases the capture. Returns true when the pen
  // was released on the part, which makes a click.
  bool Up(POINT point);

  // The capture was taken away (another window, a dialog opening): tracking
  // ends without a click. Returns true when the look changed.
  bool Cancel();

  bool tracking() const { return tracking_; }
  bool pressed() const { return pressed_; }

 private:
  static bool Inside(const RECT& r, POINT p);
  RECT part_{};
  bool tracking_ = false;
  bool pressed_ = false;
};

}  // namespace win
