// The profile kept in the registry.
#pragma once

#include "settings/Profile.h"

// The profile kept under HKEY_CURRENT_USER\Software\<company>\<application>,
// one key per section.
class RegistryProfile : public IProfile {
public:
    RegistryProfile(const std::string& company = "Quillmere", const std::string& application = "Linkhive");

    uint32_t GetProfileInt(const std::string& section, const std::string& entry, uint32_t defaultValue) override;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue) override;
    void WriteProfileInt(const std::string& section, const std::string& entry, uint32_t value) override;
    void WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) override;

    std::string SectionPath(const std::string& section) const;

private:
    std::string m_base;
};
