// The system clipboard's plain text.
#pragma once

#include "store/IClipboard.h"

#include <windows.h>

#include <string>

// Plain text on the system clipboard, with `owner` (the main frame) as its
// owner: put as Unicode text and as 8-bit text in the legacy code page, read
// as Unicode text where there is some. A clipboard that cannot be opened is
// skipped.
class Win32Clipboard : public IClipboard {
public:
    explicit Win32Clipboard(HWND owner = nullptr) : m_owner(owner) {}
    void SetOwner(HWND owner) { m_owner = owner; }

    void PutText(const std::string& text) override;
    std::string GetText() override;
    void Empty() override;

private:
    HWND m_owner;
};
