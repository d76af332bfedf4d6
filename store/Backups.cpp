// Dated copies of a collection's earlier versions: the shelf, its rotation and the saves' hook.
#include "store/Backups.h"

#include "store/CodePage.h"

#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/PathNames.h"
#include "store/TextCompare.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <tuple>

namespace {

const size_t kCopyChunk = 1 << 20;
// Folder names stay well inside the file systems' limits, with room for the rest of the path.
const size_t kMaxNameInFolder = 80;
const char kExtension[] = ".lkh";

auto Key(const BackupTime& t)
{
    return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute, t.second, t.sequence);
}

bool Newer(const BackupEntry& a, const BackupEntry& b)
{
    return Key(a.time) > Key(b.time);
}

// Days since 1970-01-01 of a calendar date, whatever the clocks did between.
long DayNumber(int year, int month, int day)
{
    const long y = year - (month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

BackupTime LocalTimeOf(std::time_t when)
{
    const std::tm* local = std::localtime(&when);
    if (local == nullptr)
        throw FileError(FileError::Generic, std::string());
    BackupTime time;
    time.year = local->tm_year + 1900;
    time.month = local->tm_mon + 1;
    time.day = local->tm_mday;
    time.hour = local->tm_hour;
    time.minute = local->tm_min;
    time.second = local->tm_sec;
    return time;
}

std::string NameOf(const BackupTime& t)
{
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d-%02d-%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    std::string name = text;
    if (t.sequence > 1)
        name += " (" + std::to_string(t.sequence) + ")";
    return name + kExtension;
}

// Reads `count` decimal digits at `at`; false when any is not one.
bool Digits(const std::string& text, size_t at, size_t count, int& value)
{
    if (at + count > text.size())
        return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// The time a shelf's file name gives; false for a name the shelf did not make.
bool ParseName(const std::string& name, BackupTime& t)
{
    const std::string stamp = "0000-00-00 00-00-00";
    if (name.size() < stamp.size() + 4)
        return false;
    for (size_t i = 0; i < stamp.size(); ++i) {
        if (stamp[i] != '0' && name[i] != stamp[i])
            return false;
    }
    if (!Digits(name, 0, 4, t.year) || !Digits(name, 5, 2, t.month) || !Digits(name, 8, 2, t.day) ||
        !Digits(name, 11, 2, t.hour) || !Digits(name, 14, 2, t.minute) || !Digits(name, 17, 2, t.second))
        return false;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 60)
        return false;
    std::string rest = name.substr(stamp.size());
    if (rest.size() < 4 || rest.compare(rest.size() - 4, 4, kExtension) != 0)
        return false;
    rest.resize(rest.size() - 4);
    t.sequence = 1;
    if (rest.empty())
        return true;
    // " (n)", n from 2, a few digits at most.
    if (rest.size() < 4 || rest.size() > 10 || rest.compare(0, 2, " (") != 0 || rest.back() != ')')
        return false;
    return Digits(rest, 2, rest.size() - 3, t.sequence) && t.sequence >= 2;
}

void CopyBytes(InputFile& source, const std::string& target)
{
    SafeFileWriter out(target);
    std::unique_ptr<char[]> buffer(new char[kCopyChunk]);
    for (;;) {
        const size_t got = source.Read(buffer.get(), kCopyChunk);
        if (got == 0)
            break;
        out.Write(buffer.get(), got);
    }
    out.Commit();
}

// Whether two files hold the same bytes; false also when either cannot be read.
bool SameBytes(const std::string& a, const std::string& b)
{
    try {
        InputFile first(a);
        InputFile second(b);
        if (first.Size() != second.Size())
            return false;
        const size_t chunk = 1 << 16;
        std::unique_ptr<char[]> one(new char[chunk]);
        std::unique_ptr<char[]> two(new char[chunk]);
        for (;;) {
            const size_t got = first.Read(one.get(), chunk);
            size_t other = 0;
            while (other < got) {
                const size_t n = second.Read(two.get() + other, got - other);
                if (n == 0)
                    return false;
                other += n;
            }
            if (got == 0)
                return second.Read(two.get(), 1) == 0;
            if (std::memcmp(one.get(), two.get(), got) != 0)
                return false;
        }
    } catch (const FileError&) {
        return false;
    }
}

uint32_t Little32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// The counts of the file's first bytes; a count no file of its size can hold
// (each group takes a byte at least, each bookmark four) marks it damaged.
void ReadCounts(BackupEntry& entry)
{
    entry.damaged = true;
    try {
        InputFile file(entry.path);
        unsigned char head[8];
        size_t got = 0;
        while (got < sizeof head) {
            const size_t n = file.Read(reinterpret_cast<char*>(head) + got, sizeof head - got);
            if (n == 0)
                return;
            got += n;
        }
        const int64_t items = static_cast<int64_t>(static_cast<int32_t>(Little32(head))) + 1;
        const int64_t groups = static_cast<int64_t>(static_cast<int32_t>(Little32(head + 4))) + 1;
        if (items < 0 || groups < 0)
            return;
        if (static_cast<uint64_t>(8 + groups + 4 * items) > file.Size())
            return;
        entry.groups = static_cast<uint64_t>(groups);
        entry.bookmarks = static_cast<uint64_t>(items);
        entry.damaged = false;
    } catch (const FileError&) {
    }
}

uint32_t Fnv1a(const std::string& text)
{
    uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

} // namespace

std::string BackupTimeText(const BackupTime& t)
{
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

std::string BackupFolderName(const std::string& collectionPath)
{
    std::string name = FileTitleOf(collectionPath);
    name.resize(WholeCharacters(name, kMaxNameInFolder));
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(Fnv1a(BackupPathKey(collectionPath))));
    return name + "-" + hash;
}

BackupShelf::BackupShelf(const std::string& collectionPath, const std::string& base, Clock clock)
    : m_collection(collectionPath), m_clock(std::move(clock))
{
    const std::string root = base.empty() ? BackupBaseFolder() : base;
    // Without a base there is no shelf: never a folder beside wherever the program runs.
    if (!root.empty())
        m_folder = JoinPath(root, BackupFolderName(collectionPath));
}

bool BackupShelf::Keep(const std::string& spare)
{
    std::unique_ptr<InputFile> source;
    try {
        source = std::make_unique<InputFile>(m_collection);
    } catch (const FileError& error) {
        if (error.cause() == FileError::NotFound)
            return false;
        throw;
    }
    if (m_folder.empty())
        throw FileError(FileError::BadPath, m_collection);
    MakeFolders(m_folder);

    // A save of what was saved already (Save pressed again) keeps no second
    // copy, which would push an older version out of the newest.
    const std::vector<BackupEntry> before = List();
    if (!before.empty() && SameBytes(m_collection, before.front().path))
        return true;

    const std::time_t now = m_clock ? m_clock() : std::time(nullptr);
    const std::vector<std::string> names = FileNamesIn(m_folder);
    BackupTime stamp = LocalTimeOf(now);
    const auto taken = [&names](const std::string& name) {
        return std::any_of(names.begin(), names.end(), [&name](const std::string& other) { return TextEqual(other, name); });
    };
    while (taken(NameOf(stamp)))
        ++stamp.sequence;
    CopyBytes(*source, JoinPath(m_folder, NameOf(stamp)));
    source.reset();

    // The newest of each day counts from today back; kept ones may already
    // be among the newest.
    const BackupTime today = LocalTimeOf(now);
    const long todayNumber = DayNumber(today.year, today.month, today.day);
    const std::string spareKey = spare.empty() ? std::string() : BackupPathKey(spare);
    std::set<long> daysKept;
    const std::vector<BackupEntry> entries = List();
    for (size_t i = 0; i < entries.size(); ++i) {
        const BackupTime& t = entries[i].time;
        const long age = todayNumber - DayNumber(t.year, t.month, t.day);
        const bool newestOfDay = age >= 0 && age < kKeepDays && daysKept.insert(age).second;
        if (i < kKeepNewest || newestOfDay)
            continue;
        if (!spareKey.empty() && BackupPathKey(entries[i].path) == spareKey)
            continue;
        RemoveFileAt(entries[i].path);
    }
    return true;
}

std::vector<BackupEntry> BackupShelf::List() const
{
    std::vector<BackupEntry> entries;
    if (m_folder.empty())
        return entries;
    for (const std::string& name : FileNamesIn(m_folder)) {
        BackupEntry entry;
        if (!ParseName(name, entry.time))
            continue;
        entry.path = JoinPath(m_folder, name);
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), Newer);
    for (BackupEntry& entry : entries)
        ReadCounts(entry);
    return entries;
}

void BackupShelf::Restore(const std::string& backup)
{
    // Open first: a backup that is gone changes nothing. The keeping spares
    // it from the rotation.
    InputFile source(backup);
    Keep(backup);
    CopyBytes(source, m_collection);
}

void BackupShelf::Shelve(const std::string& file)
{
    if (m_folder.empty())
        throw FileError(FileError::BadPath, file);
    const std::string name = FileTitleOf(file);
    const size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    std::string target;
    {
        // Closed before the removal, which Windows refuses an open file.
        InputFile source(file);
        MakeFolders(m_folder);
        target = JoinPath(m_folder, name);
        for (int n = 2; StampOf(target).exists; ++n)
            target = JoinPath(m_folder, stem + " (" + std::to_string(n) + ")" + extension);
        CopyBytes(source, target);
    }
    if (!RemoveFileAt(file)) {
        RemoveFileAt(target);
        throw FileError(FileError::AccessDenied, file);
    }
}

void KeepBeforeSave(const BackupPolicy& policy, const std::string& path) noexcept
{
    try {
        if (policy.enabled && !policy.enabled())
            return;
        BackupShelf(path, policy.base, policy.clock).Keep();
        return;
    } catch (const std::exception&) {
    }
    if (policy.failed)
        policy.failed();
}
