// The mensora program: sets up the handheld's stand-in (device folder,
// registry, controls, the program's resources, the language packs), then
// runs the application object on the chosen host.
//
//   mensora [--root DIR] [--scale N] [--headless] [--script FILE] [--help] [--version]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <span>
#include <sstream>
#include <optional>
#include <string>
#include <string_view>

#include "app/mensora_app.h"
#include "app/program_module.h"
#include "gdi/surface.h"
#include "host/headless/script.h"
#include "host/sdl/sdl_host.h"
#include "shell/shell.h"
#include "shell/message_box.h"
#include "sys/device_files.h"
#include "sys/registry.h"
#include "sys/system.h"
#include "win/controls/register_controls.h"
#include "win/paint.h"
#include "win/queue.h"

namespace {

constexpr const char* kUsage =
    "usage: mensora [--root DIR] [--scale N] [--headless] [--script FILE] [--help] [--version]\n"
    "  --root DIR     the device folder (default: $MENSORA_ROOT, else\n"
    "                 $XDG_DATA_HOME/mensora/device)\n"
    "  --scale N      window zoom of the desktop host, 1 to 8 (default 2)\n"
    "  --headless     run without a display\n"
    "  --script FILE  with --headless: the input steps to play\n"
    "Exit codes are the program's own, low 8 bits: 0xFFFFFFFF (no language\n"
    "pack) is seen as 255, 4660 (quit after a language change) as 52.\n";

struct Options {
  std::filesystem::path root;
  int scale = 2;
  bool headless = false;
  std::filesystem::path script;
};

// Parses the command line; nullopt after printing help, the version or an
// error, with the exit code in *code.
std::optional<Options> ParseOptions(int argc, char** argv, int* code) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (arg == "--help") {
      std::fputs(kUsage, stdout);
      *code = 0;
      return std::nullopt;
    }
    if (arg == "--version") {
      std::printf("mensora %s\n", MENSORA_VERSION);
      *code = 0;
      return std::nullopt;
    }
    if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--root" || arg == "--script" || arg == "--scale") {
      const char* v = value();
      if (!v) {
        std::fprintf(stderr, "mensora: %s needs a value\n%s", argv[i], kUsage);
        *code = 2;
        return std::nullopt;
      }
      if (arg == "--root") options.root = v;
      if (arg == "--script") options.script = v;
      if (arg == "--scale") {
        char* end = nullptr;
        long scale = std::strtol(v, &end, 10);
        if (*end != 0 || scale < 1 || scale > 8) {
          std::fprintf(stderr, "mensora: --scale takes a whole number from 1 to 8\n");
          *code = 2;
          return std::nullopt;
        }
        options.scale = int(scale);
      }
    } else {
      std::fprintf(stderr, "mensora: unknown argument '%s'\n%s", argv[i], kUsage);
      *code = 2;
      return std::nullopt;
    }
  }
  if (!options.script.empty() && !options.headless) {
    std::fprintf(stderr, "mensora: --script needs --headless\n");
    *code = 2;
    return std::nullopt;
  }
  return options;
}

// The folder that holds this executable, its packs and its seed files.
std::filesystem::path ProgramDir() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : exe.parent_path();
}

// Device folder, registry, shipped files, controls, resources and packs.
// Returns false after printing why the program cannot start.
bool SetUpPlatform(const Options& options) {
  const auto programDir = ProgramDir();
  const auto root = options.root.empty() ? sys::DefaultDeviceRoot() : options.root;
  if (auto error = sys::SetDeviceFolders(root, programDir)) {
    std::fprintf(stderr, "mensora: %s\n", error->c_str());
    return false;
  }
  if (LONG status = RegistryUseStore(root / "registry.db"); status != ERROR_SUCCESS) {
    std::fprintf(stderr, "mensora: the registry in %s cannot be opened (error %ld)\n",
                 root.c_str(), long(status));
    return false;
  }
  // The category bitmaps the built-in table names, under \windows.
  sys::SeedDeviceFolder(programDir / "seed");
  win::RegisterControlClasses();
  shell::StartShell();
  if (!RegisterProgramModule()) {
    std::fprintf(stderr, "mensora: the program's resources are damaged\n");
    return false;
  }
  ConnectLanguagePacks();
  return true;
}

// Runs the application object; the process's exit code. Without memory the
// user-interface thread cannot go on: "out of memory" and code 1.
int RunProgram() {
  try {
    CMensoraApp app;
    return AfxRunApp(app);
  } catch (const std::bad_alloc&) {
    MessageBoxW(nullptr, u"out of memory", nullptr, MB_OK);
    return 1;
  }
}

// Without a display. With a script, its steps are the input and the run
// ends after the last one; a malformed script (2) or a failed step (1) is
// reported on stderr and becomes the exit code. Without one, the program
// starts and ends at once, as when no input will ever come.
int RunHeadless(const Options& options) {
  if (options.script.empty()) {
    win::SetIdleHandler([] { return false; });
    return RunProgram();
  }
  std::ifstream file(options.script, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  if (!file) {
    std::fprintf(stderr, "mensora: cannot read the script %s\n", options.script.c_str());
    return 2;
  }
  host::ScriptOptions scriptOptions;
  scriptOptions.screenshot = [](const std::string& png, std::string* error) {
    win::PaintPending();
    return gdi::WriteScreenPng(png, error);
  };
  int code = 0;
  host::ScriptResult result = host::RunScript(text.str(), [&] { code = RunProgram(); }, scriptOptions);
  for (const std::string& error : result.errors) std::fprintf(stderr, "mensora: %s\n", error.c_str());
  return result.status != 0 ? result.status : code;
}

// In a desktop window, scaled; the window's close button asks the main
// window to close.
int RunOnDesktop(const Options& options) {
  std::string error;
  auto desktop = host::SdlHost::Open(options.scale, "Mensora", &error);
  if (!desktop) {
    std::fprintf(stderr, "mensora: %s (try --headless)\n", error.c_str());
    return 1;
  }
  host::AttachOptions attach;
  attach.frame = [] {
    auto pixels = gdi::Screen().pixels();
    return std::span<const std::uint32_t>(pixels.data(), pixels.size());
  };
  attach.beforePresent = [] { win::PaintPending(); };
  host::Attach(*desktop, attach);
  const int code = RunProgram();
  host::Detach();
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  int code = 0;
  auto options = ParseOptions(argc, argv, &code);
  if (!options) return code;
  if (!SetUpPlatform(*options)) return 1;
  return options->headless ? RunHeadless(*options) : RunOnDesktop(*options);
}
