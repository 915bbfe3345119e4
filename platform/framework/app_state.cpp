// Process-wide framework state and the application object; see app_state.h
// and cwinapp.h.
#include "framework/app_state.h"

#include "framework/cwinapp.h"
#include <utility>

#include "res/modules.h"

namespace {
HINSTANCE g_resourceHandle = nullptr;
CWinApp* g_app = nullptr;
std::function<void(bool)> g_busyHook;
int g_waitDepth = 0;

void ShowBusy(bool busy) {
  if (g_busyHook) g_busyHook(busy);
}
}  // namespace

HINSTANCE AfxGetResourceHandle() { return g_resourceHandle ? g_resourceHandle : res::MainModule(); }
void AfxSetResourceHandle(HINSTANCE module) { g_resourceHandle = module; }
HINSTANCE AfxGetInstanceHandle() { return res::MainModule(); }
CWinApp* AfxGetApp() { return g_app; }

void AfxSetBusyCursorHook(std::function<void(bool)> hook) { g_busyHook = std::move(hook); }

void AfxBeginWaitCursor() {
  if (g_waitDepth++ == 0) ShowBusy(true);
}

void AfxEndWaitCursor() {
  if (g_waitDepth > 0 && --g_waitDepth == 0) ShowBusy(false);
}

void AfxRestoreWaitCursor() {
  if (g_waitDepth > 0) ShowBusy(true);
}

CWinApp::CWinApp() { g_app = this; }
CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

int CWinApp::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  m_exitCode = int(msg.wParam);
  return ExitInstance();
}

int AfxRunApp(CWinApp& app) {
  if (!app.InitInstance()) return app.ExitInstance();
  return app.Run();
}
