// The per-thread last error of the platform's calls.
#include "wintypes.h"

namespace {
thread_local DWORD g_lastError = 0;
}

DWORD GetLastError() { return g_lastError; }
void SetLastError(DWORD error) { g_lastError = error; }
