// The keypad library's own resource module and the switch to it: the
// library finds its dialog, menu and key images in its own embedded
// resources, whatever resource source the program has selected.
#pragma once

#include "base/wintypes.h"

namespace tessapad {

// The library's module, registered with the platform's module table on the
// first call and kept for the life of the process. nullptr (with the
// module table's last error) when the embedded resources do not parse.
HINSTANCE KeypadModule();

// Selects a module as the framework's resource source for its lifetime and
// gives the caller's selection back when it ends, on every path out.
class ResourceSourceSwitch {
 public:
  explicit ResourceSourceSwitch(HINSTANCE module);
  ~ResourceSourceSwitch();
  ResourceSourceSwitch(const ResourceSourceSwitch&) = delete;
  ResourceSourceSwitch& operator=(const ResourceSourceSwitch&) = delete;

 private:
  HINSTANCE saved_;
};

}  // namespace tessapad
