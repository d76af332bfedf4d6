// The imports and exports of the browsers' own bookmark files.
#pragma once

#include <string>

class CBookmarkDoc;
class IPrompt;

// As ImportNetscapeFile, each for its format and with its own refusal.
bool ImportChromiumFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt);
bool ImportFirefoxBackup(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt);
bool ImportXbelFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt);

// As SaveNetscapeFile. A Chromium file keeps the name chosen (the browser's
// own is `Bookmarks`, without an extension); ".xbel" is added to a name
// without one.
bool SaveChromiumFile(CBookmarkDoc& doc, const std::string& path);
bool SaveXbelFile(CBookmarkDoc& doc, const std::string& path);
std::string XbelFilePath(const std::string& chosen);
