#pragma once

#include <string>

// Message boxes and the clipboard reach the core through these, so the core
// has no window code and tests can answer for the user.

enum class MessageStyle {
    StopOk,                  // failures
    ExclamationOk,           // open and save failures
    InformationOk,           // notices
    QuestionOkCancel,        // deletions
    ExclamationYesNoCancel,  // "Save changes to %1?"
};

enum class MessageAnswer { Ok, Cancel, Yes, No };

class IPrompt {
public:
    virtual ~IPrompt() = default;
    virtual MessageAnswer ShowMessage(const std::string& text, MessageStyle style) = 0;
};

class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Silently does nothing when the clipboard cannot be opened.
    virtual void PutText(const std::string& text) = 0;
    // Empty when there is no clipboard or no text on it.
    virtual std::string GetText() = 0;
    virtual void Empty() = 0;
};
