#pragma once

#include <cstddef>
#include <string>

#include "platform/DrivePlatform.h"

// The user's persistent network mappings and connection requests.
namespace wakelatch::platform::win_drives {

// The longest remote path read, in UTF-16 units: the longest path Windows knows of.
inline constexpr std::size_t kLongestRemotePath = 32 * 1024;

// HKEY_CURRENT_USER\Network\<letter>, value "RemotePath", opened for reading only; a longer value
// reads as absent.
MappingValue ReadNetworkMapping(char letter);

// WNetUseConnectionA for the letter ("F:") and the remote path (UTF-8), redirecting the letter, asking the
// user nothing; its result code as it stands. Blocks while the server does not answer.
int ConnectDrive(const std::string& localName, const std::string& remotePath);

}  // namespace wakelatch::platform::win_drives
