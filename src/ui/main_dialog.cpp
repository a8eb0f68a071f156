#include "ui/main_dialog.h"

namespace tandrel {

CMainDialog::CMainDialog(const Platform& p) : platform(p), keySender(p.keyboard, p.windows, p.clock) {}

}  // namespace tandrel
