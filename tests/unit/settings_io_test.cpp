#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fakes/shell_variants.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_storage.h"
#include "fakes/main_window_on.h"
#include "fakes/trace_log.h"
#include "settings/base64.h"
#include "platform/text_codec.h"
#include "ui/main_dialog.h"

namespace tandrel {
namespace {

using fakes::NoShell;

constexpr wchar_t kBeside[] = L"C:\\Tools\\tandrel.ini";
constexpr wchar_t kInAppData[] = L"C:\\Users\\op\\AppData\\Roaming\\Tandrel\\tandrel.ini";
constexpr wchar_t kExe[] = L"C:\\Tools\\tandrel.exe";
constexpr wchar_t kQuotedExe[] = L"\"C:\\Tools\\tandrel.exe\"";

std::wstring Slot(const wchar_t* stem, int n) {
    std::wstring key(stem);
    key += static_cast<wchar_t>(L'0' + n / 10);
    key += static_cast<wchar_t>(L'0' + n % 10);
    return key;
}

struct IntMember {
    const wchar_t* key;
    std::int32_t Settings::*member;
    std::int32_t fallback;
};

// Every integer preference with its default.
const IntMember kIntegers[] = {
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
};

class SettingsTest
    : public testing::Test,
      public fakes::MainWindowOn<fakes::FakeDesktop, fakes::FakeDialogHost, fakes::FakeStorage, NoShell> {
  protected:
    SettingsTest() : MainWindowOn({.title = nullptr, .tray = false, .marks = false}) {}
    // A new main window, as at the next start of the program.
    CMainDialog& Start() {
        Restart();
        dialog.LoadSettings();
        return dialog;
    }
    // A profile file of "[Tandrel]" and the given lines.
    void Profile(const std::wstring& lines, const std::wstring& path = kBeside) {
        storage.files[path] = EncodeUtf16LeWithBom(L"[Tandrel]\r\n" + lines);
    }
    std::wstring FileText(const std::wstring& path = kBeside) {
        const auto it = storage.files.find(path);
        return it == storage.files.end() ? L"(no file)" : DecodeText(it->second);
    }
    // The value of one key in the written file, as its line holds it.
    std::wstring Stored(const std::wstring& key, const std::wstring& path = kBeside) {
        const std::wstring text = FileText(path);
        const std::wstring start = L"\r\n" + key + L"=";
        const std::size_t at = text.find(start);
        if (at == std::wstring::npos)
            return L"(missing)";
        const std::size_t b = at + start.size();
        return text.substr(b, text.find(L"\r\n", b) - b);
    }
};

// ---- loading ----

TEST_F(SettingsTest, AFreshProfileGivesTheBuiltInFilterAndEveryDefault) {
    CMainDialog& d = Start();
    EXPECT_EQ(d.filterList, std::vector<std::wstring>{L"All PuTTYs||+*"});
    EXPECT_EQ(d.selectedFilter, 0);
    EXPECT_TRUE(d.commandHistory.empty());
    EXPECT_EQ(d.historyCursor, 0);
    EXPECT_EQ(d.encodedPassword, L"");
    for (const IntMember& m : kIntegers)
        EXPECT_EQ(d.settings.*m.member, m.fallback) << testing::PrintToString(m.key);
    EXPECT_EQ(storage.writes, 0);  // loading writes nothing
}

TEST_F(SettingsTest, AProfileWithoutFiltersIgnoresTheStoredIndex) {
    Profile(L"filter=3\r\nfilter00=\r\n");
    EXPECT_EQ(Start().filterList, std::vector<std::wstring>{L"All PuTTYs||+*"});
    EXPECT_EQ(dialog.selectedFilter, 0);
}

TEST_F(SettingsTest, EmptySlotsLeaveNoGaps) {
    Profile(
        L"filter00=\r\nfilter01=\r\nfilter02=web||+web*\r\nfilter05=db||+db*\r\nfilter99=last||+*\r\n"
        L"cmdhistory03=uptime\r\ncmdhistory10=\r\ncmdhistory42=df -h\r\n");
    CMainDialog& d = Start();
    EXPECT_EQ(d.filterList, (std::vector<std::wstring>{L"web||+web*", L"db||+db*", L"last||+*"}));
    EXPECT_EQ(d.commandHistory, (std::vector<std::wstring>{L"uptime", L"df -h"}));
    EXPECT_EQ(d.historyCursor, 2);
}

TEST_F(SettingsTest, AnInvalidFilterIndexBecomesZero) {
    struct Row {
        const wchar_t* stored;  // nullptr: no "filter" key
        std::int32_t selected;
    };
    const Row rows[] = {{L"5", 0},  {L"-1", 0}, {L"2", 2}, {L"3", 0},   {L"1", 1},
                        {L"1x", 1}, {L"x", 0},  {L"", 0},  {nullptr, 0}};
    for (const Row& r : rows) {
        std::wstring lines = L"filter00=a||+a*\r\nfilter01=b||+b*\r\nfilter02=c||+c*\r\n";
        if (r.stored != nullptr)
            lines += std::wstring(L"filter=") + r.stored + L"\r\n";
        Profile(lines);
        EXPECT_EQ(Start().selectedFilter, r.selected)
            << testing::PrintToString(r.stored ? r.stored : L"(none)");
        EXPECT_EQ(dialog.filterList.size(), 3u);
    }
}

TEST_F(SettingsTest, StoredValuesReachTheMembersUnchecked) {
    Profile(L"windowOpacity=999\r\nautoArrange=7\r\ntransition=-5\r\ncascadeWidth=abc\r\nsendCR=2\r\n");
    CMainDialog& d = Start();
    EXPECT_EQ(d.settings.windowOpacity, 999);
    EXPECT_EQ(d.settings.autoArrange, 7);
    EXPECT_EQ(d.settings.transition, -5);
    EXPECT_EQ(d.settings.cascadeWidth, 0);
    EXPECT_EQ(d.settings.sendCR, 2);
}

TEST_F(SettingsTest, ThePasswordIsReadOnlyWhenItIsKept) {
    Profile(L"savePassword=1\r\npassword=c2VjcmV0\r\n");  // "secret", as earlier versions kept it
    EXPECT_EQ(DecodePassword(Start().encodedPassword), L"secret");
    Profile(L"savePassword=0\r\npassword=c2VjcmV0\r\n");
    EXPECT_EQ(Start().encodedPassword, L"");
}

TEST_F(SettingsTest, ThePasswordIsStoredWholeAndOnlyProtectedForTheUser) {
    const std::wstring cyrillicAndCjk = L"\x043F\x0430\x0440\x043E\x043B\x044C-\x5BC6\x7801+\x0100";
    Profile(L"savePassword=1\r\npassword=c2VjcmV0\r\n");
    CMainDialog d(Wiring());  // saves, while each Start() reads as the next run would
    d.LoadSettings();
    d.SaveSettings();  // the old form is replaced at once
    EXPECT_EQ(Stored(L"password"), L"");
    EXPECT_EQ(DecodePassword(Start().encodedPassword), L"secret");
    d.encodedPassword = EncodePassword(cyrillicAndCjk);
    d.SaveSettings();
    const std::wstring sealed = Stored(L"protectedPassword");
    const std::string stored = DecodeBase64Bytes(sealed);
    EXPECT_TRUE(stored.starts_with("sealed for op:")) << testing::PrintToString(sealed);
    EXPECT_EQ(FileText().find(L"\x043F\x0430"), std::wstring::npos);
    EXPECT_EQ(DecodePassword(Start().encodedPassword), cyrillicAndCjk);

    // A profile carried to another account or machine holds no password there, and keeps the
    // one stored for op byte for byte until a new one is entered or "Save password" cleared.
    storage.user = "someone else";
    EXPECT_EQ(Start().encodedPassword, L"");
    Start().SaveSettings();
    EXPECT_EQ(Stored(L"protectedPassword"), sealed);
    dialog.encodedPassword = EncodePassword(L"theirs");
    dialog.SaveSettings();
    EXPECT_EQ(DecodePassword(Start().encodedPassword), L"theirs");
    storage.user = "op";
    EXPECT_EQ(Start().encodedPassword, L"");
    dialog.settings.savePassword = 0;
    dialog.SaveSettings();
    EXPECT_EQ(Stored(L"protectedPassword"), L"");
    storage.failProtect = true;  // what cannot be protected is not stored at all
    d.SaveSettings();
    EXPECT_EQ(Stored(L"protectedPassword"), L"");
    EXPECT_EQ(Stored(L"password"), L"");
}

// ---- saving ----

TEST_F(SettingsTest, TheFirstSaveOfAFreshProfileWritesEveryKeyInOrder) {
    Start().SaveSettings();
    std::wstring expected = L"[Tandrel]\r\nfilter00=All PuTTYs||+*\r\n";
    for (int n = 1; n < 100; ++n) expected += Slot(L"filter", n) + L"=\r\n";
    expected += L"filter=0\r\n";
    for (int n = 0; n < 100; ++n) expected += Slot(L"cmdhistory", n) + L"=\r\n";
    expected +=
        L"savePassword=0\r\npassword=\r\nprotectedPassword=\r\ntoolWindow=1\r\nalwaysOnTop="
        L"1\r\nminimizeToSysTray=1\r\n"
        L"transition=25\r\nwindowOpacity=255\r\nautoArrange=1\r\nautoMinimize=0\r\narrangeOnStartup=0\r\n"
        L"unhideOnExit=1\r\ncascadeWidth=642\r\ncascadeHeight=386\r\nsendCR=1\r\ntabCompletion=0\r\n"
        L"cmdhistoryScrollThrough=1\r\nemulateCopyPaste=1\r\nrunOnSystemStartup=0\r\ncheckForUpdates=1\r\n"
        L"typeInBackground=0\r\nopenArrange=3\r\nputtyPath=\r\nopenPattern=\r\n";
    ASSERT_TRUE(storage.files.contains(kBeside));
    EXPECT_EQ(storage.files[kBeside], EncodeUtf16LeWithBom(expected));
    EXPECT_EQ(storage.writes, 1);
}

TEST_F(SettingsTest, EveryValueComesBackAtTheNextStart) {
    CMainDialog& d = Start();
    d.filterList = {L"web||+web*;-web-test*", L"db||db??"};
    d.selectedFilter = 1;
    d.commandHistory = {L"uptime", L"sudo -i", L"exit"};
    d.encodedPassword = EncodePassword(L"s\x0435cr\x0435t");
    std::int32_t value = 1000;
    for (const IntMember& m : kIntegers) d.settings.*m.member = ++value;
    d.settings.savePassword = 1;
    d.settings.puttyPath = L"D:\\Net Tools\\putty.exe";
    d.settings.openPattern = L"web*;-web03";
    d.SaveSettings();

    CMainDialog& next = Start();
    EXPECT_EQ(next.filterList, (std::vector<std::wstring>{L"web||+web*;-web-test*", L"db||db??"}));
    EXPECT_EQ(next.selectedFilter, 1);
    EXPECT_EQ(next.commandHistory, (std::vector<std::wstring>{L"uptime", L"sudo -i", L"exit"}));
    EXPECT_EQ(next.historyCursor, 3);
    EXPECT_EQ(DecodePassword(next.encodedPassword), L"s\x0435cr\x0435t");
    EXPECT_EQ(next.settings.puttyPath, L"D:\\Net Tools\\putty.exe");
    EXPECT_EQ(next.settings.openPattern, L"web*;-web03");
    value = 1000;
    for (const IntMember& m : kIntegers) {
        ++value;
        EXPECT_EQ(next.settings.*m.member, m.member == &Settings::savePassword ? 1 : value)
            << testing::PrintToString(m.key);
    }
}

TEST_F(SettingsTest, OnlyTheFirstHundredFiltersAndCommandsAreStored) {
    CMainDialog& d = Start();
    d.filterList.clear();
    for (int n = 0; n < 105; ++n) d.filterList.push_back(L"f" + std::to_wstring(n) + L"||+*");
    for (int n = 0; n < 120; ++n) d.commandHistory.push_back(L"c" + std::to_wstring(n));
    d.SaveSettings();
    EXPECT_EQ(Stored(L"filter00"), L"f0||+*");
    EXPECT_EQ(Stored(L"filter99"), L"f99||+*");
    EXPECT_EQ(Stored(L"cmdhistory99"), L"c99");
    EXPECT_EQ(FileText().find(L"f100"), std::wstring::npos);
    EXPECT_EQ(FileText().find(L"c100"), std::wstring::npos);
    EXPECT_EQ(Start().filterList.size(), 100u);
    EXPECT_EQ(dialog.commandHistory.size(), 100u);
}

TEST_F(SettingsTest, ASaveEmptiesTheSlotsOfALongerListStoredBefore) {
    Profile(L"filter00=a||+a*\r\nfilter01=b||+b*\r\nfilter02=c||+c*\r\ncmdhistory00=x\r\ncmdhistory01=y\r\n");
    CMainDialog& d = Start();
    d.filterList = {L"only||+*"};
    d.commandHistory = {L"z"};
    d.SaveSettings();
    EXPECT_EQ(Stored(L"filter01"), L"");
    EXPECT_EQ(Stored(L"filter02"), L"");
    EXPECT_EQ(Stored(L"cmdhistory01"), L"");
    EXPECT_EQ(Start().filterList, std::vector<std::wstring>{L"only||+*"});
    EXPECT_EQ(dialog.commandHistory, std::vector<std::wstring>{L"z"});
}

TEST_F(SettingsTest, SavingWithoutSavePasswordErasesTheStoredPasswordOnly) {
    Profile(L"savePassword=1\r\npassword=c2VjcmV0\r\n");
    CMainDialog& d = Start();
    d.settings.savePassword = 0;
    d.SaveSettings();
    EXPECT_EQ(Stored(L"password"), L"");
    EXPECT_EQ(Stored(L"protectedPassword"), L"");
    EXPECT_EQ(Stored(L"savePassword"), L"0");
    EXPECT_EQ(DecodePassword(d.encodedPassword), L"secret");  // still offered for the rest of this run
    EXPECT_EQ(Start().encodedPassword, L"");
}

TEST_F(SettingsTest, KeysAndSectionsOfOthersSurviveASave) {
    storage.files[kBeside] =
        EncodeUtf16LeWithBom(L"[Tandrel]\r\nnote=mine\r\nsendCR=0\r\n\r\n[Other]\r\nx=1\r\n");
    Start().SaveSettings();
    EXPECT_EQ(Stored(L"note"), L"mine");
    EXPECT_EQ(Stored(L"x"), L"1");
    EXPECT_EQ(Stored(L"sendCR"), L"0");
    EXPECT_EQ(FileText().find(L"[Tandrel]\r\nnote=mine\r\nsendCR=0\r\nfilter00="), 0u);
}

TEST_F(SettingsTest, ASaveWithoutALoadStillWritesEverything) {
    CMainDialog d(Wiring());
    d.settings.transition = 70;
    d.SaveSettings();
    EXPECT_EQ(Stored(L"transition"), L"70");
    EXPECT_EQ(Stored(L"filter00"), L"All PuTTYs||+*");
}

// ---- the Run value ----

TEST_F(SettingsTest, TheRunValueFollowsThePreferenceAtStartAndSave) {
    Profile(L"runOnSystemStartup=1\r\n");
    storage.runValues[L"Tandrel"] = kExe;  // unquoted, as an earlier version wrote it
    CMainDialog& d = Start();
    EXPECT_EQ(storage.runValues, (std::map<std::wstring, std::wstring>{{L"Tandrel", kQuotedExe}}));

    storage.runValues.clear();
    d.SaveSettings();
    EXPECT_EQ(storage.runValues[L"Tandrel"], kQuotedExe);

    d.settings.runOnSystemStartup = 0;  // the preferences dialog confirmed
    d.SaveSettings();
    EXPECT_FALSE(storage.runValues.contains(L"Tandrel"));
}

TEST_F(SettingsTest, TheRunValueFollowsAMovedExecutable) {
    Profile(L"runOnSystemStartup=1\r\n");
    Start();
    storage.executablePath = L"D:\\Portable Tools\\tandrel.exe";
    storage.folders.insert(L"D:\\Portable Tools");
    storage.files[L"D:\\Portable Tools\\tandrel.ini"] = storage.files[kBeside];  // moved with it
    Start();
    EXPECT_EQ(storage.runValues[L"Tandrel"], L"\"D:\\Portable Tools\\tandrel.exe\"");
}

TEST_F(SettingsTest, AStartWithThePreferenceOffRemovesARunValueMadeBySomeoneElse) {
    storage.runValues[L"Tandrel"] = L"\"C:\\Old\\tandrel.exe\" /min";
    storage.runValues[L"Other"] = L"other.exe";
    Start();
    EXPECT_EQ(storage.runValues, (std::map<std::wstring, std::wstring>{{L"Other", L"other.exe"}}));
}

TEST_F(SettingsTest, WithoutAnExecutablePathTheRunValueIsLeftAlone) {
    storage.runValues[L"Tandrel"] = L"C:\\Old\\tandrel.exe";
    storage.executablePath.clear();
    Profile(L"runOnSystemStartup=1\r\n", kInAppData);
    storage.folders.insert(L"C:\\Users\\op\\AppData\\Roaming\\Tandrel");
    Start().SaveSettings();
    EXPECT_EQ(storage.runValues[L"Tandrel"], L"C:\\Old\\tandrel.exe");
    EXPECT_EQ(storage.runValueSets, 0);
    EXPECT_EQ(Stored(L"runOnSystemStartup", kInAppData), L"1");  // the profile is still saved
}

TEST_F(SettingsTest, ARunKeyThatCannotBeOpenedChangesNothingElse) {
    storage.runKeyAvailable = false;
    Profile(L"runOnSystemStartup=1\r\ntransition=40\r\n");
    fakes::TraceLog trace;
    CMainDialog& d = Start();
    EXPECT_EQ(d.settings.transition, 40);
    d.SaveSettings();
    EXPECT_TRUE(storage.runValues.empty());
    EXPECT_EQ(Stored(L"transition"), L"40");
    // Said only on the diagnostics channel, at the start and at the save.
    EXPECT_EQ(trace.lines, std::vector<std::wstring>(2, L"The Run entry could not be set"));
}

// ---- where the profile lives ----

TEST_F(SettingsTest, TheProfileIsNamedAfterTheExecutable) {
    storage.executablePath = L"C:\\Tools\\keys.EXE";
    Start().SaveSettings();
    EXPECT_TRUE(storage.files.contains(L"C:\\Tools\\keys.ini"));
}

TEST_F(SettingsTest, AnUnwritableProgramFolderMovesTheProfileToAppData) {
    storage.unwritableFolders.insert(L"C:\\Tools");
    Profile(L"transition=40\r\n");  // beside the program, left there by an installer
    CMainDialog& d = Start();
    EXPECT_EQ(d.settings.transition, 40);  // read as the first profile
    d.settings.transition = 60;
    d.SaveSettings();
    EXPECT_EQ(Stored(L"transition", kInAppData), L"60");
    EXPECT_EQ(Stored(L"transition", kBeside), L"40");
    EXPECT_EQ(storage.writes, 1);
    EXPECT_EQ(Start().settings.transition, 60);  // from now on the one in AppData counts...
    storage.unwritableFolders.clear();
    EXPECT_EQ(Start().settings.transition, 60);  // ...even once the program's folder can be written again
}

TEST_F(SettingsTest, AProfileThatExistsButCannotBeReadIsNeverWrittenOver) {
    struct Case {
        const char* name;
        const wchar_t* unreadable;
        bool programFolderWritable;
    };
    const Case cases[] = {
        {"beside the program", kBeside, true},
        {"in AppData, with an older one beside the program", kInAppData, true},
        {"beside a program whose folder cannot be written", kBeside, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        storage = fakes::FakeStorage();
        storage.folders.insert(L"C:\\Users\\op\\AppData\\Roaming\\Tandrel");
        if (!c.programFolderWritable)
            storage.unwritableFolders.insert(L"C:\\Tools");
        Profile(L"transition=40\r\nrunOnSystemStartup=0\r\n", kBeside);
        if (c.unreadable == std::wstring(kInAppData))
            Profile(L"transition=70\r\nrunOnSystemStartup=0\r\n", kInAppData);
        storage.unreadableFiles.insert(c.unreadable);
        storage.runValues[L"Tandrel"] = L"\"C:\\Tools\\tandrel.exe\"";
        const std::map<std::wstring, std::string> before = storage.files;

        CMainDialog& d = Start();
        EXPECT_EQ(d.unreadableProfile, c.unreadable);
        EXPECT_EQ(d.settings.transition, 25);  // the defaults, not the other profile's 40
        d.commandHistory = {L"uptime"};
        d.SaveSettings();
        d.SaveSettings();
        DestroyDialog();
        EXPECT_EQ(storage.writes, 0);
        EXPECT_EQ(storage.files, before);
        EXPECT_EQ(storage.runValues.size(), 1u);  // the defaults do not remove the Run entry
    }
}

TEST_F(SettingsTest, AnAppDataFolderThatCannotBeCreatedLosesTheSaveQuietly) {
    storage.unwritableFolders = {L"C:\\Tools", L"C:\\Users\\op\\AppData\\Roaming"};
    CMainDialog& d = Start();
    d.settings.transition = 60;
    d.SaveSettings();
    EXPECT_EQ(storage.failedWrites, 1);
    EXPECT_TRUE(storage.files.empty());
    EXPECT_EQ(d.settings.transition, 60);
}

// ---- faults mended ----

TEST_F(SettingsTest, CyrillicAndChineseComeBackUnchanged) {
    CMainDialog& d = Start();
    const std::wstring cyrillic = L"\x0421\x0435\x0440\x0432\x0435\x0440\x044B||+\x0432\x0435\x0431*";
    const std::wstring chinese = L"\x670D\x52A1\x5668||+\x6570\x636E\x5E93*";
    const std::wstring command = L"echo \x041F\x0440\x0438\x0432\x0435\x0442 \x4F60\x597D";
    d.filterList = {cyrillic, chinese};
    d.commandHistory = {command};
    d.SaveSettings();
    EXPECT_EQ(Stored(L"filter00"), cyrillic);
    CMainDialog& next = Start();
    EXPECT_EQ(next.filterList, (std::vector<std::wstring>{cyrillic, chinese}));
    EXPECT_EQ(next.commandHistory, std::vector<std::wstring>{command});
}

TEST_F(SettingsTest, AMultiLineCommandComesBackWholeAndChangesNoOtherKey) {
    CMainDialog& d = Start();
    d.filterList = {L"a||+a*", L"b||+b*", L"c||+c*", L"d||+d*"};
    d.selectedFilter = 1;
    const std::wstring command = L"cat <<X\r\nfilter=3\r\ncmdhistory05=rm -rf /\r\n[Other]\r\nX";
    d.commandHistory = {L"uptime", command, L"exit"};
    d.SaveSettings();
    EXPECT_EQ(FileText().find(L"\r\nfilter=3"), std::wstring::npos);
    CMainDialog& next = Start();
    EXPECT_EQ(next.selectedFilter, 1);
    EXPECT_EQ(next.commandHistory, (std::vector<std::wstring>{L"uptime", command, L"exit"}));
    EXPECT_EQ(Stored(L"cmdhistory00"), L"uptime");  // single-line values stay plain
}

TEST_F(SettingsTest, AFailedWriteKeepsTheOldFileAndTheValuesInMemory) {
    CMainDialog& d = Start();
    d.settings.transition = 40;
    d.SaveSettings();
    const std::string before = storage.files[kBeside];
    storage.failWrites = true;
    d.settings.transition = 90;
    d.commandHistory = {L"uptime"};
    fakes::TraceLog trace;
    d.SaveSettings();
    EXPECT_EQ(trace.lines,
              std::vector<std::wstring>{L"The profile could not be written: " + std::wstring(kBeside)});
    EXPECT_EQ(storage.files[kBeside], before);
    EXPECT_EQ(storage.failedWrites, 1);
    EXPECT_EQ(d.settings.transition, 90);
    EXPECT_EQ(d.commandHistory, std::vector<std::wstring>{L"uptime"});
    storage.failWrites = false;
    EXPECT_EQ(Start().settings.transition, 40);
}

// A written profile is clean: the mark, then only section lines and key lines, every one ended
// by CRLF, holding exactly the keys of a save.
void ExpectClean(const std::string& bytes) {
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    const std::wstring text = DecodeText(bytes);
    ASSERT_TRUE(text.ends_with(L"\r\n"));
    std::size_t lines = 0;
    for (std::size_t pos = 0; pos < text.size(); ++lines) {
        const std::size_t end = text.find(L"\r\n", pos);
        const std::wstring line = text.substr(pos, end - pos);
        EXPECT_TRUE(line.empty() || line.front() == L'[' || line.find(L'=') != std::wstring::npos)
            << "line " << lines;
        pos = end + 2;
    }
    EXPECT_GE(lines, 220u);  // [Tandrel], 201 slots and "filter", 18 more keys
}

TEST_F(SettingsTest, AProfileThatCannotBeParsedLoadsWhatItCanAndIsWrittenBackClean) {
    // A full profile to damage.
    {
        CMainDialog& d = Start();
        d.filterList = {L"web||+web*", L"db||+db*"};
        d.selectedFilter = 1;
        for (int n = 0; n < 100; ++n) d.commandHistory.push_back(L"command " + std::to_wstring(n));
        d.settings.transition = 40;
        d.settings.checkForUpdates = 0;
        d.SaveSettings();
    }
    const std::string full = storage.files[kBeside];
    std::string junk(5000, '\0');
    std::uint32_t seed = 7;
    for (char& c : junk) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);

    struct Case {
        const char* name;
        std::string bytes;
        std::size_t filters;  // what is expected to load
        std::size_t history;
        std::int32_t transition;
    };
    const std::size_t cut = full.find(std::string("c\0m\0d\0h\0i\0s\0t\0o\0r\0y\0\x35\0\x30\0", 24));
    const Case cases[] = {
        {"binary junk", junk, 1, 0, 25},
        {"junk behind a good profile", full + junk, 2, 100, 40},
        {"truncated inside the history", full.substr(0, cut + 7), 2, 50, 25},
        {"truncated inside a UTF-16 unit", full.substr(0, full.size() - 1), 2, 100, 40},
        {"lines without \"=\"", "[Tandrel]\r\ntransition 40\r\nfilter00\r\n\r\nsendCR=0\r\ngarbage\r\n", 1, 0,
         25},
        {"an enormous line", "[Tandrel]\r\n" + std::string(8'000'000, 'x') + "\r\ntransition=40\r\n", 1, 0,
         40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        storage.files[kBeside] = c.bytes;
        CMainDialog& d = Start();
        EXPECT_EQ(d.filterList.size(), c.filters);
        EXPECT_EQ(d.commandHistory.size(), c.history);
        EXPECT_EQ(d.settings.transition, c.transition);
        d.SaveSettings();
        ExpectClean(storage.files[kBeside]);
        // What was loaded is what the clean file gives back.
        const std::vector<std::wstring> filters = d.filterList;
        const std::vector<std::wstring> history = d.commandHistory;
        const std::int32_t transition = d.settings.transition;
        CMainDialog& next = Start();
        EXPECT_EQ(next.filterList, filters);
        EXPECT_EQ(next.commandHistory, history);
        EXPECT_EQ(next.settings.transition, transition);
    }
}

}  // namespace
}  // namespace tandrel
