// Scripts: the parser on good and bad lines, and runs against a small
// dialog that stop at the first failing line.
#include "host/headless/script.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "gdi/png.h"
#include "small_dialog.h"
#include "win/queue.h"
#include "win/window_table.h"

namespace {

using Op = host::ScriptCommand::Op;

TEST(ScriptParseTest, ReadsEveryCommand) {
  auto parsed = host::ParseScript(
      "# a comment\r\n"
      "\n"
      "tap 10 20\n"
      "  press 0 0\n"
      "move 239 319\n"
      "release 5 6\n"
      "tapid 1025\n"
      "hold 1 2 3\n"
      "holdid 7 0\n"
      "type  two words é\n"
      "key escape\n"
      "wait\n"
      "screenshot out dir/shot.png\n"
      "dump\n");
  ASSERT_TRUE(std::holds_alternative<std::vector<host::ScriptCommand>>(parsed))
      << std::get<host::ScriptError>(parsed).ToString();
  const auto& c = std::get<std::vector<host::ScriptCommand>>(parsed);
  ASSERT_EQ(c.size(), 12u);
  EXPECT_EQ(c[0].op, Op::kTap);
  EXPECT_EQ(c[0].line, 3);
  EXPECT_EQ(c[0].point.x, 10);
  EXPECT_EQ(c[0].point.y, 20);
  EXPECT_EQ(c[2].point.x, 239);
  EXPECT_EQ(c[4].op, Op::kTapId);
  EXPECT_EQ(c[4].id, 1025);
  EXPECT_EQ(c[5].op, Op::kHold);
  EXPECT_EQ(c[5].seconds, 3);
  EXPECT_EQ(c[6].op, Op::kHoldId);
  EXPECT_EQ(c[6].id, 7);
  EXPECT_EQ(c[7].text, u" two words é");  // the rest of the line after one blank
  EXPECT_EQ(c[8].virtualKey, UINT(VK_ESCAPE));
  EXPECT_EQ(c[9].op, Op::kWait);
  EXPECT_EQ(c[10].file, "out dir/shot.png");
  EXPECT_EQ(c[11].op, Op::kDump);
  EXPECT_EQ(c[11].line, 14);
}

TEST(ScriptParseTest, NamesTheLineOfTheFirstError) {
  struct Case {
    const char* script;
    std::string error;
  };
  const Case cases[] = {
      {"wait\nfly 1 2\n", "line 2: unknown command 'fly'"},
      {"tap 240 0", "line 1: the point 240,0 is off the 240 x 320 screen"},
      {"tap -1 5", "line 1: the point -1,5 is off the 240 x 320 screen"},
      {"tap 1", "line 1: tap takes 2 arguments"},
      {"tap 1 2 3", "line 1: tap takes 2 arguments"},
      {"tap 1.5 2", "line 1: X '1.5' is not a whole number"},
      {"\n\ntapid OK", "line 3: ID 'OK' is not a whole number"},
      {"hold 1 2 -1", "line 1: SECONDS must not be negative"},
      {"holdid 5", "line 1: holdid takes 2 arguments"},
      {"key f1", "line 1: unknown key 'f1'"},
      {"type", "line 1: type takes the text to type"},
      {"type \xff\xfe", "line 1: the text is not UTF-8"},
      {"screenshot", "line 1: screenshot takes a file name"},
      {"dump now", "line 1: dump takes 0 arguments"},
  };
  for (const Case& c : cases) {
    auto parsed = host::ParseScript(c.script);
    ASSERT_TRUE(std::holds_alternative<host::ScriptError>(parsed)) << c.script;
    EXPECT_EQ(std::get<host::ScriptError>(parsed).ToString(), c.error) << c.script;
  }
}

class ScriptRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win::WindowTable::Get().Reset();
    win::ResetQueue();
  }
  void TearDown() override {
    win::WindowTable::Get().Reset();
    win::ResetQueue();
  }
  SmallDialog dialog;
  INT_PTR result = -2;
  std::function<void()> program = [this] { result = dialog.Run(); };
};

TEST_F(ScriptRunTest, TypesIntoTheDialogAndEndsIt) {
  std::ostringstream out;
  host::ScriptResult run = host::RunScript(
      "tapid 100\n"
      "type hello world\n"
      "key back\n"
      "wait\n"
      "dump\n"
      "tapid 1\n",
      program, {&out, nullptr});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.errors.empty()) << run.errors.front();
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.text, u"hello worl");
  EXPECT_NE(out.str().find("EDIT #100 \"hello worl\""), std::string::npos) << out.str();
}

TEST_F(ScriptRunTest, TheFirstFailingLineStopsTheRun) {
  host::ScriptResult run = host::RunScript("tapid 100\ntapid 555\ntype never\ntapid 1\n", program);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, std::vector<std::string>{"line 2: no visible control 555"});
  EXPECT_EQ(result, 0);  // the loops were ended, not the dialog
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));  // the quit request passed on
  EXPECT_EQ(msg.message, UINT(WM_QUIT));
}

TEST_F(ScriptRunTest, AMalformedScriptDoesNotRunTheProgram) {
  host::ScriptResult run = host::RunScript("tapid 1\nkey f13\n", program);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors, std::vector<std::string>{"line 2: unknown key 'f13'"});
  EXPECT_EQ(result, -2);
}

TEST_F(ScriptRunTest, RunsAFileAndNamesOneItCannotRead) {
  const auto file = std::filesystem::temp_directory_path() / ("mensora-script-" + std::to_string(::getpid()) + ".txt");
  std::ofstream(file) << "\xEF\xBB\xBFtapid 100\r\ntype 7\r\nkey enter\r\n";
  host::ScriptResult run = host::RunScriptFile(file, program);
  std::filesystem::remove(file);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(result, IDOK);  // Enter is the default button
  EXPECT_EQ(dialog.text, u"7");

  result = -2;
  run = host::RunScriptFile(file, program);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors, std::vector<std::string>{"cannot read the script " + file.string()});
  EXPECT_EQ(result, -2);
}

TEST_F(ScriptRunTest, HoldMovesTheScriptClockOnly) {
  std::int64_t before = sys::NowSeconds();
  host::ScriptResult run = host::RunScript("holdid 1 30\n", program);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(result, IDOK);
  EXPECT_GE(dialog.commandTime, before + 30);
  EXPECT_LT(sys::NowSeconds(), before + 30);  // the real clock is back
}

TEST_F(ScriptRunTest, ScreenshotsWriteTheScreen) {
  const auto dir = std::filesystem::temp_directory_path() / ("mensora-script-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string shot = (dir / "shot.png").string();
  host::ScriptResult run = host::RunScript("screenshot " + shot + "\ntapid 1\n", program);
  EXPECT_EQ(run.status, 0);
  std::string error;
  auto image = gdi::ReadPng(shot, &error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(image->width(), 240);
  EXPECT_EQ(image->height(), 320);
  std::filesystem::remove_all(dir);

  win::ResetQueue();
  run = host::RunScript("wait\nscreenshot /nonexistent-dir/x/shot.png\ntapid 1\n", program);
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(run.errors.size(), 1u);
  EXPECT_EQ(run.errors[0].rfind("line 2: screenshot /nonexistent-dir/x/shot.png: ", 0), 0u) << run.errors[0];

  win::ResetQueue();  // the failed run's quit request
  std::string written;
  host::ScriptOptions options;
  options.screenshot = [&](const std::string& file, std::string*) {
    written = file;
    return true;
  };
  run = host::RunScript("screenshot shot.png\ntapid 1\n", program, options);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(written, "shot.png");
  EXPECT_EQ(result, IDOK);
}

}  // namespace
