#include "store/CodePage.h"

namespace {

// Unicode code points of the bytes 0x80-0x9F in Windows-1252; the five the
// code page leaves undefined map to the same-numbered control characters.
const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ToWindows1252(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

std::string WideToSystemCodePage(const char16_t* units, size_t count)
{
    std::string out;
    out.reserve(count);
    // Unit by unit, as Windows' single-byte tables do: a surrogate pair
    // becomes two '?'.
    for (size_t i = 0; i < count; ++i)
        out += ToWindows1252(units[i]);
    return out;
}
