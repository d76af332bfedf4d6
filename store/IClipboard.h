// The clipboard as the core reaches it.
#pragma once

#include <string>

// The clipboard's plain text, as the core reaches it: the system's in the
// program, a fake in tests.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Silently does nothing when the clipboard cannot be opened.
    virtual void PutText(const std::string& text) = 0;
    // Empty when there is no clipboard or no text on it.
    virtual std::string GetText() = 0;
    virtual void Empty() = 0;
};
