// The delivery report: a run that passed over any target says so once, after it has ended.
#include "broadcast/delivery_report.h"

#include <algorithm>

#include "targets/terminal_window.h"

namespace tandrel {

namespace {

// A message box taller than the screen would hide its OK button.
constexpr std::size_t kMostNamed = 20;

}  // namespace

std::wstring_view MissReasonText(MissReason reason) {
    switch (reason) {
        case MissReason::kNoAnswer:
            return L"did not answer";
        case MissReason::kNoFocus:
            return L"did not take the keyboard focus";
        case MissReason::kKeysNotTaken:
            return L"did not take its keys in time";
        case MissReason::kKeyboardLost:
            return L"lost the keyboard to another program while its keys were typed";
        case MissReason::kClosedWhileTyped:
            return L"closed while its keys were typed";
        case MissReason::kActivationFailed:
            return L"the window its keys activated did not take the keyboard focus; the rest was not typed";
        case MissReason::kBraceTooLong:
            return L"its keys hold a brace text too long to type; the rest was not typed";
        case MissReason::kTypedInForeground:
            return L"its keys cannot be typed in the background; they were typed in the foreground";
    }
    return {};
}

std::wstring DeliveryReportText(std::wstring_view missedWhat, const std::vector<MissedTarget>& missed) {
    std::wstring text = L"These terminal windows missed ";
    text.append(missedWhat);
    text.append(L":\n");
    const std::size_t named = std::min(missed.size(), kMostNamed);
    for (std::size_t i = 0; i < named; ++i) {
        text.append(L"\n");
        text.append(missed[i].title.empty() ? L"(untitled)" : missed[i].title);
        text.append(L": ");
        text.append(MissReasonText(missed[i].reason));
    }
    if (missed.size() > named)
        text.append(L"\nand " + std::to_wstring(missed.size() - named) + L" more");
    // Keys typed after the keyboard was lost went to whatever program had it.
    if (std::any_of(missed.begin(), missed.end(),
                    [](const MissedTarget& m) { return m.reason == MissReason::kKeyboardLost; })) {
        text.append(L"\n\nPart of ");
        text.append(missedWhat);
        text.append(L" may have reached another program.");
    }
    return text;
}

MissedTarget MissedTargetOf(IWindowSystem& windows, WindowId target, MissReason reason) {
    wchar_t title[kNameBufferUnits];
    const std::size_t units = windows.ReadTitle(target, title, kNameBufferUnits);
    return MissedTarget{target, std::wstring(title, std::min(units, kNameBufferUnits - 1)), reason};
}

}  // namespace tandrel
