// The import of a version 2.0 data file.
#pragma once

#include <string>

class CBookmarkDoc;
class IPrompt;

// Replaces the document with the version-2.0 data file at `path` (".lkh"
// appended unless the name has that extension), titled "No Name", without a
// path and modified. The file is read whole before the document is touched,
// and a modified document is offered the save prompt first. False when the
// file could not be read (reported as the open path reports it) or the user
// cancelled: the document is then as it was. Version20Mode is off afterwards.
bool ImportVersion20(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt);
