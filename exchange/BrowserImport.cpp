// The imports and exports of the browsers' own bookmark files.
#include "exchange/BrowserImport.h"

#include "exchange/BrowserFiles.h"
#include "exchange/ImportFile.h"
#include "exchange/NetscapeImport.h"
#include "store/CBookmarkDoc.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/PathNames.h"

bool ImportChromiumFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt)
{
    return ImportBookmarkFile(path, doc, prompt, kMaxImportFileSize, ParseChromiumFile, CoreText::NotChromiumFile,
                              false);
}

bool ImportFirefoxBackup(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt)
{
    return ImportBookmarkFile(path, doc, prompt, kMaxImportFileSize, ParseFirefoxBackup, CoreText::NotFirefoxBackup,
                              false);
}

bool ImportXbelFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt)
{
    return ImportBookmarkFile(path, doc, prompt, kMaxImportFileSize, ParseXbelFile, CoreText::NotXbelFile, false);
}

bool SaveChromiumFile(CBookmarkDoc& doc, const std::string& path)
{
    return RunFileOperation(doc.Prompt(), path, FileReport::General,
                            [&] { WriteWholeFile(path, ChromiumBookmarkFile(doc.Content())); });
}

bool SaveXbelFile(CBookmarkDoc& doc, const std::string& path)
{
    return RunFileOperation(doc.Prompt(), path, FileReport::General,
                            [&] { WriteWholeFile(path, XbelBookmarkFile(doc.Content())); });
}

std::string XbelFilePath(const std::string& chosen)
{
    return WithDefaultExtension(chosen, "xbel");
}
