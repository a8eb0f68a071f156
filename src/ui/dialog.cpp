#include "ui/dialog.h"

namespace tandrel {

bool CDialog::Dispatch(DialogEvent event, int id, int code, std::uintptr_t param) {
    for (const MapEntry& e : MessageMap()) {
        if (e.event != event)
            continue;
        if (e.id != -1 && e.id != id)
            continue;
        if (e.code != -1 && e.code != code)
            continue;
        return e.handler(*this, id, code, param);
    }
    return false;
}

void CDialog::OnOK() {
    if (host != nullptr)
        host->EndDialog(mb::kIdOk);
}

void CDialog::OnCancel() {
    if (host != nullptr)
        host->EndDialog(mb::kIdCancel);
}

}  // namespace tandrel
