// The command lines that start a browser on a URL.
#include "launch/BrowserCommand.h"

#include "launch/ILauncher.h"

namespace {

constexpr const char* kBlanks = " \t";

bool HoldsBlank(const std::string& text)
{
    return text.find_first_of(kBlanks) != std::string::npos;
}

}  // namespace

bool IsEmailUrl(const std::string& url)
{
    return url.compare(0, 7, "mailto:") == 0;
}

std::string ProgramPart(const std::string& command)
{
    if (!command.empty() && command[0] == '"') {
        const size_t closing = command.find('"', 1);
        return closing == std::string::npos ? std::string() : command.substr(1, closing - 1);
    }
    const size_t quote = command.find('"');
    return quote == std::string::npos ? std::string() : command.substr(0, quote);
}

std::string QuoteArgument(const std::string& argument)
{
    if (argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count as escapes only in front of a quote.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    // The closing quote must not be escaped by a trailing backslash.
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string ProgramText(const std::string& program, ILauncher& launcher)
{
    // The blank before a registered command's placeholder is not part of the path.
    const size_t last = program.find_last_not_of(kBlanks);
    if (last == std::string::npos)
        return program;
    const std::string path = program.substr(0, last + 1);
    if (!HoldsBlank(path) || path.find('"') != std::string::npos || !launcher.IsFile(path))
        return program;
    return '"' + path + '"' + program.substr(last + 1);
}

std::string RegisteredProgram(const std::string& command, ILauncher& launcher)
{
    const std::string part = ProgramPart(command);
    // A path the registry held in quotes is one path, existing or not.
    if (!command.empty() && command[0] == '"')
        return HoldsBlank(part) ? '"' + part + '"' : part;
    return ProgramText(part, launcher);
}

std::string BrowserCommandLine(const std::string& program, const std::string& url)
{
    return program + ' ' + QuoteArgument(url);
}
