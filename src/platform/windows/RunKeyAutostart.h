#pragma once

#include <string>

#include "platform/AutostartEntries.h"

namespace wakelatch::platform {

// Autostart entries as values of the user's Run key
// (HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Run): REG_SZ data is the program path in
// double quotes, so that a path with blanks starts the program and not the first word of it.
class RunKeyAutostart final : public AutostartEntries {
  public:
    static constexpr const wchar_t* kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

    bool Write(const std::string& name, const std::string& command) override;
    bool Remove(const std::string& name) override;
};

}  // namespace wakelatch::platform
