// One shared recorder for message-sequence tests: windows of the class
// "Recorder" log every message they receive; a test compares the log of one
// action with the sequence it expects, and a failure prints both side by side.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "win/queue.h"
#include "win/window_table.h"
#include "win/winuser.h"

struct RecordedMessage {
  std::string window;  // the name the test gave the window
  UINT message = 0;
  WPARAM wParam = 0;
  bool checkWParam = false;  // in an expected row: compare wParam too

  bool Matches(const RecordedMessage& actual) const {
    return window == actual.window && message == actual.message &&
           (!checkWParam || wParam == actual.wParam);
  }
};

class MessageRecorder {
 public:
  static MessageRecorder& Get();

  // Registers the "Recorder" class (once per test; the window table is reset).
  void Install();
  HWND Create(const std::string& name, DWORD style, RECT rect, HWND parent = nullptr, int id = 0);

  // A handler a test adds for one window: it runs after the message is logged;
  // returning true means "handled", with `result` as the answer.
  using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT& result)>;
  void OnMessage(const std::string& name, Handler handler) { handlers_[name] = std::move(handler); }

  void Clear() { log_.clear(); }
  // The log restricted to the given messages (all when empty).
  std::vector<RecordedMessage> Log(const std::vector<UINT>& only = {}) const;
  const std::string& NameOf(HWND hwnd) const;

  static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  std::vector<RecordedMessage> log_;
  std::map<HWND, std::string> names_;
  std::map<std::string, Handler> handlers_;
};

// Compares an action's messages with the expected sequence.
::testing::AssertionResult SameSequence(const std::vector<RecordedMessage>& expected,
                                        const std::vector<RecordedMessage>& actual);

// Resets the window system before and after each test.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  MessageRecorder& rec = MessageRecorder::Get();
};
