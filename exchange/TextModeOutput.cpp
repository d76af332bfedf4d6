// Text as a file written in text mode holds it.
#include "exchange/TextModeOutput.h"

std::string TextModeBytes(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}
