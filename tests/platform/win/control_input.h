// Input helpers shared by the control tests: pen and key input posted the way
// a host posts it, then pumped through the queue; and expected-row builders
// for the message recorder.
#pragma once

#include "msg_recorder.h"
#include "win/input.h"

// Delivers every queued message.
inline void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

inline POINT OnScreen(HWND hwnd, LONG x, LONG y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  return p;
}

// One pen event at a point of a window's client area.
inline void Pen(UINT message, HWND hwnd, LONG x, LONG y) {
  win::PostStylus(message, OnScreen(hwnd, x, y));
  Pump();
}

inline void Tap(HWND hwnd, LONG x, LONG y) {
  Pen(WM_LBUTTONDOWN, hwnd, x, y);
  Pen(WM_LBUTTONUP, hwnd, x, y);
}

inline void Key(UINT virtualKey, char16_t character = 0) {
  win::PostKey(virtualKey, character);
  Pump();
}

inline RecordedMessage Msg(const char* window, UINT message) { return {window, message, 0, false}; }
inline RecordedMessage Msg(const char* window, UINT message, WPARAM w) {
  return {window, message, w, true};
}
// A WM_COMMAND notification from control `id`.
inline RecordedMessage Cmd(const char* window, int id, WORD code) {
  return {window, WM_COMMAND, MAKELONG(WORD(id), code), true};
}
