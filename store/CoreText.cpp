// The core's user texts: the English defaults and the table the program fills.
#include "store/CoreText.h"

#include "store/TextFormat.h"

#include <cstddef>
#include <utility>

namespace {

const size_t kCount = static_cast<size_t>(CoreText::Count);

const char* const kDefaults[kCount] = {
    "Unexpected file format.",
    "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.",
    "Unable to read from %1, it is opened by someone else.",
    "Unable to write to %1, it is read-only or opened by someone else.",
    "Destination disk drive is full.",
    "Failed to open document.",
    "Failed to save document.",
    "An unknown error occurred while accessing %1.",
    "%1 was not found.",
    "%1 contains an invalid path.",
    "Access to %1 was denied.",
    "A sharing violation occurred while accessing %1.",
    "Disk full while accessing %1.",
    "An attempt was made to access %1 past its end.",
    "Save changes to %1?",
    "%1 is too large to import (over %2 MB).",
    "This is not a bookmark file of a web browser.",
    "Imported %1 into %2.",
    "%1 bookmark",
    "%1 bookmarks",
    "%1 group",
    "%1 groups",
    "%1 was already in the collection.",
    "%1 were already in the collection.",
    "%1 was repeated in the file.",
    "%1 were repeated in the file.",
    "%1 character had no equivalent in this code page and became \"?\".",
    "%1 characters had no equivalent in this code page and became \"?\".",
    "%1 link was not imported (an empty or internal address).",
    "%1 links were not imported (empty or internal addresses).",
    "Cannot read address book.",
    "It is not an address book!",
    "There are no URLs, sorry.\n Please, contact the developer if you're sure that it's an error.",
    "Cannot read HTML.",
    "There are no URLs, sorry.\n Please, contact the developer",
    "Wrong file format.",
    "Sorry, no URLs here. Try another folder.",
    "Wrong clipboard format. Cannot paste.",
    "Cannot undo!",
    "There is no programme for internet browsing.\nCannot connect",
    "Cannot open URL.\nPlease contact the author of the programme!",
    "The group: '%1' will be deteled. All right?",
    "The item: '%1' will be deteled. All right?",
    "No Name",
    "Added %1 to %2",
    "Deleted %1 from %2",
    "Imported %1 into %2",
    "Edited %1",
    "Moved %1 to %2",
    "Added group %1",
    "Renamed group %1 to %2",
    "Deleted group %1 (%2)",
    "Merged the changes made elsewhere: %1, %2, %3.",
    "Merged the changes made elsewhere: %1, %2, %3, %4.",
    "%1 bookmark added",
    "%1 bookmarks added",
    "%1 removed",
    "%1 removed",
    "%1 changed",
    "%1 changed",
    "%1 kept in two versions",
    "%1 kept in two versions",
    "Merged the collection: %1 and %2 added.",
    "This is not a Chromium bookmarks file.",
    "This is not a Firefox bookmarks backup.",
    "This is not an XBEL bookmark file.",
};

std::string* Table()
{
    static std::string table[kCount];
    static const bool filled = [] {
        for (size_t i = 0; i < kCount; ++i)
            table[i] = kDefaults[i];
        return true;
    }();
    (void)filled;
    return table;
}

} // namespace

const std::string& UserText(CoreText id)
{
    return Table()[static_cast<size_t>(id)];
}

std::string CountedText(size_t count, CoreText one, CoreText many, bool grouped)
{
    std::string number = std::to_string(count);
    if (grouped) {
        for (size_t at = number.size(); at > 3; at -= 3)
            number.insert(at - 3, ",");
    }
    return FormatText(UserText(count == 1 ? one : many), {number});
}

const char* DefaultUserText(CoreText id)
{
    return kDefaults[static_cast<size_t>(id)];
}

void SetUserText(CoreText id, std::string text)
{
    if (!text.empty())
        Table()[static_cast<size_t>(id)] = std::move(text);
}
