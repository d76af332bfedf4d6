// The prompt interface: message boxes and file dialogs as the core asks for them.
#pragma once

#include <cstdint>
#include <string>

// Message boxes and dialogs reach the core through this, so the core has no
// window code and tests can answer for the user.

enum class MessageStyle {
    StopOk,                  // failures
    ExclamationOk,           // open and save failures
    InformationOk,           // notices
    QuestionOkCancel,        // deletions
    ExclamationYesNoCancel,  // "Save changes to %1?"
    QuestionYesNo,           // replacing an existing file
};

enum class MessageAnswer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    bool save = false;
    std::string title;             // empty: the dialog's own
    std::string filter;            // pairs as the common dialog takes them: "Linkhive (*.lkh)|*.lkh|All Files (*.*)|*.*|"
    std::string defaultExtension;  // without the dot; empty for none
    std::string initialPath;
};

// The user's side of every dialog. Each chooser returns false when the user
// cancelled; the defaults cancel, for faces that never ask.
class IPrompt {
public:
    virtual ~IPrompt() = default;
    virtual MessageAnswer ShowMessage(const std::string& text, MessageStyle style) = 0;
    virtual bool ChooseFile(const FileDialogRequest& request, std::string& path)
    {
        (void)request;
        (void)path;
        return false;
    }
    virtual bool ChooseFolder(const std::string& title, std::string& path)
    {
        (void)title;
        (void)path;
        return false;
    }
    // `colour` is 0x00BBGGRR; `custom` the dialog's sixteen custom colours.
    virtual bool ChooseColour(uint32_t& colour, uint32_t custom[16])
    {
        (void)colour;
        (void)custom;
        return false;
    }
};
