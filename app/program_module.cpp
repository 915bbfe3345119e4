// The program's embedded resources and the language packs' hooks; see
// program_module.h.
#include "app/program_module.h"

#include <string>

#include "framework/app_state.h"
#include "framework/cwinapp.h"
#include "gdi/wingdi.h"
#include "i18n/language_pack.h"
#include "program_res.h"
#include "res/modules.h"
#include "res/resources.h"
#include "shell/message_box.h"
#include "sys/system.h"


HINSTANCE RegisterProgramModule() {
  static HINSTANCE module = res::RegisterEmbeddedModule(mensora_res_blobs::program_res(), kProgramPath);
  if (module) res::SetMainModule(module);
  return module;
}

void ConnectLanguagePacks() {
  InitLanguagePacks();
  LanguagePackHooks hooks;
  hooks.showFatalMessage = [](std::u16string_view text) {
    std::u16string copy(text);
    MessageBoxW(nullptr, copy.c_str(), nullptr, MB_OK);
  };
  hooks.exitProcess = [](DWORD code) { sys::ExitProcess(int(code)); };
  hooks.beep = [] { MessageBeep(0xFFFFFFFF); };
  hooks.loadBitmap = [](HINSTANCE pack, UINT id) { return LoadBitmapW(pack, MAKEINTRESOURCEW(id)); };
  hooks.deleteBitmap = [](HBITMAP bitmap) { DeleteObject(bitmap); };
  hooks.mainWindow = []() -> HWND {
    CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
  };
  hooks.setResourceModule = [](HINSTANCE module) { AfxSetResourceHandle(module); };
  SetLanguagePackHooks(std::move(hooks));
}
