#include "settings/settings_lock.h"

std::mutex& SettingsMutex() {
  static std::mutex m;
  return m;
}
