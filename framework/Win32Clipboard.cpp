// The system clipboard's plain text.
#include "framework/Win32Clipboard.h"

#include <cstring>

void Win32Clipboard::PutText(const std::string& text)
{
    if (!OpenClipboard(m_owner))
        return;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (block) {
        if (void* memory = GlobalLock(block)) {
            std::memcpy(memory, text.c_str(), text.size() + 1);
            GlobalUnlock(block);
            // The clipboard owns the block from here; only a refusal leaves it ours.
            if (!SetClipboardData(CF_TEXT, block))
                GlobalFree(block);
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}

std::string Win32Clipboard::GetText()
{
    if (!OpenClipboard(m_owner))
        return std::string();
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* memory = static_cast<const char*>(GlobalLock(data))) {
            // Another program's block need not end in a zero byte within its size.
            const SIZE_T size = GlobalSize(data);
            const void* end = std::memchr(memory, '\0', size);
            text.assign(memory, end ? static_cast<const char*>(end) : memory + size);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void Win32Clipboard::Empty()
{
    if (!OpenClipboard(m_owner))
        return;
    EmptyClipboard();
    CloseClipboard();
}
