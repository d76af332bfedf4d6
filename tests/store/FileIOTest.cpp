// Tests of file reading and the safe save.
#include "exchange/HtmlExport.h"
#include "tests/support/DocContent.h"
#include "exchange/NetscapeExport.h"
#include "exchange/ShortcutFile.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/FileLayer.h"
#include "store/TextFormat.h"
#include "tests/support/DocumentFixture.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

const std::string kOld("old\0content\xff\r\n", 15);

// The platform's own steps, but the one numbered `failAt` fails with
// `cause`; writes take at most a few bytes each, so that every save makes
// several and the writer must carry on after a short one.
class FailingLayer : public IFileLayer {
public:
    FailingLayer(size_t failAt, FileError::Cause cause) : m_failAt(failAt), m_cause(cause) {}

    std::string Target(const std::string& path) override
    {
        Take("target");
        return m_real.Target(path);
    }
    intptr_t CreateBeside(const std::string& target, std::string& tempPath) override
    {
        Take("create");
        return m_real.CreateBeside(target, tempPath);
    }
    // The steps below fail after the platform did its part, leaving what a
    // real failure half way would.
    size_t Write(intptr_t file, const char* data, size_t size) override
    {
        const size_t written = m_real.Write(file, data, std::min<size_t>(size, 16));
        Take("write");
        return written;
    }
    void Flush(intptr_t file) override
    {
        m_real.Flush(file);
        Take("flush");
    }
    void Close(intptr_t file) override
    {
        m_real.Close(file);
        Take("close");
    }
    void Replace(const std::string& tempPath, const std::string& target) override
    {
        Take("replace");
        m_real.Replace(tempPath, target);
    }
    void Abandon(intptr_t file, const std::string& tempPath) noexcept override { m_real.Abandon(file, tempPath); }

    std::vector<std::string> steps;

private:
    void Take(const char* step)
    {
        steps.push_back(step);
        if (steps.size() == m_failAt + 1)
            throw FileError(m_cause, "(ignored)");
    }

    IFileLayer& m_real = PlatformFileLayer();
    size_t m_failAt;
    FileError::Cause m_cause;
};

constexpr size_t kNever = static_cast<size_t>(-1);

// What the document's save path says for a cause, %1 the file's title, and
// what the exports say, %1 the path.
struct CauseText {
    FileError::Cause cause;
    const char* document;
    const char* general;
};

const char* const kCannotFind = "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.";
const char* const kReadOnly = "Unable to write to %1, it is read-only or opened by someone else.";

const CauseText kCauses[] = {
    {FileError::DiskFull, "Destination disk drive is full.", "Disk full while accessing %1."},
    {FileError::AccessDenied, kReadOnly, "Access to %1 was denied."},
    {FileError::SharingViolation, kReadOnly, "A sharing violation occurred while accessing %1."},
    {FileError::BadPath, kCannotFind, "%1 contains an invalid path."},
    {FileError::NotFound, kCannotFind, "%1 was not found."},
    {FileError::Generic, "Failed to save document.", "An unknown error occurred while accessing %1."},
};

const CauseText& TextOf(FileError::Cause cause)
{
    return *std::find_if(std::begin(kCauses), std::end(kCauses), [cause](const CauseText& c) { return c.cause == cause; });
}

// One way the program writes a file: the name it is tried with (one its
// path rule keeps as it is) and whether the document's texts report it.
struct Saver {
    const char* name;
    std::function<bool(const std::string&)> save;
    bool document;
};

class SaveFailures : public DocumentFixture {
protected:
    SaveFailures()
    {
        SetGroups(doc, {"A", "B"});
        Add("One", "http://one/", "A", "first");
        Add("Two", "http://two/?a=1&b=2", "A");
        Add("Three", "mailto:x@y", "B");
        selection.currentGroup = "A";
    }

    std::vector<Saver> Savers()
    {
        return {
            {"kept.lkh",
             [this](const std::string& path) {
                 const std::string before = doc.GetPathName();
                 doc.SetModifiedFlag(true);
                 const bool saved = doc.OnSaveDocument(path);
                 // A failed save leaves the document as it was.
                 if (!saved && (doc.GetPathName() != before || !doc.IsModified()))
                     ADD_FAILURE() << "the document changed: " << doc.GetPathName();
                 return saved;
             },
             true},
            {"all.html", [this](const std::string& path) { return SaveCollectionPage(doc, path); }, false},
            {"group.html", [this](const std::string& path) { return SaveGroupPage(doc, path); }, false},
            {"site.url", [this](const std::string& path) { return SaveShortcutFile(path, "http://new/", prompt); }, false},
            {"marks.html", [this](const std::string& path) { return SaveNetscapeFile(doc, path); }, false},
        };
    }

    // The one message a failed save showed, as its writer reports `cause`.
    void ExpectMessage(const Saver& saver, const std::string& path, FileError::Cause cause, const std::string& where)
    {
        const CauseText& text = TextOf(cause);
        const std::string expected = saver.document ? FormatText(text.document, {FileTitleOf(path)})
                                                    : FormatText(text.general, {path});
        EXPECT_EQ(prompt.shown, std::vector<std::string>{expected}) << where;
        EXPECT_EQ(prompt.styles, std::vector<MessageStyle>{saver.document ? MessageStyle::ExclamationOk
                                                                           : MessageStyle::StopOk})
            << where;
        prompt.shown.clear();
        prompt.styles.clear();
    }

    // Fails each step of the save in turn, over an old file and where there
    // was none, each step with another cause: the old file stays byte for
    // byte, nothing is left beside it and the cause's message is shown.
    void FailEveryStep(const Saver& saver)
    {
        const std::string path = dir.Path(saver.name);
        FailingLayer counting(kNever, FileError::Generic);
        {
            FileLayerScope scope(counting);
            ASSERT_TRUE(saver.save(path));
        }
        ASSERT_GE(std::count(counting.steps.begin(), counting.steps.end(), "write"), 2);

        for (const bool existed : {true, false}) {
            for (size_t step = 0; step < counting.steps.size(); ++step) {
                const FileError::Cause cause = kCauses[(step + existed) % std::size(kCauses)].cause;
                const std::string where = counting.steps[step] + " (step " + std::to_string(step) + ")" +
                                          (existed ? " over an old file" : " of a new file");
                fs::remove(path);
                if (existed)
                    WriteBytes(path, kOld);

                FailingLayer failing(step, cause);
                bool saved = true;
                {
                    FileLayerScope scope(failing);
                    saved = saver.save(path);
                }
                EXPECT_FALSE(saved) << where;
                EXPECT_EQ(failing.steps.size(), step + 1) << where;
                EXPECT_EQ(FilesIn(dir.Root()), existed ? std::vector<std::string>{saver.name} : std::vector<std::string>{})
                    << where;
                if (existed) {
                    EXPECT_EQ(ReadBytes(path), kOld) << where;
                }
                ExpectMessage(saver, path, cause, where);
            }
        }
    }
};

TEST_F(SaveFailures, DocumentSaveFailingAtEachStep)
{
    FailEveryStep(Savers()[0]);
}

TEST_F(SaveFailures, CollectionPageFailingAtEachStep)
{
    FailEveryStep(Savers()[1]);
}

TEST_F(SaveFailures, GroupPageFailingAtEachStep)
{
    FailEveryStep(Savers()[2]);
}

TEST_F(SaveFailures, ShortcutFileFailingAtEachStep)
{
    FailEveryStep(Savers()[3]);
}

TEST_F(SaveFailures, BrowserBookmarksFailingAtEachStep)
{
    FailEveryStep(Savers()[4]);
}

TEST_F(SaveFailures, WriterThatFailedNeverCommits)
{
    const std::string path = dir.Path("kept.lkh");
    WriteBytes(path, kOld);
    FailingLayer failing(2, FileError::DiskFull);  // the first write
    FileLayerScope scope(failing);
    SafeFileWriter writer(path);
    EXPECT_THROW(writer.Write("new", 3), FileError);
    EXPECT_THROW(writer.Write("new", 3), FileError);
    EXPECT_THROW(writer.Commit(), FileError);
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(FilesIn(dir.Root()), std::vector<std::string>{"kept.lkh"});
}

TEST_F(SaveFailures, TargetsTheFileSystemRefuses)
{
    for (const Saver& saver : Savers()) {
        const std::string readOnly = dir.Path(saver.name);
        WriteBytes(readOnly, kOld);
        fs::permissions(readOnly, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        EXPECT_FALSE(saver.save(readOnly)) << readOnly;
        EXPECT_EQ(ReadBytes(readOnly), kOld);
        ExpectMessage(saver, readOnly, FileError::AccessDenied, "read-only " + readOnly);
        fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::add);
        fs::remove(readOnly);

        // The folder chosen in the dialog is gone when the file is written.
        const std::string gone = dir.Path("gone");
        fs::create_directory(gone);
        const std::string inGone = (fs::path(gone) / saver.name).string();
        fs::remove(gone);
        EXPECT_FALSE(saver.save(inGone)) << inGone;
        ExpectMessage(saver, inGone, FileError::BadPath, "removed folder " + inGone);

        const std::string folder = dir.Path(saver.name);
        fs::create_directory(folder);
        EXPECT_FALSE(saver.save(folder)) << folder;
        EXPECT_TRUE(fs::is_directory(folder));
        EXPECT_TRUE(FilesIn(folder).empty());
        ExpectMessage(saver, folder, FileError::AccessDenied, "folder " + folder);
        fs::remove(folder);

        EXPECT_TRUE(FilesIn(dir.Root()).empty()) << saver.name;
    }
}

// Every saver writes into a folder whose path holds more bytes of UTF-8 than
// an ANSI path buffer does, though fewer characters than a path may have.
TEST_F(SaveFailures, FoldersNamedInAnyScriptTakeEverySave)
{
    std::string name;
    for (int i = 0; i < 50; ++i)
        name += "\u65e5";
    const std::string folder = dir.Path(name) + "/" + name;
    fs::create_directories(fs::u8path(folder));
    for (const Saver& saver : Savers()) {
        const std::string path = folder + "/" + saver.name;
        EXPECT_TRUE(saver.save(path)) << saver.name;
        EXPECT_TRUE(FileExists(path)) << saver.name;
    }
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SaveFailures, FullDiskKeepsEveryOldFile)
{
#ifdef _WIN32
    GTEST_SKIP() << "a full disk is made with a Linux tmpfs";
#else
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    const std::string disk = dir.Path("disk");
    fs::create_directory(disk);
    if (::mount("linkhive-test", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "the tmpfs mount was refused: " << std::strerror(errno);
    struct Unmount {
        const std::string& disk;
        ~Unmount() { ::umount2(disk.c_str(), MNT_DETACH); }
    } unmount{disk};

    std::vector<std::string> names;
    for (const Saver& saver : Savers()) {
        WriteBytes(disk + "/" + saver.name, kOld);
        names.push_back(saver.name);
    }
    const int filler = ::open((disk + "/filler").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(filler, 0);
    const std::string block(4096, 'f');
    while (::write(filler, block.data(), block.size()) > 0) {
    }
    ASSERT_EQ(errno, ENOSPC);
    ::close(filler);
    names.push_back("filler");
    std::sort(names.begin(), names.end());

    for (const Saver& saver : Savers()) {
        const std::string path = disk + "/" + saver.name;
        EXPECT_FALSE(saver.save(path)) << path;
        EXPECT_EQ(ReadBytes(path), kOld) << path;
        ExpectMessage(saver, path, FileError::DiskFull, "full disk " + path);
    }
    EXPECT_EQ(FilesIn(disk), names);
#endif
}

} // namespace
