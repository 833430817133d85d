#pragma once

#include <map>
#include <string>
#include <vector>

#include "fakes/CallLog.h"
#include "settings/SettingsStore.h"

namespace wakelatch::testing {

// Settings in memory; records every write in order.
class FakeSettingsStore final : public SettingsStore {
  public:
    std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key,
                           const std::string& defaultText) override {
        Note(log, "read " + key);
        const auto it = values.find(Address(appName, section, key));
        return it == values.end() ? defaultText : it->second;
    }

    bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                     const std::string& text) override {
        writes.push_back(key);
        Note(log, "write " + key);
        values[Address(appName, section, key)] = text;
        return true;
    }

    void Set(const std::string& key, const std::string& text) {
        values[Address("Wakelatch", "Settings", key)] = text;
    }
    bool Has(const std::string& key) const {
        return values.count(Address("Wakelatch", "Settings", key)) != 0;
    }
    std::string Get(const std::string& key) const { return values.at(Address("Wakelatch", "Settings", key)); }

    std::map<std::string, std::string> values;
    std::vector<std::string> writes;
    CallLog* log = nullptr;  // also gets "read Key" and "write Key", among other fakes' calls

  private:
    static std::string Address(const std::string& app, const std::string& section, const std::string& key) {
        return app + "\\" + section + "\\" + key;
    }
};

}  // namespace wakelatch::testing
