// A profile in memory, for tests.
#pragma once

#include "settings/Profile.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// A profile held in memory, for tests; it remembers the order of the writes.
class MemoryProfile : public IProfile {
public:
    uint32_t GetProfileInt(const std::string& section, const std::string& entry, uint32_t defaultValue) override;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue) override;
    void WriteProfileInt(const std::string& section, const std::string& entry, uint32_t value) override;
    void WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) override;

    bool Has(const std::string& section, const std::string& entry) const;

    std::map<std::pair<std::string, std::string>, uint32_t> numbers;
    std::map<std::pair<std::string, std::string>, std::string> texts;
    std::vector<std::string> reads;   // entries in the order they were read
    std::vector<std::string> writes;  // entries in the order they were written
};
