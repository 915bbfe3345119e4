// The process-wide settings instance.
#include "display_settings.h"

ProcessSettings& TheSettings() {
  static ProcessSettings settings;
  return settings;
}
