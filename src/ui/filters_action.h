// The main window's Filters button: runs the filters dialog over the main window's
// filter list and takes the result back, however the dialog was closed.
#pragma once
#include "ui/dialog_host.h"
#include "ui/main_dialog.h"

namespace tandrel {

// `mainHost` is the main window's own host: the dialog runs owned by it, and its filter combo
// box is refilled afterwards.
void OpenFiltersDialog(CMainDialog& mainDialog, IDialogHost& mainHost);

}  // namespace tandrel
