// Scripted runs: a text file of pen and key actions, one a line, played
// into the program by the test robot, each when the program waits for input.
//
//   tap X Y | press X Y | move X Y | release X Y   pen at a screen point
//   tapid ID                   tap the control ID of the active window
//   hold X Y SECONDS           press, let SECONDS pass on the clock, release
//   holdid ID SECONDS          the same on a control
//   type TEXT                  the rest of the line as typed characters
//   key NAME                   enter, escape, tab, back, left, right, up,
//                              down, delete
//   wait                       let the program finish what it is doing
//   screenshot FILE            the screen as a PNG
//   dump                       the window tree on the output
//   # comment                  blank lines and comments are skipped
//
// Holds run on the robot's clock: from the first hold on, the clock stands
// still and moves only by holds, so timed behaviour is the same on every run.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/headless/robot.h"

namespace host {

struct ScriptCommand {
  enum class Op { kTap, kPress, kMove, kRelease, kTapId, kHold, kHoldId, kType, kKey, kWait, kScreenshot, kDump };
  Op op = Op::kWait;
  int line = 0;         // 1-based line of the script
  POINT point{};        // tap, press, move, release, hold
  int id = 0;           // tapid, holdid
  int seconds = 0;      // hold, holdid
  std::u16string text;  // type
  UINT virtualKey = 0;  // key
  char16_t character = 0;
  std::string file;  // screenshot
};

struct ScriptError {
  int line = 0;
  std::string message;
  std::string ToString() const { return "line " + std::to_string(line) + ": " + message; }
};

// Reads a script. Returns its commands, or the first error with its line:
// an unknown command, a missing or extra argument, a number that is not a
// whole number, a point off the 240 x 320 screen, a negative hold, an
// unknown key name, text that is not UTF-8.
std::variant<std::vector<ScriptCommand>, ScriptError> ParseScript(std::string_view text);

struct ScriptOptions {
  // Where `dump` writes; standard output when null.
  std::ostream* out = nullptr;
  // Writes the screen to a PNG file; returns false with *error set when it
  // cannot. Without it the framebuffer (gdi::Screen) is written.
  std::function<bool(const std::string& file, std::string* error)> screenshot;
};

struct ScriptResult {
  int status = 0;                   // 0 ran to the end, 1 a step failed, 2 the script is malformed
  std::vector<std::string> errors;  // each "line N: what went wrong"
};

// Parses `text`, then runs `program` (which runs the message loops, e.g. a
// dialog's DoModal) with the script's commands as its input. The first
// failing step ends the run. The real clock is back afterwards.
ScriptResult RunScript(std::string_view text, const std::function<void()>& program, ScriptOptions options = {});

// RunScript on the contents of a UTF-8 file (a BOM is skipped). A file that
// cannot be read gives status 2 and an error naming it, and the program is
// not run.
ScriptResult RunScriptFile(const std::filesystem::path& file, const std::function<void()>& program,
                           ScriptOptions options = {});

// Adds the commands to `robot` as labelled steps ("line N") and makes the
// first error end the run. Used by RunScript.
void QueueScript(Robot& robot, const std::vector<ScriptCommand>& commands, const ScriptOptions& options);

}  // namespace host
