// Scripted runs; see script.h.
#include "host/headless/script.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <sstream>

#include "base/utf.h"
#include "gdi/surface.h"
#include "host/host.h"
#include "win/input.h"

namespace host {
namespace {

using Op = ScriptCommand::Op;

// The key names a script may use, with the key's character.
struct KeyName {
  std::string_view name;
  UINT vk;
  char16_t character;
};
constexpr KeyName kKeyNames[] = {
    {"enter", VK_RETURN, u'\r'}, {"escape", VK_ESCAPE, 0x1B}, {"tab", VK_TAB, u'\t'},
    {"back", VK_BACK, 0x08},     {"left", VK_LEFT, 0},        {"right", VK_RIGHT, 0},
    {"up", VK_UP, 0},            {"down", VK_DOWN, 0},        {"delete", VK_DELETE, 0},
};

// What each command takes after its name.
enum class Args { kPoint, kId, kPointSeconds, kIdSeconds, kRest, kKey, kNone, kFile };
struct Syntax {
  std::string_view name;
  Op op;
  Args args;
};
constexpr Syntax kSyntax[] = {
    {"tap", Op::kTap, Args::kPoint},           {"press", Op::kPress, Args::kPoint},
    {"move", Op::kMove, Args::kPoint},         {"release", Op::kRelease, Args::kPoint},
    {"tapid", Op::kTapId, Args::kId},          {"hold", Op::kHold, Args::kPointSeconds},
    {"holdid", Op::kHoldId, Args::kIdSeconds}, {"type", Op::kType, Args::kRest},
    {"key", Op::kKey, Args::kKey},             {"wait", Op::kWait, Args::kNone},
    {"screenshot", Op::kScreenshot, Args::kFile}, {"dump", Op::kDump, Args::kNone},
};

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

std::optional<int> Whole(std::string_view word) {
  int value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

// Fills one command from its arguments; an error message, or empty.
std::string ReadArgs(const Syntax& syntax, const std::vector<std::string_view>& w, std::string_view rest,
                     ScriptCommand& c) {
  auto count = [&](size_t n) -> std::string {
    if (w.size() - 1 == n) return {};
    return std::string(syntax.name) + " takes " + std::to_string(n) + " argument" + (n == 1 ? "" : "s");
  };
  auto number = [&](size_t i, const char* what, int& out) -> std::string {
    std::optional<int> v = Whole(w[i]);
    if (!v) return std::string(what) + " '" + std::string(w[i]) + "' is not a whole number";
    out = *v;
    return {};
  };
  auto point = [&]() -> std::string {
    int x = 0, y = 0;
    if (auto e = number(1, "X", x); !e.empty()) return e;
    if (auto e = number(2, "Y", y); !e.empty()) return e;
    if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight)
      return "the point " + std::to_string(x) + "," + std::to_string(y) + " is off the 240 x 320 screen";
    c.point = {x, y};
    return {};
  };
  auto seconds = [&](size_t i) -> std::string {
    if (auto e = number(i, "SECONDS", c.seconds); !e.empty()) return e;
    return c.seconds < 0 ? "SECONDS must not be negative" : "";
  };
  switch (syntax.args) {
    case Args::kNone: return count(0);
    case Args::kPoint: {
      std::string e = count(2);
      return e.empty() ? point() : e;
    }
    case Args::kPointSeconds: {
      std::string e = count(3);
      if (e.empty()) e = point();
      return e.empty() ? seconds(3) : e;
    }
    case Args::kId: {
      std::string e = count(1);
      return e.empty() ? number(1, "ID", c.id) : e;
    }
    case Args::kIdSeconds: {
      std::string e = count(2);
      if (e.empty()) e = number(1, "ID", c.id);
      return e.empty() ? seconds(2) : e;
    }
    case Args::kKey: {
      if (std::string e = count(1); !e.empty()) return e;
      for (const KeyName& k : kKeyNames)
        if (k.name == w[1]) {
          c.virtualKey = k.vk;
          c.character = k.character;
          return {};
        }
      return "unknown key '" + std::string(w[1]) + "'";
    }
    case Args::kFile:
      if (rest.empty()) return "screenshot takes a file name";
      c.file = std::string(rest);
      return {};
    case Args::kRest: {
      if (rest.empty()) return "type takes the text to type";
      std::optional<std::u16string> text = base::FromUtf8(rest);
      if (!text) return "the text is not UTF-8";
      c.text = std::move(*text);
      return {};
    }
  }
  return {};
}

}  // namespace

std::variant<std::vector<ScriptCommand>, ScriptError> ParseScript(std::string_view text) {
  std::vector<ScriptCommand> commands;
  int number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string_view> w = Words(line);
    if (w.empty() || w[0].front() == '#') continue;

    const Syntax* syntax = nullptr;
    for (const Syntax& s : kSyntax)
      if (s.name == w[0]) syntax = &s;
    if (!syntax) return ScriptError{number, "unknown command '" + std::string(w[0]) + "'"};
    // The rest of the line after the command and one blank, as written.
    size_t at = line.find(w[0]) + w[0].size();
    std::string_view rest = at < line.size() ? line.substr(at + 1) : std::string_view();

    ScriptCommand c;
    c.op = syntax->op;
    c.line = number;
    if (std::string error = ReadArgs(*syntax, w, rest, c); !error.empty()) return ScriptError{number, error};
    commands.push_back(std::move(c));
  }
  return commands;
}

ScriptResult RunScriptFile(const std::filesystem::path& file, const std::function<void()>& program,
                           ScriptOptions options) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {2, {"cannot read the script " + file.string()}};
  std::ostringstream text;
  text << in.rdbuf();  // an empty file is an empty script
  if (in.bad()) return {2, {"cannot read the script " + file.string()}};
  std::string script = text.str();
  if (script.rfind("\xEF\xBB\xBF", 0) == 0) script.erase(0, 3);
  return RunScript(script, program, std::move(options));
}

void QueueScript(Robot& robot, const std::vector<ScriptCommand>& commands, const ScriptOptions& options) {
  robot.SetStopOnError(true);
  std::ostream* out = options.out ? options.out : &std::cout;
  auto screenshot = options.screenshot;
  for (const ScriptCommand& c : commands) {
    robot.Label("line " + std::to_string(c.line));
    switch (c.op) {
      case Op::kTap: robot.Tap(c.point); break;
      case Op::kPress: robot.Press(c.point); break;
      case Op::kMove: robot.Move(c.point); break;
      case Op::kRelease: robot.Release(c.point); break;
      case Op::kTapId: robot.TapControl(c.id); break;
      case Op::kHold: robot.Hold(c.point, c.seconds); break;
      case Op::kHoldId: robot.HoldControl(c.id, c.seconds); break;
      case Op::kType: robot.Type(c.text); break;
      case Op::kKey: robot.Key(c.virtualKey, c.character); break;
      case Op::kWait: robot.Do([] {}); break;  // a step runs only once the program is idle
      case Op::kDump: robot.Do([out] { *out << DumpWindowTree() << std::flush; }); break;
      case Op::kScreenshot:
        robot.Do([&robot, screenshot, file = c.file] {
          std::string error;
          bool written = screenshot ? screenshot(file, &error) : gdi::WriteScreenPng(file, &error);
          if (!written) robot.Fail("screenshot " + file + ": " + error);
        });
        break;
    }
  }
  robot.Label("");
}

ScriptResult RunScript(std::string_view text, const std::function<void()>& program, ScriptOptions options) {
  auto parsed = ParseScript(text);
  if (auto* error = std::get_if<ScriptError>(&parsed)) return {2, {error->ToString()}};

  ScriptResult result;
  {
    Robot robot;
    QueueScript(robot, std::get<std::vector<ScriptCommand>>(parsed), options);
    program();
    result.errors = robot.errors();
  }
  result.status = result.errors.empty() ? 0 : 1;
  return result;
}

}  // namespace host
