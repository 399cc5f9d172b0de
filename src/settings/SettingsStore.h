#pragma once
// The per-user settings store: text values by section and key. The Qt platform layer keeps them
// in an INI file; tests and the command line keep them in memory.

#include <optional>
#include <string>
#include <unordered_map>

namespace tintora {

// A key's full name, "Section/Key", as an INI file writes it; sections never hold a "/".
inline std::string SettingsKeyPath(const std::string& section, const std::string& key) {
    return section + '/' + key;
}

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or nullopt when the key is absent.
    virtual std::optional<std::string> Read(const std::string& section,
                                            const std::string& key) const = 0;
    // Stores the text, creating section and key as needed.
    virtual void Write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    // Puts what was written where it lasts; false with the reason when it could not be kept.
    virtual bool Flush(std::string& why) {
        (void)why;
        return true;
    }
};

// Values by their key's full name.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> Read(const std::string& section,
                                    const std::string& key) const override {
        const auto it = values_.find(SettingsKeyPath(section, key));
        if (it == values_.end()) return std::nullopt;
        return it->second;
    }
    void Write(const std::string& section, const std::string& key,
               const std::string& value) override {
        values_[SettingsKeyPath(section, key)] = value;
    }
    std::size_t Size() const { return values_.size(); }

private:
    std::unordered_map<std::string, std::string> values_;
};

}  // namespace tintora
