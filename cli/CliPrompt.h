// linkhive-cli's prompt: answers that lose nothing, messages on stderr.
#pragma once

#include "store/IClipboard.h"
#include "store/Prompt.h"

#include <string>

// Escapes a field for the CLI's line-oriented output: backslash, tab,
// carriage return and line feed become \\ \t \r \n.
std::string EscapeField(const std::string& text);

// Messages go to stderr, one per line. No question is ever put to a person:
// each is answered the way that loses nothing.
class CliPrompt : public IPrompt {
public:
    MessageAnswer ShowMessage(const std::string& text, MessageStyle style) override;
};

// A clipboard of its own, so no command touches the real one.
class CliClipboard : public IClipboard {
public:
    void PutText(const std::string& text) override { m_text = text; }
    std::string GetText() override { return m_text; }
    void Empty() override { m_text.clear(); }

private:
    std::string m_text;
};
