// The import of the predecessor's data file.
#include "exchange/MbxImport.h"

#include "exchange/ImportFile.h"
#include "store/CBookmarkDoc.h"
#include "store/CodePage.h"
#include "store/CoreText.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"

#include <new>

bool ParseMbx(std::string_view text, StoreContent& content)
{
    const TextEncoding encoding = GuessTextEncoding(text);
    const size_t ctrlZ = text.find('\x1A');
    if (ctrlZ != std::string_view::npos)
        text = text.substr(0, ctrlZ);
    LineCursor lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        if (!line.empty() && line[0] == '[') {
            const size_t length = line.size() >= 2 ? line.size() - 2 : 0;
            CheckImportItems(content.m_arrItems.size() + content.m_arrGroups.size());
            content.m_arrGroups.push_back(StoreTextOf(line.substr(1, length), encoding));
            continue;
        }
        if (!line.empty() && line[0] == '=')
            continue;
        if (content.m_arrGroups.empty())
            return false;
        CheckImportItems(content.m_arrItems.size() + content.m_arrGroups.size());
        BookmarkItem item;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            item.m_strURL = StoreTextOf(line, encoding);
        } else {
            item.m_strName = StoreTextOf(line.substr(0, equals), encoding);
            item.m_strURL = StoreTextOf(line.substr(equals + 1), encoding);
        }
        item.m_strGroup = content.m_arrGroups.back();
        content.m_arrItems.push_back(std::move(item));
    }
    return true;
}

namespace {

// False, with the import's message, when the file cannot be read or parsed.
bool ReadMbxFile(const std::string& path, StoreContent& content, IPrompt& prompt)
{
    const std::string& wrongFormat = UserText(CoreText::WrongFileFormat);
    bool parsed = false;
    if (!RunFileOperation(prompt, wrongFormat.c_str(), [&] {
            InputFile file(path);
            parsed = ParseMbx(ReadImportFile(file), content);
        }))
        return false;
    if (!parsed)
        prompt.ShowMessage(wrongFormat, MessageStyle::StopOk);
    return parsed;
}

// A document loaded from a file goes back to it without asking; one that
// has never been saved gets the save prompt instead of being thrown away.
bool SaveBeforeReplacing(CBookmarkDoc& doc)
{
    if (!doc.GetPathName().empty() && !TextEqual(doc.GetTitle(), "Untitled"))
        return doc.OnSaveDocument(doc.GetPathName());
    return doc.SaveModified();
}

} // namespace

bool ImportMbx(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt)
{
    StoreContent content;
    if (!ReadMbxFile(WithExtension(path, "mbx"), content, prompt))
        return false;
    if (content.m_arrGroups.empty())
        return true;
    if (!SaveBeforeReplacing(doc))
        return false;

    doc.OnNewDocument();
    const std::string first = content.m_arrGroups.front();
    doc.ImportCollection(std::move(content), &first);
    return true;
}
