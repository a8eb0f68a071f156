// Where the profile lives: named after the executable (tandrel.exe keeps tandrel.ini), beside it
// as a portable tool keeps it, or in %APPDATA%\Tandrel\ when the program's folder cannot be
// written.
#pragma once
#include <string>
#include <string_view>

#include "platform/storage.h"

namespace tandrel {

struct ProfileLocation {
    std::wstring path;      // the profile read at start and written by every save; empty when none can be had
    std::wstring seedPath;  // read instead while `path` does not exist yet: the profile beside a
                            // program whose folder cannot be written; empty when there is none
    std::wstring folder;    // created before a write when not empty (%APPDATA%\Tandrel)
};

// The executable's file name with its extension replaced by ".ini" ("tandrel.exe" -> "tandrel.ini").
std::wstring ProfileFileName(std::wstring_view executablePath);

ProfileLocation ChooseProfileLocation(IStorage& storage);

}  // namespace tandrel
