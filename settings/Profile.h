// The profile interface the settings are kept through.
#pragma once

#include <cstdint>
#include <string>

// The four profile operations: numbers and texts by section and entry, each
// read naming the default a missing value gives. Writes are not checked.
class IProfile {
public:
    virtual ~IProfile() = default;
    virtual uint32_t GetProfileInt(const std::string& section, const std::string& entry, uint32_t defaultValue) = 0;
    virtual std::string GetProfileString(const std::string& section, const std::string& entry,
                                         const std::string& defaultValue) = 0;
    virtual void WriteProfileInt(const std::string& section, const std::string& entry, uint32_t value) = 0;
    virtual void WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) = 0;
};

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kRecentFileSection = "Recent File List";
// The settings key as start-up opens it directly, under the current user.
constexpr const char* kSettingsKeyPath = "SOFTWARE\\Quillmere\\Linkhive\\Settings";
