#pragma once
// The per-user settings store on QSettings in INI form: organisation and application "Tintora"
// (~/.config/Tintora/Tintora.conf), one INI section per settings section. The header holds no
// Qt header, so it mixes with the core's headers in any order.

#include <memory>
#include <optional>
#include <string>

#include "settings/SettingsStore.h"

class QSettings;

namespace tintora {

class QtSettingsStore : public SettingsStore {
public:
    // The user's store.
    QtSettingsStore();
    // A store kept in the INI file at `file` (tests).
    explicit QtSettingsStore(const std::string& file);
    ~QtSettingsStore() override;  // writes what is pending

    std::optional<std::string> Read(const std::string& section,
                                    const std::string& key) const override;
    void Write(const std::string& section, const std::string& key,
               const std::string& value) override;

    // Writes pending changes to disk now; false when the file could not be written.
    bool Sync();
    bool Flush(std::string& why) override;
    // The INI file behind the store.
    std::string FileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace tintora
