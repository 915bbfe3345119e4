// The message queue's connection to whatever supplies input, and the nested
// loops that modal windows run.
#pragma once

#include <functional>

#include "win/winuser.h"

namespace win {

// Called by GetMessageW when the queue is empty: it waits for input (a host
// event, a test robot's next step) and posts what it gets. It returns false
// when no input will ever come again; the loops then end as if
// PostQuitMessage(0) had been called. Without a handler the same holds.
using IdleHandler = std::function<bool()>;
void SetIdleHandler(IdleHandler handler);

// Runs a nested message loop until `done()` turns true after a message, or
// a quit request arrives. A quit request is posted again before returning,
// so that every enclosing loop ends too, out to the outermost. `filter` may
// consume a message before it is dispatched (the dialog manager's keys).
// Returns false when the loop ended by a quit request.
bool RunNestedLoop(const std::function<bool()>& done,
                   const std::function<bool(MSG&)>& filter = nullptr);

// Forgets queued messages, a pending quit and the idle handler (for tests).
void ResetQueue();

}  // namespace win
