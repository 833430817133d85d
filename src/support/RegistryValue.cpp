#include "support/RegistryValue.h"

#include <cstdio>

namespace wakelatch::registry {

std::string ValueText(const RawValue& value, const std::string& incoming) {
    std::string cut(value.bytes.begin(), value.bytes.end());
    cut = cut.substr(0, cut.find('\0'));
    if (value.type == kTypeString) {
        return cut;
    }
    if (value.type == kTypeNumber) {
        std::string text = incoming;
        for (auto it = cut.rbegin(); it != cut.rend(); ++it) {
            char digits[8];
            std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned char>(*it));
            text += digits;
        }
        return "&h" + text;
    }
    return incoming;
}

bool GetKeyValue(RegistryReader& registry, std::uint32_t root, const std::string& key,
                 const std::string& valueName, std::string& valueText) {
    if (!registry.OpenReadOnly(root, key)) {
        registry.Close();
        valueText.clear();
        return false;
    }
    const std::optional<RawValue> value = registry.Query(valueName);
    registry.Close();
    if (!value) {
        valueText.clear();
        return false;
    }
    valueText = ValueText(*value, valueText);
    return true;
}

}  // namespace wakelatch::registry
