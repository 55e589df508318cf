// Reference for the start-up benchmark: the floor of the tool's interface, a
// window carrying the tool's manifest (per-monitor DPI aware, common controls
// 6) with the same three controls: toolbar, report list view and status bar.
#define REF_CONTROLS
#include "ref_minimal_window.cpp"
