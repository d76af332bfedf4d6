// Dated copies of a collection's earlier versions, kept as it is saved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

// When a backup was kept, in local time, as its file name says.
struct BackupTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int sequence = 1;  // the n of a second backup in the same second, "(n)"
};

// One kept version, as Restore Backup and `linkhive-cli backups` list it.
struct BackupEntry {
    std::string path;
    BackupTime time;
    bool damaged = false;  // too short, or counts no file of that size can hold
    uint64_t groups = 0;
    uint64_t bookmarks = 0;
};

// "YYYY-MM-DD HH:MM:SS" of `time`.
std::string BackupTimeText(const BackupTime& time);

// The kept versions of one collection: a folder of its own under `base`
// (named after the file and a hash of its full path, so that two files of
// one name keep apart), "YYYY-MM-DD HH-MM-SS.lkh" each. Keeps the newest
// kKeepNewest, plus the newest of each of the last kKeepDays calendar days;
// files of other names there are left alone.
class BackupShelf {
public:
    using Clock = std::function<std::time_t()>;
    static const size_t kKeepNewest = 20;
    static const int kKeepDays = 30;

    // `base` empty: BackupBaseFolder(); `clock` empty: the system's.
    explicit BackupShelf(const std::string& collectionPath, const std::string& base = std::string(),
                         Clock clock = Clock());

    const std::string& Folder() const { return m_folder; }
    // Copies the collection's file, about to be replaced, onto the shelf
    // (unless the newest kept one holds the same bytes) and drops what no
    // longer counts among the kept (never `spare`). False when there is no
    // file to keep; a copy that fails throws FileError.
    bool Keep(const std::string& spare = std::string());
    // Newest first; each one's counts from its first bytes.
    std::vector<BackupEntry> List() const;
    // Keeps the current file, then puts `backup` in its place through the
    // safe save. Throws FileError; the collection is as it was when it does.
    void Restore(const std::string& backup);
    // Moves another version of the collection (a sync service's conflict
    // copy) onto the shelf under its own name, " (2)" and on added when that
    // is taken; such names never count among the dated backups, so nothing
    // drops it. Throws FileError; `file` stays where it was when it does.
    void Shelve(const std::string& file);

private:
    std::string m_collection;
    std::string m_folder;
    Clock m_clock;
};

// What a document's saves do about the files they replace (CDocument::SetBackups).
struct BackupPolicy {
    std::function<bool()> enabled;  // asked at each save; empty counts as on
    std::function<void()> failed;   // a backup could not be made; the save goes on
    std::string base;               // empty: BackupBaseFolder()
    BackupShelf::Clock clock;       // empty: the system's
};

// Keeps the file at `path` as `policy` says before a save replaces it;
// never throws, a failure goes to policy.failed.
void KeepBeforeSave(const BackupPolicy& policy, const std::string& path) noexcept;

// "<file name>-<8 hex digits of a hash of the full path>", the name (cut to
// a bounded length) of the collection's folder.
std::string BackupFolderName(const std::string& collectionPath);

// The platform's share (Backups_posix.cpp, Backups_win.cpp).
// LINKHIVE_BACKUP_DIR when set, else the user's local application data
// ("...\Linkhive\Backups"; off Windows "$XDG_DATA_HOME/linkhive/backups");
// empty when there is none.
std::string BackupBaseFolder();
// The full path of a collection as its hash takes it: letter case folded
// where the file system ignores it.
std::string BackupPathKey(const std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);
// Makes `folder` and those above it as needed; throws FileError.
void MakeFolders(const std::string& folder);
// The names of the plain files in `folder`; none when it cannot be read.
std::vector<std::string> FileNamesIn(const std::string& folder);
bool RemoveFileAt(const std::string& path);
