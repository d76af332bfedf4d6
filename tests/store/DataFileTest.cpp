// Tests of the .lkh codec.
#include "store/DataFile.h"
#include "store/CodePage.h"
#include "store/FileError.h"
#include "tests/support/ScriptSamples.h"

#include <gtest/gtest.h>

namespace {

StoreContent WorkedExample()
{
    StoreContent content;
    content.m_arrGroups = {"New Group"};
    BookmarkItem item;
    item.m_strName = "New URL";
    item.m_strURL = "http://";
    item.m_strGroup = "New Group";
    content.m_arrItems = {item};
    return content;
}

const std::string kWorkedExample(
    "\x00\x00\x00\x00"
    "\x00\x00\x00\x00"
    "\x09New Group"
    "\x07New URL"
    "\x07http://"
    "\x09New Group"
    "\x00",
    45);

StoreContent Decode(const std::string& bytes, bool version20 = false)
{
    Version20Mode = version20;
    StoreContent content;
    ReadDataBytes(bytes.data(), bytes.size(), content);
    return content;
}

FileError::Cause DecodeFailure(const std::string& bytes)
{
    try {
        Decode(bytes);
    } catch (const FileError& error) {
        return error.cause();
    }
    ADD_FAILURE() << "decoded without error";
    return FileError::Generic;
}

std::string Le32(uint32_t v)
{
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
}

// A file of no items and one group whose name is the given counted string.
std::string OneGroupFile(const std::string& countedName)
{
    return Le32(0xFFFFFFFF) + Le32(0) + countedName;
}

} // namespace

TEST(DataFile, WorkedExampleAndEmptyStore)
{
    EXPECT_EQ(EncodeDataFile(WorkedExample()), kWorkedExample);
    EXPECT_EQ(EncodeDataFile(StoreContent()), std::string(8, '\xFF'));

    const StoreContent back = Decode(kWorkedExample);
    EXPECT_EQ(back.m_arrGroups, std::vector<std::string>{"New Group"});
    ASSERT_EQ(back.m_arrItems.size(), 1u);
    EXPECT_EQ(back.m_arrItems[0].m_strName, "New URL");
    EXPECT_EQ(back.m_arrItems[0].m_strURL, "http://");
    EXPECT_EQ(back.m_arrItems[0].m_strDescription, "");

    const StoreContent empty = Decode(std::string(8, '\xFF'));
    EXPECT_TRUE(empty.m_arrGroups.empty());
    EXPECT_TRUE(empty.m_arrItems.empty());
    // Bytes after the last item are never read.
    EXPECT_EQ(Decode(kWorkedExample + "trailing junk").m_arrItems.size(), 1u);
}

TEST(DataFile, LengthPrefixAtEveryBoundary)
{
    struct Case {
        size_t length;
        std::string prefix;
    } cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {65533, "\xFF\xFD\xFF"},
        {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (const Case& c : cases) {
        const std::string text(c.length, 'x');
        const std::string encoded = EncodeCountedString(text);
        EXPECT_EQ(encoded.substr(0, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(encoded.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(Decode(OneGroupFile(encoded)).m_arrGroups.at(0), text) << c.length;
    }
    // A reader also takes the longer forms for short texts.
    EXPECT_EQ(Decode(OneGroupFile(std::string("\xFF\x03\x00" "abc", 6))).m_arrGroups[0], "abc");
    EXPECT_EQ(Decode(OneGroupFile(std::string("\xFF\xFF\xFF\x02\x00\x00\x00" "ab", 9))).m_arrGroups[0], "ab");
}

TEST(DataFile, WideTextIsReadWhole)
{
    // "Gr" U+00FC "n" U+20AC U+4E2D, then a short form inside the mark.
    const std::string wide("\xFF\xFE\xFF\x06" "G\0r\0\xFC\0n\0\xAC\x20\x2D\x4E", 16);
    EXPECT_EQ(Decode(OneGroupFile(wide)).m_arrGroups[0], "Gr\u00fcn\u20ac\u4e2d");
    // The long forms work inside the mark too.
    const std::string wideLong("\xFF\xFE\xFF\xFF\xFF\xFF\x01\x00\x00\x00" "A\0", 12);
    EXPECT_EQ(Decode(OneGroupFile(wideLong)).m_arrGroups[0], "A");
    const std::string widePair("\xFF\xFE\xFF\x02\x3D\xD8\x00\xDE", 8);  // one character outside the BMP
    EXPECT_EQ(Decode(OneGroupFile(widePair)).m_arrGroups[0], "\U0001F600");
    const std::string loneSurrogate("\xFF\xFE\xFF\x02\x3D\xD8" "A\0", 8);
    EXPECT_EQ(Decode(OneGroupFile(loneSurrogate)).m_arrGroups[0], "\uFFFDA");
}

TEST(DataFile, Version20ItemsHaveThreeStrings)
{
    const std::string v20 = kWorkedExample.substr(0, 44);
    const StoreContent content = Decode(v20, true);
    ASSERT_EQ(content.m_arrItems.size(), 1u);
    EXPECT_EQ(content.m_arrItems[0].m_strGroup, "New Group");
    EXPECT_EQ(content.m_arrItems[0].m_strDescription, "");
    EXPECT_FALSE(Version20Mode);

    // The mode lasts one read, also one that fails.
    EXPECT_EQ(DecodeFailure(v20), FileError::EndOfFile);
    Version20Mode = true;
    StoreContent ignored;
    EXPECT_THROW(ReadDataBytes("\x01", 1, ignored), FileError);
    EXPECT_FALSE(Version20Mode);
}

TEST(DataFile, EveryTruncationIsUnexpectedEnd)
{
    for (size_t size = 1; size < kWorkedExample.size(); ++size)
        EXPECT_EQ(DecodeFailure(kWorkedExample.substr(0, size)), FileError::EndOfFile) << size;
}

TEST(DataFile, DamageFailsWithoutBelievingItsNumbers)
{
    struct Case {
        const char* what;
        std::string bytes;
        FileError::Cause cause;
    } cases[] = {
        {"huge item count", Le32(0x7FFFFFFE) + Le32(0xFFFFFFFF), FileError::EndOfFile},
        {"huge group count", Le32(0xFFFFFFFF) + Le32(0x7FFFFFFF) + "\x01" "a", FileError::EndOfFile},
        {"4 GB string", OneGroupFile(std::string("\xFF\xFF\xFF\xFE\xFF\xFF\xFF" "abc", 10)), FileError::EndOfFile},
        {"4 G wide units", OneGroupFile(std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF" "ab", 11)), FileError::EndOfFile},
        {"nested wide mark", OneGroupFile(std::string("\xFF\xFE\xFF\xFF\xFE\xFF\x01" "a\0", 9)), FileError::BadFormat},
        {"item count below -1", Le32(0xFFFFFFFE) + Le32(0xFFFFFFFF), FileError::BadFormat},
        {"group count below -1", Le32(0xFFFFFFFF) + Le32(0x80000000), FileError::BadFormat},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeFailure(c.bytes), c.cause) << c.what;
}

TEST(DataFile, MessagesForFailures)
{
    struct Case {
        FileError::Cause cause;
        FileReport report;
        const char* message;
    } cases[] = {
        {FileError::EndOfFile, FileReport::DocumentOpen, "Unexpected file format."},
        {FileError::BadFormat, FileReport::DocumentOpen, "Unexpected file format."},
        {FileError::NotFound, FileReport::DocumentOpen,
         "a.lkh\nCannot find this file.\nPlease verify that the correct path and file name are given."},
        {FileError::AccessDenied, FileReport::DocumentOpen, "Unable to read from a.lkh, it is opened by someone else."},
        {FileError::SharingViolation, FileReport::DocumentSave,
         "Unable to write to a.lkh, it is read-only or opened by someone else."},
        {FileError::DiskFull, FileReport::DocumentSave, "Destination disk drive is full."},
        {FileError::Generic, FileReport::DocumentOpen, "Failed to open document."},
        {FileError::Generic, FileReport::DocumentSave, "Failed to save document."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileErrorMessage(FileError(c.cause, "x"), c.report, "a.lkh"), c.message);
}

// Every script survives a save and an open; what the legacy code page holds
// is written in it as before, the rest behind the wide-text mark as the
// format defines it, so any reader of the format gets it too.
TEST(DataFile, TextOfEveryScript)
{
    StoreContent content;
    for (const ScriptSample& sample : ScriptSamples()) {
        content.m_arrGroups.push_back(sample.name);
        BookmarkItem item;
        item.m_strName = sample.name;
        item.m_strURL = sample.url;
        item.m_strGroup = sample.name;
        item.m_strDescription = sample.script + std::string(" ") + sample.name;
        content.m_arrItems.push_back(item);

        std::string legacy;
        const std::u16string units = Utf8ToUtf16(sample.name);
        std::string expected = std::string(1, static_cast<char>(units.size()));
        if (sample.legacy) {
            ASSERT_TRUE(Utf8ToCodePage(sample.name, 1252, legacy));
            expected = std::string(1, static_cast<char>(legacy.size())) + legacy;
        } else {
            expected = "\xFF\xFE\xFF" + expected;
            for (char16_t unit : units)
                expected += std::string{static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        }
        StoreContent one;
        one.m_arrGroups = {sample.name};
        EXPECT_EQ(EncodeDataFile(one), OneGroupFile(expected)) << sample.script;
    }
    const StoreContent again = Decode(EncodeDataFile(content));
    EXPECT_EQ(again.m_arrGroups, content.m_arrGroups);
    ASSERT_EQ(again.m_arrItems.size(), content.m_arrItems.size());
    for (size_t i = 0; i < content.m_arrItems.size(); ++i) {
        EXPECT_EQ(again.m_arrItems[i].m_strName, content.m_arrItems[i].m_strName);
        EXPECT_EQ(again.m_arrItems[i].m_strURL, content.m_arrItems[i].m_strURL);
        EXPECT_EQ(again.m_arrItems[i].m_strDescription, content.m_arrItems[i].m_strDescription);
    }
}

// A file of the code page's every byte, as older releases wrote it, saves
// back byte for byte.
TEST(DataFile, OldFileSavesByteForByte)
{
    std::string every;
    for (int byte = 1; byte < 256; ++byte)
        every += static_cast<char>(byte);
    const std::string file = OneGroupFile("\xFF" + std::string{static_cast<char>(every.size()), '\0'} + every);
    const StoreContent content = Decode(file);
    EXPECT_EQ(content.m_arrGroups[0].substr(0x7D, 10), "~\x7F\u20ac\u0081\u201a");
    EXPECT_EQ(EncodeDataFile(content), file);
}
