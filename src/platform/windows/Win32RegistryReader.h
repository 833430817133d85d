#pragma once

#include "platform/windows/Handles.h"
#include "support/RegistryValue.h"

namespace wakelatch::platform {

// The registry as the system-information lookup reads it: ANSI calls, keys opened for reading only (an
// ordinary user is refused write rights on machine-wide keys, which would hide values anyone may read).
class Win32RegistryReader final : public registry::RegistryReader {
  public:
    bool OpenReadOnly(std::uint32_t root, const std::string& key) override;
    std::optional<registry::RawValue> Query(const std::string& valueName) override;
    void Close() override { key_.Reset(); }

  private:
    win32::UniqueKey key_;
};

}  // namespace wakelatch::platform
