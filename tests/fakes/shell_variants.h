// Shells for the tests: one that delivers more than it was asked for, one that must not be used.
#pragma once
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/fake_shell.h"
#include "platform/shell.h"

namespace tandrel::fakes {

// A shell that hands back more than it was asked for: the check does not read such a record.
class OverfullShell : public FakeShell {
  public:
    std::string record;  // what follows the filling
    bool Download(const std::wstring& url, std::uint32_t timeoutMs, std::size_t maxBytes,
                  std::string& bytes) override {
        FakeShell::Download(url, timeoutMs, maxBytes, bytes);
        bytes = std::string(maxBytes, '\n') + record;
        return true;
    }
};

// A shell for code that opens no address: opening one fails the test.
class NoShell : public IShell {
  public:
    void OpenUrl(const std::wstring&) override { ADD_FAILURE() << "the settings open no address"; }
    bool Download(const std::wstring&, std::uint32_t, std::size_t, std::string&) override { return false; }
};

}  // namespace tandrel::fakes
