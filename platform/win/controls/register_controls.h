// Registers every control class of the platform, as the system has them
// before any program starts. Safe to call more than once.
#pragma once

namespace win {

void RegisterControlClasses();

}  // namespace win
