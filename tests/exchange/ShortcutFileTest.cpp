// Tests of Internet shortcut files.
#include "exchange/IniFileReader.h"
#include "exchange/ShortcutFile.h"
#include "store/CodePage.h"
#include "tests/support/Fakes.h"
#include "tests/support/ScriptSamples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace std::string_literals;

std::string Utf16(const std::u16string& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF"s : "\xFF\xFE"s;
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

#ifdef _WIN32
// What the system's own reader makes of a file: the measure of ours.
std::string SystemReaderValue(const std::string& path)
{
    const std::u16string widePath = Utf8ToUtf16(path);
    for (DWORD capacity = 1024;; capacity *= 2) {
        std::u16string value(capacity, u'\0');
        const DWORD got = GetPrivateProfileStringW(L"InternetShortcut", L"URL", L"", reinterpret_cast<LPWSTR>(&value[0]),
                                                   capacity, reinterpret_cast<LPCWSTR>(widePath.c_str()));
        if (got + 2 < capacity)
            return Utf16ToUtf8(value.data(), got);
    }
}

// The one difference, on purpose: the system reads 8-bit text in the active
// code page, UTF-8 for this program, where older programs' shortcut files are
// in the legacy one.
bool SystemReadsAlike(const std::string& bytes)
{
    return IsAscii(bytes) || bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 || bytes.compare(0, 2, "\xFF\xFE") == 0 ||
           bytes.compare(0, 2, "\xFE\xFF") == 0;
}
#endif

struct ReadCase {
    const char* what;
    std::string bytes;
    std::string url;
};

// The win64 build runs the same table against the system's reader, which
// keeps the own reader honest.
const std::vector<ReadCase> kReadCases = {
    {"as written", "[InternetShortcut]\r\nURL=http://a/\r\n", "http://a/"},
    {"case and blanks", "[internetshortcut]\nurl = http://a  \n", "http://a"},
    {"carriage returns alone end lines", "[InternetShortcut]\rURL=http://a\rX=1\r", "http://a"},
    {"a carriage return ends the value", "[InternetShortcut]\nURL=a\rb\n", "a"},
    {"double quotes", "[InternetShortcut]\r\nURL=\"http://a\"\r\n", "http://a"},
    {"single quotes", "[InternetShortcut]\r\nURL='http://a'\r\n", "http://a"},
    {"one quote", "[InternetShortcut]\r\nURL=\"http://a\r\n", "\"http://a"},
    {"mixed quotes", "[InternetShortcut]\nURL=\"a'\n", "\"a'"},
    {"a lone quote", "[InternetShortcut]\r\nURL=\"\r\n", "\""},
    {"empty quotes", "[InternetShortcut]\r\nURL=\"\"\r\n", ""},
    {"quotes inside blanks", "[InternetShortcut]\r\nURL= \t\x0b\x0c\"a\"\r\n", "a"},
    {"Ctrl+Z is a blank", "[InternetShortcut]\r\nURL=\x1ax\x1a\r\n", "x"},
    {"Ctrl+Z inside stays", "[InternetShortcut]\nURL=a\x1a b\n", "a\x1a b"},
    {"no-break space is no blank", "[InternetShortcut]\r\nURL=\xa0" "a\xa0\r\n", "\u00a0" "a\u00a0"},
    {"blanks in the brackets", "[ InternetShortcut\t]\r\nURL=a\r\n", "a"},
    {"indented", "  [InternetShortcut]  \r\n  URL  =  http://a  \r\n", "http://a"},
    {"text after the bracket", "[InternetShortcut]x\r\nURL=a\r\n", "a"},
    {"no closing bracket", "[InternetShortcut\r\nURL=a\r\n", ""},
    {"another section first", "[Other]\r\nURL=b\r\n[InternetShortcut]\r\nURL=a\r\n", "a"},
    {"next section ends the search", "[InternetShortcut]\n [x] \nURL=a\n", ""},
    {"only the first section counts", "[InternetShortcut]\r\nX=1\r\n[InternetShortcut]\r\nURL=a\r\n", ""},
    {"key without equals sign", "[InternetShortcut]\r\nURL\r\nURL=a\r\n", ""},
    {"first of two keys", "[InternetShortcut]\r\nURL=a\r\nURL=b\r\n", "a"},
    {"equals sign in the value", "[InternetShortcut]\r\nURL=a=b\r\n", "a=b"},
    {"empty value", "[InternetShortcut]\nURL=  \n", ""},
    {"no section", "URL=a\r\n", ""},
    {"empty file", "", ""},
    {"NUL ends the value", "[InternetShortcut]\r\nURL=a\0b\r\n"s, "a"},
    {"NUL ends the key", "[InternetShortcut]\r\nURL\0x=a\r\n"s, "a"},
    {"code page bytes", "[InternetShortcut]\nURL=\x80\x81\x8d\x8f\x90\x9d\xff\n", "\u20ac\u0081\u008d\u008f\u0090\u009d\u00ff"},
    {"UTF-8", "\xef\xbb\xbf[InternetShortcut]\r\nURL=http://a\xc3\xa9\xe2\x82\xac\r\n", "http://a\u00e9\u20ac"},
    {"UTF-8 damaged", "\xef\xbb\xbf[InternetShortcut]\nURL=a\xe9" "b\xc3\n", "a\ufffd" "b\ufffd"},
    {"UTF-8 outside the code page", "\xef\xbb\xbf[InternetShortcut]\nURL=\xe4\xb8\xad\xf0\x9f\x98\x80\n", "\u4e2d\U0001F600"},
    {"UTF-8 mark twice", "\xef\xbb\xbf\xef\xbb\xbf[InternetShortcut]\nURL=a\n", ""},
    {"UTF-8 mark alone", "\xef\xbb\xbf", ""},
    {"UTF-16", Utf16(u"[InternetShortcut]\nURL= h\u00e9\u4e2d\n", false), "h\u00e9\u4e2d"},
    {"UTF-16 big-endian", Utf16(u"[InternetShortcut]\r\nURL=\"h\u00e9\"", true), "h\u00e9"},
};

TEST(ShortcutFile, ReadsAsTheSystemReaderDoes)
{
    TempDir dir;
    for (size_t i = 0; i < kReadCases.size(); ++i) {
        const ReadCase& c = kReadCases[i];
        // A fresh name each time: the system reader caches files by name.
        const std::string path = dir.Path("case" + std::to_string(i) + ".url");
        WriteBytes(path, c.bytes);
        EXPECT_EQ(c.url, ReadShortcutURL(path)) << c.what;
#ifdef _WIN32
        if (SystemReadsAlike(c.bytes)) {
            EXPECT_EQ(c.url, SystemReaderValue(path)) << c.what;
        }
#endif
    }
}

TEST(ShortcutFile, LongValuesAreReadWhole)
{
    TempDir dir;
    for (size_t length : {259u, 260u, 1022u, 1023u, 1024u, 5000u, 100000u}) {
        const std::string url = "http://" + std::string(length - 7, 'x');
        const std::string path = dir.Path("long" + std::to_string(length) + ".url");
        WriteBytes(path, "[InternetShortcut]\r\nURL=\"" + url + "\"\r\n");
        EXPECT_EQ(url, ReadShortcutURL(path)) << length;
    }
}

TEST(ShortcutFile, UnreadableFilesGiveAnEmptyURL)
{
    TempDir dir;
    EXPECT_EQ("", ReadShortcutURL(dir.Path("missing.url")));
    std::filesystem::create_directory(dir.Path("folder.url"));
    EXPECT_EQ("", ReadShortcutURL(dir.Path("folder.url")));
}

// On Windows the own reader and the system's read the same random files.
TEST(ShortcutFile, OwnReaderAgreesWithTheSystemReader)
{
#ifndef _WIN32
    GTEST_SKIP() << "the system reader exists only on Windows";
#else
    const std::vector<std::u16string> pieces = {
        u"[", u"]", u"InternetShortcut", u"internetshortcut", u"URL", u"url", u"=", u" ", u"\t", u"\r", u"\n",
        u"\r\n", u"\"", u"'", u"\x1a", u"\x0b", u"x", u"http://a", u"\u00e9", u"\u00a0", u"\u20ac", u"\u4e2d",
        u"\ufeff", u"\u3000", std::u16string(1, u'\0'),
    };
    std::mt19937 random(20261207);
    TempDir dir;
    for (int round = 0; round < 400; ++round) {
        std::u16string text;
        const int count = static_cast<int>(random() % 30);
        for (int i = 0; i < count; ++i)
            text += pieces[random() % pieces.size()];
        std::string bytes;
        switch (random() % 4) {
        case 0:
            for (char16_t unit : text)
                bytes += unit == u'\u20ac' ? '\x80' : unit > 0xFF ? 'y' : static_cast<char>(unit);
            break;
        case 1:
            bytes = "\xef\xbb\xbf";
            for (char16_t unit : text) {
                if (unit < 0x80) {
                    bytes += static_cast<char>(unit);
                } else if (unit < 0x800) {
                    bytes += static_cast<char>(0xC0 | (unit >> 6));
                    bytes += static_cast<char>(0x80 | (unit & 0x3F));
                } else {
                    bytes += static_cast<char>(0xE0 | (unit >> 12));
                    bytes += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
                    bytes += static_cast<char>(0x80 | (unit & 0x3F));
                }
                // Now and then a stray byte that no UTF-8 sequence allows.
                if (random() % 16 == 0)
                    bytes += random() % 2 ? '\xc3' : '\xff';
            }
            break;
        default:
            bytes = Utf16(text, random() % 2 == 0);
        }
        const std::string path = dir.Path("random" + std::to_string(round) + ".url");
        WriteBytes(path, bytes);
        if (SystemReadsAlike(bytes)) {
            ASSERT_EQ(SystemReaderValue(path), IniFileValue(bytes.data(), bytes.size(), "InternetShortcut", "URL"))
                << ::testing::PrintToString(bytes);
        }
    }
#endif
}

// A URL the legacy code page holds keeps the two lines; any other also gets
// the Unicode section Windows writes, and an 8-bit line that still works.
TEST(ShortcutFile, UnicodeFormWrittenAndReadBack)
{
    TempDir dir;
    FakePrompt prompt;
    for (const ScriptSample& sample : ScriptSamples()) {
        const std::string text = ShortcutFileText(sample.url);
        EXPECT_EQ(sample.legacy, text.find("[InternetShortcut.W]") == std::string::npos) << sample.script;
        const std::string path = dir.Path(sample.name + ".url");
        ASSERT_TRUE(SaveShortcutFile(path, sample.url, prompt)) << sample.script;
        EXPECT_EQ(sample.url, ReadShortcutURL(path)) << sample.script;
        EXPECT_EQ(sample.name, ShortcutBaseName(path)) << sample.script;
        if (!sample.legacy) {
            EXPECT_TRUE(IsAscii(IniFileValue(text.data(), text.size(), "InternetShortcut", "URL"))) << sample.script;
        }
    }
    EXPECT_EQ(0u, ShortcutFileText("http://\u4f8b.jp/caf\u00e9")
                      .find("[InternetShortcut]\r\nURL=http://%E4%BE%8B.jp/caf\xE9\r\n[InternetShortcut.W]\r\nURL=http://+T4s"));

    // As Windows writes them: the Unicode section wins, an empty one does not.
    const struct {
        std::string bytes;
        std::string url;
    } cases[] = {
        {"[InternetShortcut]\r\nURL=http://?.jp/\r\n[InternetShortcut.W]\r\nURL=http://+ZeVnLIqe-.jp/\r\n",
         "http://\u65e5\u672c\u8a9e.jp/"},
        {"[InternetShortcut.W]\r\nURL=http://a/+2D3eAA-\r\n[InternetShortcut]\r\nURL=http://a/?\r\n",
         "http://a/\U0001F600"},
        {"[InternetShortcut]\r\nURL=http://caf\xE9/\r\n[InternetShortcut.W]\r\nURL=\r\n", "http://caf\u00e9/"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::string path = dir.Path("windows" + std::to_string(i) + ".url");
        WriteBytes(path, cases[i].bytes);
        EXPECT_EQ(cases[i].url, ReadShortcutURL(path)) << cases[i].bytes;
    }
}

TEST(ShortcutFile, WritesTwoLinesThatReadBack)
{
    EXPECT_EQ("[InternetShortcut]\r\nURL=http://a/b?c=d\r\n", ShortcutFileText("http://a/b?c=d"));

    TempDir dir;
    FakePrompt prompt;
    const std::string url = "http://example.com/" + std::string(600, 'p');
    ASSERT_TRUE(SaveShortcutFile(dir.Path("x.url"), url, prompt));
    EXPECT_EQ(ShortcutFileText(url), ReadBytes(dir.Path("x.url")));
    EXPECT_EQ(url, ReadShortcutURL(dir.Path("x.url")));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST(ShortcutFile, FailedSaveKeepsTheOldFile)
{
    TempDir dir;
    FakePrompt prompt;
    const std::string path = dir.Path("old.url");
    WriteBytes(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                           std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(SaveShortcutFile(path, "http://new/", prompt));
    EXPECT_EQ("old", ReadBytes(path));
    ASSERT_EQ(1u, prompt.shown.size());
    EXPECT_EQ("Access to " + path + " was denied.", prompt.shown[0]);
    EXPECT_EQ(MessageStyle::StopOk, prompt.styles[0]);
    EXPECT_EQ(std::vector<std::string>{"old.url"}, FilesIn(dir.Root()));
}

TEST(ShortcutFile, PathRuleAndNameParts)
{
    const std::vector<std::pair<std::string, std::string>> paths = {
        {"notes.txt", "notes.txt.url"}, {"site", "site.url"},       {"site.url", "site.url"},
        {"site.URL", "site.URL"},       {"a.urls", "a.urls.url"},   {"dir.x/file", "dir.x/file.url"},
        {"trailing.", "trailing..url"},
    };
    for (const auto& [chosen, settled] : paths)
        EXPECT_EQ(settled, ShortcutFilePath(chosen)) << chosen;

    EXPECT_TRUE(IsShortcutFileName("C:\\links\\My.Site.URL"));
    EXPECT_TRUE(IsShortcutFileName(".url"));
    EXPECT_FALSE(IsShortcutFileName("a.urls"));
    EXPECT_FALSE(IsShortcutFileName("url"));
    EXPECT_FALSE(IsShortcutFileName("dir.url\\file"));
    EXPECT_EQ("My.Site", ShortcutBaseName("C:\\links\\My.Site.url"));
    EXPECT_EQ("My.Site", ShortcutBaseName("/links/My.Site.url"));
    EXPECT_EQ("", ShortcutBaseName("/links/.url"));
}

} // namespace
