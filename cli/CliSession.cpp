// A store opened from the command line, as the program opens it.
#include "cli/CliSession.h"

#include "store/DataFile.h"
#include "store/FileError.h"
#include "store/FileIO.h"

#include <cstdio>

bool CliArgs::Has(const char* option) const
{
    for (const std::string& given : options) {
        if (given == option)
            return true;
    }
    return false;
}

const std::string& CliArgs::Value(const char* option) const
{
    static const std::string none;
    const auto found = values.find(option);
    return found == values.end() ? none : found->second;
}

bool CliSession::Open(const std::string& path, bool v20)
{
    const Version20Scope mode(v20);  // off again also when the file could not be opened at all
    return doc.OnOpenDocument(path);
}

bool CliSession::OpenStore(const std::string& path)
{
    try {
        InputFile probe(path);
    } catch (const FileError& error) {
        if (error.cause() == FileError::NotFound)
            return true;
    }
    return Open(path);
}

bool CliSession::SaveIfModified(const std::string& path)
{
    return !doc.IsModified() || doc.OnSaveDocument(path);
}

void WriteOut(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void AppendItemLine(std::string& out, const BookmarkItem& item)
{
    out += "item\t";
    out += EscapeField(item.m_strName);
    out += '\t';
    out += EscapeField(item.m_strURL);
    out += '\t';
    out += EscapeField(item.m_strGroup);
    out += '\t';
    out += EscapeField(item.m_strDescription);
    out += '\n';
}
