// Controls repaint themselves when what they show changes, without each
// handler having to remember to: the window procedure summarises the look
// (a hash of everything the painter draws) before and after dispatching a
// message and repaints when the two differ.
#pragma once

#include <cstddef>

#include "win/winuser.h"

namespace win {

// Runs `dispatch(hwnd, message, wParam, lParam)` and calls `repaint(hwnd,
// state)` when `lookKey(hwnd, state)` changed across it, or when the state
// first appeared. `getState(hwnd)` returns the control's state or null (not
// created yet, or already destroyed: then nothing is repainted).
template <class GetState, class LookKey, class Repaint, class Dispatch>
LRESULT DispatchRepaintingOnChange(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   GetState getState, LookKey lookKey, Repaint repaint,
                                   Dispatch dispatch) {
  const auto* before = getState(hwnd);
  const std::size_t key = before ? lookKey(hwnd, *before) : 0;
  const LRESULT result = dispatch(hwnd, message, wParam, lParam);
  if (const auto* after = getState(hwnd); after && (!before || lookKey(hwnd, *after) != key))
    repaint(hwnd, *after);
  return result;
}

// The usual repaint: the whole control, erased first.
template <class State>
void InvalidateWhole(HWND hwnd, const State&) {
  InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace win
