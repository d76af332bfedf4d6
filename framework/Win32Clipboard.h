// The system clipboard's plain text.
#pragma once

#include "store/IClipboard.h"

#include <windows.h>

#include <string>

// Plain text (CF_TEXT) on the system clipboard, with `owner` (the main
// frame) as its owner. A clipboard that cannot be opened is skipped.
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
