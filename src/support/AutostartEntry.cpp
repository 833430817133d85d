#include "support/AutostartEntry.h"

namespace wakelatch::sml_ALL_REG_ZUGRIFF {

bool SetAutostartEntry(platform::AutostartEntries& entries, const std::string& name, const std::string& data,
                       int mode) {
    switch (mode) {
        case kAutostartWrite:
            return entries.Write(name, data);
        case kAutostartDelete:
            return entries.Remove(name);
        default:
            return false;
    }
}

}  // namespace wakelatch::sml_ALL_REG_ZUGRIFF
