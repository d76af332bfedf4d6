// A profile in memory, for tests.
#include "settings/MemoryProfile.h"

uint32_t MemoryProfile::GetProfileInt(const std::string& section, const std::string& entry, uint32_t defaultValue)
{
    reads.push_back(entry);
    const auto found = numbers.find({section, entry});
    return found == numbers.end() ? defaultValue : found->second;
}

std::string MemoryProfile::GetProfileString(const std::string& section, const std::string& entry,
                                            const std::string& defaultValue)
{
    reads.push_back(entry);
    const auto found = texts.find({section, entry});
    return found == texts.end() ? defaultValue : found->second;
}

void MemoryProfile::WriteProfileInt(const std::string& section, const std::string& entry, uint32_t value)
{
    writes.push_back(entry);
    texts.erase({section, entry});
    numbers[{section, entry}] = value;
}

void MemoryProfile::WriteProfileString(const std::string& section, const std::string& entry,
                                       const std::string& value)
{
    writes.push_back(entry);
    numbers.erase({section, entry});
    texts[{section, entry}] = value;
}

bool MemoryProfile::Has(const std::string& section, const std::string& entry) const
{
    return numbers.count({section, entry}) != 0 || texts.count({section, entry}) != 0;
}
