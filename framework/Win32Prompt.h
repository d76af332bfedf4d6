// The prompt through real message boxes and file dialogs.
#pragma once

#include "store/Prompt.h"

#include <windows.h>

#include <string>

// The real dialogs: message boxes captioned with the program's name, the common file and
// colour dialogs, and the shell's folder browser, each owned by `owner`.
class Win32Prompt : public IPrompt {
public:
    explicit Win32Prompt(HWND owner = nullptr) : m_owner(owner) {}
    void SetOwner(HWND owner) { m_owner = owner; }
    HWND Owner() const { return m_owner; }

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style) override;
    bool ChooseFile(const FileDialogRequest& request, std::string& path) override;
    bool ChooseFolder(const std::string& title, std::string& path) override;
    bool ChooseColour(uint32_t& colour, uint32_t custom[16]) override;

private:
    HWND m_owner;
};

// MessageBoxA's flags for a style, and the answer for its return value.
UINT MessageBoxFlags(MessageStyle style);
MessageAnswer MessageAnswerOf(int result);
// "A|*.a|B|*.b|" as the common dialog takes it: every '|' a zero byte, ending
// in two zero bytes.
std::string CommonDialogFilter(const std::string& filter);
