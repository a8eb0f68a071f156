#include "settings/settings.h"

#include <array>

namespace tandrel {

namespace {

constexpr std::array<Preference, 20> kPreferences{{
    {L"savePassword", &Settings::savePassword, 0},
    {L"toolWindow", &Settings::toolWindow, 1},
    {L"alwaysOnTop", &Settings::alwaysOnTop, 1},
    {L"minimizeToSysTray", &Settings::minimizeToSysTray, 1},
    {L"transition", &Settings::transition, 25},
    {L"windowOpacity", &Settings::windowOpacity, 255},
    {L"autoArrange", &Settings::autoArrange, 1},
    {L"autoMinimize", &Settings::autoMinimize, 0},
    {L"arrangeOnStartup", &Settings::arrangeOnStartup, 0},
    {L"unhideOnExit", &Settings::unhideOnExit, 1},
    {L"cascadeWidth", &Settings::cascadeWidth, 642},
    {L"cascadeHeight", &Settings::cascadeHeight, 386},
    {L"sendCR", &Settings::sendCR, 1},
    {L"tabCompletion", &Settings::tabCompletion, 0},
    {L"cmdhistoryScrollThrough", &Settings::cmdhistoryScrollThrough, 1},
    {L"emulateCopyPaste", &Settings::emulateCopyPaste, 1},
    {L"runOnSystemStartup", &Settings::runOnSystemStartup, 0},
    {L"checkForUpdates", &Settings::checkForUpdates, 1},
    {L"typeInBackground", &Settings::typeInBackground, 0},
    {L"openArrange", &Settings::openArrange, 3},
}};

constexpr std::array<TextPreference, 2> kTextPreferences{{
    {L"puttyPath", &Settings::puttyPath},
    {L"openPattern", &Settings::openPattern},
}};

}  // namespace

Settings::Settings() {
    for (const Preference& p : kPreferences) this->*p.member = p.fallback;
}

std::span<const Preference> Preferences() {
    return kPreferences;
}

std::span<const TextPreference> TextPreferences() {
    return kTextPreferences;
}

}  // namespace tandrel
