// The shared message recorder; see msg_recorder.h.
#include "msg_recorder.h"

#include <cstdio>
#include <sstream>

MessageRecorder& MessageRecorder::Get() {
  static MessageRecorder recorder;
  return recorder;
}

void MessageRecorder::Install() {
  log_.clear();
  names_.clear();
  handlers_.clear();
  WNDCLASSW wc;
  wc.lpfnWndProc = &MessageRecorder::Proc;
  wc.lpszClassName = u"Recorder";
  RegisterClassW(&wc);
}

HWND MessageRecorder::Create(const std::string& name, DWORD style, RECT r, HWND parent, int id) {
  // The name is known before WM_NCCREATE arrives.
  names_[nullptr] = name;
  HWND hwnd = CreateWindowExW(0, u"Recorder", nullptr, style, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, parent, reinterpret_cast<HMENU>(intptr_t(id)),
                              nullptr, nullptr);
  names_.erase(nullptr);
  if (hwnd) names_[hwnd] = name;
  return hwnd;
}

const std::string& MessageRecorder::NameOf(HWND hwnd) const {
  static const std::string unknown = "?";
  auto it = names_.find(hwnd);
  if (it != names_.end()) return it->second;
  it = names_.find(nullptr);  // a window still being created
  return it != names_.end() ? it->second : unknown;
}

LRESULT MessageRecorder::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageRecorder& self = Get();
  std::string name = self.NameOf(hwnd);
  self.log_.push_back({name, message, wParam, false});
  if (auto it = self.handlers_.find(name); it != self.handlers_.end()) {
    LRESULT result = 0;
    Handler handler = it->second;  // a copy: the handler may replace itself
    if (handler(hwnd, message, wParam, lParam, result)) return result;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::vector<RecordedMessage> MessageRecorder::Log(const std::vector<UINT>& only) const {
  std::vector<RecordedMessage> out;
  for (const auto& m : log_)
    if (only.empty() || std::find(only.begin(), only.end(), m.message) != only.end()) out.push_back(m);
  return out;
}

namespace {
std::string Describe(const RecordedMessage* m) {
  if (!m) return "-";
  char buf[96];
  std::snprintf(buf, sizeof buf, "%s 0x%04X w=%lu", m->window.c_str(), m->message,
                static_cast<unsigned long>(m->wParam));
  return buf;
}
}  // namespace

::testing::AssertionResult SameSequence(const std::vector<RecordedMessage>& expected,
                                        const std::vector<RecordedMessage>& actual) {
  bool same = expected.size() == actual.size();
  for (size_t i = 0; same && i < expected.size(); ++i) same = expected[i].Matches(actual[i]);
  if (same) return ::testing::AssertionSuccess();
  std::ostringstream out;
  out << "\n  expected                        | actual\n";
  for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
    std::string e = Describe(i < expected.size() ? &expected[i] : nullptr);
    std::string a = Describe(i < actual.size() ? &actual[i] : nullptr);
    bool ok = i < expected.size() && i < actual.size() && expected[i].Matches(actual[i]);
    out << (ok ? "  " : "! ") << e << std::string(e.size() < 32 ? 32 - e.size() : 1, ' ')
        << "| " << a << "\n";
  }
  return ::testing::AssertionFailure() << out.str();
}

void WindowTest::SetUp() {
  win::WindowTable::Get().Reset();
  win::ResetQueue();
  rec.Install();
}

void WindowTest::TearDown() {
  win::WindowTable::Get().Reset();
  win::ResetQueue();
}
