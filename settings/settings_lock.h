// Guards g_settings between the main thread (which edits it) and the worker
// (which takes one consistent copy per launch).
#pragma once
#include <mutex>

std::mutex& SettingsMutex();
