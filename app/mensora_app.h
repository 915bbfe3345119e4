// CMensoraApp: the application object. The process exists to run the main
// conversion window modally; when that run returns, the program is finished.
#pragma once

#include "framework/cwinapp.h"

class CMensoraApp : public CWinApp {
 public:
  // Builds the main window, makes it the main window of the application (so
  // windows without an owner, such as the keypad, belong to it and the
  // language pack loader reaches it), runs it modally and destroys it.
  // Returns FALSE: no message loop of its own follows. A quit request that
  // ended the run leaves its code as the exit code; otherwise it is 0.
  BOOL InitInstance() override;
};
