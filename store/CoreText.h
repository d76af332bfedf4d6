// The core's user texts, one table the program fills from its string table.
#pragma once

#include <cstddef>
#include <string>

// The user texts of the portable core. They reach the user through one
// table: English as the core has them, until the program fills it from its
// string table at start (IDS_CORE_TEXTS + the text's number, in this order).
enum class CoreText {
    FileBadFormat,
    FileNotFound,
    FileOpenShared,
    FileSaveShared,
    FileDiskFull,
    FileOpenFailed,
    FileSaveFailed,
    AccessFailed,
    AccessNotFound,
    AccessBadPath,
    AccessDenied,
    AccessSharing,
    AccessDiskFull,
    AccessPastEnd,
    SaveChanges,
    BrowserFileTooLarge,
    NotBrowserFile,
    ImportedInto,
    BookmarkOne,
    BookmarkMany,
    GroupOne,
    GroupMany,
    StoredOne,
    StoredMany,
    RepeatedOne,
    RepeatedMany,
    UnconvertibleOne,
    UnconvertibleMany,
    SkippedOne,
    SkippedMany,
    ReadAddressBookFailed,
    NotAddressBook,
    NoAddressBookUrls,
    ReadHtmlFailed,
    NoHtmlUrls,
    WrongFileFormat,
    NoShortcutUrls,
    WrongClipboardFormat,
    CannotUndo,
    NoBrowser,
    CannotOpenUrl,
    DeleteGroupQuestion,
    DeleteItemQuestion,
    ImportedTitle,
    ChangeAdded,
    ChangeDeleted,
    ChangeImported,
    ChangeEdited,
    ChangeMoved,
    ChangeAddedGroup,
    ChangeRenamedGroup,
    ChangeDeletedGroup,
    MergedElsewhere,
    MergedElsewhereChanged,
    MergedAddedOne,
    MergedAddedMany,
    MergedRemovedOne,
    MergedRemovedMany,
    MergedChangedOne,
    MergedChangedMany,
    MergedKeptTwiceOne,
    MergedKeptTwiceMany,
    MergedCollection,
    NotChromiumFile,
    NotFirefoxBackup,
    NotXbelFile,
    Count
};

// The text as the user reads it.
const std::string& UserText(CoreText id);
// The core's own English text.
const char* DefaultUserText(CoreText id);
// "N bookmarks" and the like: `one` or `many` with the count, its thousands
// grouped with `grouped` ("1,204").
std::string CountedText(size_t count, CoreText one, CoreText many, bool grouped = false);
// The program's own words for `id`; an empty text keeps the one there is.
void SetUserText(CoreText id, std::string text);
