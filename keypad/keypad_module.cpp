// The keypad library's module; see keypad_module.h.
#include "keypad/keypad_module.h"

#include "framework/app_state.h"
#include "res/modules.h"
#include "tessapad_res.h"

namespace tessapad {

HINSTANCE KeypadModule() {
  // Registered on first use rather than at load time: the program registers
  // its own module first, and the first module registered becomes the main
  // one.
  static const HINSTANCE module =
      res::RegisterEmbeddedModule(mensora_res_blobs::tessapad_res(), u"tessapad.dll");
  return module;
}

ResourceSourceSwitch::ResourceSourceSwitch(HINSTANCE module) {
  // The framework reports "nothing selected" as the main module; saving that
  // as null keeps the caller following the main module, which tests and the
  // program may replace later.
  HINSTANCE current = AfxGetResourceHandle();
  saved_ = current == res::MainModule() ? nullptr : current;
  AfxSetResourceHandle(module);
}

ResourceSourceSwitch::~ResourceSourceSwitch() { AfxSetResourceHandle(saved_); }

}  // namespace tessapad
