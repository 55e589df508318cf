#pragma once
#include <windows.h>

#include "common/help_address.h"

// Starts the browser on one of the shipped help pages; a warning owned by
// owner when it cannot be started. Does not wait for the browser.
void OpenHelpPage(HWND owner, const char* page);
