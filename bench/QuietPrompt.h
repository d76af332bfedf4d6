#pragma once

#include "store/IClipboard.h"
#include "store/Prompt.h"

#include <string>

// A benchmark's answers: every question declined, the clipboard a sink.
class DeclineEverything : public IPrompt {
public:
    MessageAnswer ShowMessage(const std::string&, MessageStyle) override { return MessageAnswer::No; }
};

class NoClipboard : public IClipboard {
public:
    void PutText(const std::string&) override {}
    std::string GetText() override { return {}; }
    void Empty() override {}
};
