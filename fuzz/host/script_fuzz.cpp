// Fuzzes the script reader. Beyond "no crash": an error names a line of the
// text and says what is wrong; accepted commands come in line order, each on
// a line of the text, and every point lies on the screen.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/headless/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const int lines = int(std::count(text.begin(), text.end(), '\n')) + 1;
  auto parsed = host::ParseScript(text);
  if (auto* error = std::get_if<host::ScriptError>(&parsed)) {
    if (error->line < 1 || error->line > lines || error->message.empty()) std::abort();
    return 0;
  }
  int last = 0;
  for (const host::ScriptCommand& c : std::get<std::vector<host::ScriptCommand>>(parsed)) {
    if (c.line <= last || c.line > lines) std::abort();
    last = c.line;
    if (c.point.x < 0 || c.point.y < 0 || c.point.x >= 240 || c.point.y >= 320) std::abort();
    if (c.seconds < 0) std::abort();
  }
  return 0;
}
