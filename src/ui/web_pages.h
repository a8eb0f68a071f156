// The web pages of the program, opened in the default browser.
#pragma once
#include "platform/shell.h"

namespace tandrel {

// Opens the home page; also the help (F1) action of every window.
void OpenHomePage(IShell& shell);

}  // namespace tandrel
