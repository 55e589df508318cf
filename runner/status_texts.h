#pragma once

// Refreshes the three status bar texts: folder, limit, run state. Also called
// from the worker, whose messages the main thread must keep handling.
void UpdateStatusTexts();
