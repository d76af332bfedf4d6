// The tag reader under the bookmark-file reader.
#include "exchange/TagStream.h"

size_t FindNoCase(std::string_view text, const char* lower)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (StartsNoCase(text.substr(i), lower))
            return i;
    }
    return kNone;
}
