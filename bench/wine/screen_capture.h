// A picture of the whole screen as the desktop shows it, for the documentation.
#pragma once
#include <string>

namespace e2e {

// Writes the primary screen as a 24-bit BMP file. False when it could not.
bool SaveScreenAsBmp(const std::wstring& path);

}  // namespace e2e
