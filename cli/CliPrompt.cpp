// linkhive-cli's prompt: answers that lose nothing, messages on stderr.
#include "cli/CliPrompt.h"

#include <cstdio>

std::string EscapeField(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
        }
    }
    return out;
}

MessageAnswer CliPrompt::ShowMessage(const std::string& text, MessageStyle style)
{
    const std::string line = EscapeField(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    switch (style) {
    case MessageStyle::QuestionOkCancel:
        return MessageAnswer::Cancel;
    case MessageStyle::ExclamationYesNoCancel:
        return MessageAnswer::Yes;
    default:
        return MessageAnswer::Ok;
    }
}
