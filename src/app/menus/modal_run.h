#pragma once
// Every dialog runs through here, so that the window's close button can end
// the ones that are open (innermost first, each as if cancelled) and keep new
// ones from opening while the program shuts down; and so that a key still held
// when a dialog opens or closes is ignored until it is released.
#include <ClanLib/GUI/component.h>

// Runs the dialog modally; returns at once, without running it, once the window was closed.
void kv_run_modal(CL_Component& dialog);
// The window is closing: the open dialogs end.
void kv_close_dialogs();
bool kv_dialogs_closed();
// A new menu manager: dialogs run again.
void kv_reopen_dialogs();
