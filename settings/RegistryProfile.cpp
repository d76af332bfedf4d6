// The profile kept in the registry.
#include "settings/RegistryProfile.h"

#include "settings/RegistryKey.h"

RegistryProfile::RegistryProfile(const std::string& company, const std::string& application)
    : m_base("Software\\" + company + "\\" + application)
{
}

std::string RegistryProfile::SectionPath(const std::string& section) const
{
    return m_base + "\\" + section;
}

uint32_t RegistryProfile::GetProfileInt(const std::string& section, const std::string& entry, uint32_t defaultValue)
{
    RegistryKey key;
    uint32_t value = defaultValue;
    if (key.Open(RegistryRoot::CurrentUser, SectionPath(section)) == kRegistryOk)
        key.ReadDword(entry, value);
    return value;
}

std::string RegistryProfile::GetProfileString(const std::string& section, const std::string& entry,
                                              const std::string& defaultValue)
{
    RegistryKey key;
    std::string value = defaultValue;
    if (key.Open(RegistryRoot::CurrentUser, SectionPath(section)) == kRegistryOk)
        key.ReadLongString(entry, value);
    return value;
}

void RegistryProfile::WriteProfileInt(const std::string& section, const std::string& entry, uint32_t value)
{
    RegistryKey key;
    if (key.Open(RegistryRoot::CurrentUser, SectionPath(section)) == kRegistryOk)
        key.WriteDword(entry, value);
}

void RegistryProfile::WriteProfileString(const std::string& section, const std::string& entry,
                                         const std::string& value)
{
    RegistryKey key;
    if (key.Open(RegistryRoot::CurrentUser, SectionPath(section)) == kRegistryOk)
        key.WriteString(entry, value);
}
