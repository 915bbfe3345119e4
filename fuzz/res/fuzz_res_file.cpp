// Fuzzes the .res reader, the lookups over what it accepts, and the module
// table's string call with every buffer rule.
#include <cstddef>
#include <cstdint>
#include <span>

#include "exercise.h"
#include "res/modules.h"
#include "res/res_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
  auto source = res::ParseResFile(bytes);
  if (!source.ok()) return 0;
  fuzz::Exercise(*source);

  HINSTANCE module = res::RegisterEmbeddedModule(bytes, u"fuzz");
  if (module == nullptr) return 0;
  char16_t buffer[8];
  for (UINT id : {0u, 1u, 33004u, 65535u}) {
    (void)LoadStringW(module, id, buffer, 8);
    (void)LoadStringW(module, id, buffer, 1);
    LPCWSTR text = nullptr;
    int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    // Touch every unit the pointer form promises.
    volatile char16_t sink = 0;
    for (int i = 0; i < length; ++i) sink = static_cast<char16_t>(sink ^ text[i]);
  }
  (void)res::LoadMenuTemplate(module, 135);
  (void)res::LoadDialogTemplate(module, 102);
  FreeLibrary(module);
  return 0;
}
