// Where the profile lives: named after the executable (tandrel.exe keeps tandrel.ini), beside it
// as a portable tool keeps it, or in %APPDATA%\Tandrel\ when the program's folder cannot be
// written. Once a profile exists in %APPDATA%, it is the one: a start that finds the program's
// folder writable again does not go back to the older file beside the program.
#pragma once
#include <string>
#include <string_view>

#include "platform/storage.h"

namespace tandrel {

struct ProfileLocation {
    std::wstring path;    // the profile written by every save; empty when none can be had
    std::wstring folder;  // created before a write when not empty (%APPDATA%\Tandrel)
};

// The executable's file name with its extension replaced by ".ini" ("tandrel.exe" -> "tandrel.ini").
std::wstring ProfileFileName(std::wstring_view executablePath);

// The profile found at start, and what reading it gave.
struct FoundProfile {
    ProfileLocation location;
    FileRead read = FileRead::kMissing;  // of `readPath`
    std::wstring readPath;               // the file the values come from: the profile, or the
                                         // one beside a program whose folder cannot be written
                                         // that seeds it; empty when there is none
    std::string bytes;                   // its content when it was read
};

FoundProfile FindProfile(IStorage& storage);

}  // namespace tandrel
