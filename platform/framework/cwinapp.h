// CWinApp: the application object. The program derives from it, builds its
// main window in InitInstance, and the framework runs it.
#pragma once

#include "framework/cwnd.h"

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Starts the program; returning FALSE ends it without a message loop (the
  // usual shape of a program whose main window is a modal dialog).
  virtual BOOL InitInstance() { return FALSE; }
  // Runs the message loop until a quit request; returns its code.
  virtual int Run();
  // Called when the program ends; returns the exit code.
  virtual int ExitInstance() { return m_exitCode; }

  CWnd* m_pMainWnd = nullptr;
  int m_exitCode = 0;
};

// Runs the application object: InitInstance, then Run when it returned TRUE,
// then ExitInstance. Returns the process exit code.
int AfxRunApp(CWinApp& app);
