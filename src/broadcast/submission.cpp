// Commands from the command box: the add step, the broadcast, and the history's steps.
#include "platform/text_util.h"
#include "ui/main_dialog.h"

namespace tandrel {
namespace {
constexpr std::size_t kHistorySize = 100;
}

void CMainDialog::SubmitCommand(const std::wstring& text, bool endWithTab) {
    if (!TrimWhiteSpace(text).empty()) {
        if (commandHistory.size() >= kHistorySize)
            commandHistory.erase(commandHistory.begin());
        commandHistory.push_back(text);  // as typed, spaces and line breaks included
    }
    historyCursor = static_cast<std::int32_t>(commandHistory.size());
    commandBox.SetCommandText(L"");
    BroadcastKeys(text, endWithTab, true);
    RestoreCommandFocus();
}

void CMainDialog::HistoryOlder() {
    if (commandHistory.empty())
        return;
    if (--historyCursor < 0)
        historyCursor = static_cast<std::int32_t>(commandHistory.size()) - 1;
    commandBox.SetCommandText(commandHistory[static_cast<std::size_t>(historyCursor)]);
    RestoreCommandFocus();
}

void CMainDialog::HistoryNewer() {
    if (commandHistory.empty())
        return;
    if (++historyCursor >= static_cast<std::int32_t>(commandHistory.size()))
        historyCursor = 0;
    commandBox.SetCommandText(commandHistory[static_cast<std::size_t>(historyCursor)]);
    RestoreCommandFocus();
}

void CMainDialog::HistoryClear() {
    if (!commandHistory.empty() &&
        host->ShowMessageBox(L"Are you sure you want to\nclear the command history?", L"Tandrel",
                             mb::kYesNo | mb::kIconExclamation) == mb::kIdYes) {
        commandHistory.clear();
        historyCursor = 0;
        commandBox.SetCommandText(L"");
    }
    RestoreCommandFocus();
}

}  // namespace tandrel
