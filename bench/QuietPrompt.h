// A prompt that answers for the benchmarks.
#pragma once

#include "store/IClipboard.h"
#include "store/Prompt.h"

#include <string>

// A benchmark's answers: every question declined, the clipboard a sink.
class DeclineEverything : public IPrompt {
public:
    MessageAnswer ShowMessage(const std::string&, MessageStyle) override { return MessageAnswer::No; }
};

// Every deletion confirmed, every other question declined.
class AcceptDeletions : public IPrompt {
public:
    MessageAnswer ShowMessage(const std::string&, MessageStyle style) override
    {
        return style == MessageStyle::QuestionOkCancel ? MessageAnswer::Ok : MessageAnswer::No;
    }
};

class NoClipboard : public IClipboard {
public:
    void PutText(const std::string&) override {}
    std::string GetText() override { return {}; }
    void Empty() override {}
};

// Holds what is put on it, for a bench that pastes.
class HeldClipboard : public IClipboard {
public:
    void PutText(const std::string& value) override { text = value; }
    std::string GetText() override { return text; }
    void Empty() override { text.clear(); }

    std::string text;
};
