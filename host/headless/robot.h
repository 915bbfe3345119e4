// The test robot: scripted pen and key input for the window system running
// without a display. Steps run one at a time, each when the message loop has
// nothing left to do, so a step that opens a modal dialog is followed by
// steps that act inside it, as a person's next tap would be.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "win/winuser.h"

namespace host {

class Robot {
 public:
  // Installs the robot as the loops' source of input; the destructor
  // removes it. One robot at a time.
  Robot();
  ~Robot();
  Robot(const Robot&) = delete;
  Robot& operator=(const Robot&) = delete;

  // Pen input at screen points. A tap is a press and, as the next step, a
  // release at the same point.
  Robot& Press(POINT screen);
  Robot& Move(POINT screen);
  Robot& Release(POINT screen);
  Robot& Tap(POINT screen);

  // A tap at the centre of the control with this id in the active window
  // (searched through all its descendants). A missing or hidden control is
  // an error of the run.
  Robot& TapControl(int id);
  Robot& PressControl(int id);
  Robot& ReleaseControl(int id);

  // Press and hold: a press, then the clock moves on by `seconds` (the
  // robot's own clock, set through sys::SetClock from the first hold on and
  // put back when the robot goes), then the release at the same point.
  Robot& Hold(POINT screen, int seconds);
  Robot& HoldControl(int id, int seconds);

  // The shell: a tap on the menu bar button with this text (of the active
  // window's command bar, or of its owner's), on the item with this text in
  // the popup menu that is up, on the task bar's "ok", on the command bar's
  // close button, and on the soft keyboard's key with this label. A missing
  // target is an error of the run.
  Robot& TapMenuBar(std::u16string_view text);
  Robot& TapMenuItem(std::u16string_view text);
  Robot& TapOk();
  Robot& TapClose();
  Robot& TapSoftKey(std::u16string_view label);

  // Keys and text to the focus window.
  Robot& Key(UINT virtualKey, char16_t character = 0);
  Robot& Type(std::u16string_view text);

  // Runs `check` as a step; it may inspect windows and add errors.
  Robot& Do(std::function<void()> step);

  // A step that passes when the active window's text is `title`, and is an
  // error of the run otherwise.
  Robot& ExpectActive(std::u16string_view title);

  // Records an error of the run (a step's own check failed).
  void Fail(std::string message) { errors_.push_back(std::move(message)); }

  // After the last step the loops are told that no input will come, which
  // ends them as a quit request does, unless `stayAlive` is set: then each
  // idle turn with no step left is an error (the program waits for input
  // the script does not give) and ends the run the same way.
  void SetStayAlive(bool stayAlive) { stayAlive_ = stayAlive; }

  const std::vector<std::string>& errors() const { return errors_; }
  size_t stepsLeft() const { return steps_.size() - next_; }

 private:
  bool RunNextStep();
  Robot& Add(std::string name, std::function<void()> step);
  HWND FindControl(int id);
  // A tap at a point found when the step runs; a missing point fails.
  Robot& TapFound(std::string name, std::function<bool(POINT&)> find);
  void AdvanceClock(int seconds);

  struct Step {
    std::string name;
    std::function<void()> run;
  };
  std::vector<Step> steps_;
  size_t next_ = 0;
  bool stayAlive_ = false;
  std::vector<std::string> errors_;
  bool ownsClock_ = false;
  std::int64_t now_ = 0;  // the robot's clock, seconds since 1970
};

// One line per window, indented by depth: class, id, text, rectangle on the
// screen, flags (hidden, disabled, focus, active) and what is selected: an
// edit's "sel=start..end", a list's or combo box's "cur=index" (-1: none), a
// check box's "checked". All top-level windows
// from the bottom up when `root` is null.
std::string DumpWindowTree(HWND root = nullptr);

}  // namespace host
