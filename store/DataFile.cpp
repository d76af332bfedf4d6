// The .lkh codec: reading and writing the data file, version 2.0 too.
#include "store/DataFile.h"

#include "store/CodePage.h"
#include "store/FileError.h"
#include "store/FileIO.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>

bool Version20Mode = false;

namespace {

const size_t kBufferSize = 1 << 20;

// Reads from a file through a buffer, or straight from memory. Knows how many
// bytes remain, so no length from the file is believed beyond that.
class Reader {
public:
    Reader(const char* data, size_t size) : m_cur(data), m_end(data + size) {}

    // `keep`, when given, receives the bytes read, for UnreadTail to cut.
    Reader(InputFile& file, std::string* keep)
        : m_file(&file), m_buffer(new char[kBufferSize]), m_cur(m_buffer.get()), m_end(m_cur),
          m_unread(file.Size()), m_path(file.Path()), m_keep(keep)
    {
    }

    // Drops from `keep` what was read ahead but not taken.
    void UnreadTail()
    {
        if (m_keep)
            m_keep->resize(m_keep->size() - static_cast<size_t>(m_end - m_cur));
    }

    uint64_t Remaining() const { return static_cast<uint64_t>(m_end - m_cur) + m_unread; }

    uint8_t Byte()
    {
        Need(1);
        return static_cast<uint8_t>(*m_cur++);
    }

    uint16_t U16()
    {
        Need(2);
        const auto* p = reinterpret_cast<const unsigned char*>(m_cur);
        m_cur += 2;
        return static_cast<uint16_t>(p[0] | (p[1] << 8));
    }

    uint32_t U32()
    {
        Need(4);
        const auto* p = reinterpret_cast<const unsigned char*>(m_cur);
        m_cur += 4;
        return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
               (static_cast<uint32_t>(p[3]) << 24);
    }

    // Appends `n` bytes to `out`; n was checked against Remaining().
    void Bytes(uint64_t n, std::string& out)
    {
        if (n <= static_cast<uint64_t>(m_end - m_cur)) {
            out.append(m_cur, static_cast<size_t>(n));
            m_cur += n;
            return;
        }
        if (n > Remaining())
            Fail(FileError::EndOfFile);
        out.reserve(out.size() + static_cast<size_t>(n));
        while (n > 0) {
            if (m_cur == m_end)
                Refill();
            const size_t take = static_cast<size_t>(std::min<uint64_t>(n, static_cast<uint64_t>(m_end - m_cur)));
            out.append(m_cur, take);
            m_cur += take;
            n -= take;
        }
    }

    [[noreturn]] void Fail(FileError::Cause cause) const { throw FileError(cause, m_path); }

private:
    // Makes at least `n` (at most a few) bytes available at m_cur.
    void Need(size_t n)
    {
        if (static_cast<size_t>(m_end - m_cur) >= n)
            return;
        if (Remaining() < n)
            Fail(FileError::EndOfFile);
        Refill();
    }

    void Refill()
    {
        if (!m_file || m_unread == 0)
            Fail(FileError::EndOfFile);
        const size_t kept = static_cast<size_t>(m_end - m_cur);
        std::memmove(m_buffer.get(), m_cur, kept);
        size_t filled = kept;
        const size_t want = static_cast<size_t>(std::min<uint64_t>(kBufferSize - kept, m_unread));
        while (filled < kept + want) {
            const size_t got = m_file->Read(m_buffer.get() + filled, kept + want - filled);
            if (got == 0)
                Fail(FileError::EndOfFile);
            filled += got;
        }
        m_unread -= want;
        m_cur = m_buffer.get();
        m_end = m_cur + filled;
        if (m_keep)
            m_keep->append(m_cur + kept, want);
    }

    InputFile* m_file = nullptr;
    std::unique_ptr<char[]> m_buffer;
    const char* m_cur;
    const char* m_end;
    uint64_t m_unread = 0;
    std::string m_path;
    std::string* m_keep = nullptr;
};

const uint16_t kWideMark = 0xFFFE;
const uint16_t kLongMark = 0xFFFF;

// The length prefix; `wide` is set when the wide-text mark came first.
uint64_t ReadLength(Reader& in, bool& wide)
{
    const uint8_t first = in.Byte();
    if (first != 0xFF)
        return first;
    const uint16_t second = in.U16();
    if (second == kWideMark) {
        // One mark per string: a second one is damage, never a nested read.
        if (wide)
            in.Fail(FileError::BadFormat);
        wide = true;
        return ReadLength(in, wide);
    }
    if (second == kLongMark)
        return in.U32();
    return second;
}

void ReadCountedString(Reader& in, std::string& out)
{
    bool wide = false;
    const uint64_t length = ReadLength(in, wide);
    if (!wide) {
        in.Bytes(length, out);
        if (!IsAscii(out))
            out = LegacyToUtf8(out);
        return;
    }
    const uint64_t bytes = length * 2;  // length < 2^32, so no overflow
    if (bytes > in.Remaining())
        in.Fail(FileError::EndOfFile);
    std::string raw;
    in.Bytes(bytes, raw);
    std::u16string units(static_cast<size_t>(length), u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(raw[2 * i]) |
                                          (static_cast<unsigned char>(raw[2 * i + 1]) << 8));
    }
    out = Utf16ToUtf8(units.data(), units.size());
}

// A count field holds the number minus one; -1 is an empty section and
// anything below it is damage (reading it as "nothing" would let the next
// save throw the rest of the file away).
int64_t ReadCount(Reader& in)
{
    const int32_t field = static_cast<int32_t>(in.U32());
    if (field < -1)
        in.Fail(FileError::BadFormat);
    return static_cast<int64_t>(field) + 1;
}

// Version20Mode lasts one read, whatever its outcome.
struct Version20Read {
    const bool on = Version20Mode;
    ~Version20Read() { Version20Mode = false; }
};

void ReadContent(Reader& in, StoreContent& content, bool version20)
{
    const int64_t itemCount = ReadCount(in);
    const int64_t groupCount = ReadCount(in);
    for (int64_t i = 0; i < groupCount; ++i) {
        std::string name;
        ReadCountedString(in, name);
        content.m_arrGroups.push_back(std::move(name));
    }
    for (int64_t i = 0; i < itemCount; ++i) {
        BookmarkItem item;
        ReadCountedString(in, item.m_strName);
        ReadCountedString(in, item.m_strURL);
        ReadCountedString(in, item.m_strGroup);
        if (!version20)
            ReadCountedString(in, item.m_strDescription);
        content.m_arrItems.push_back(std::move(item));
    }
}

class Writer {
public:
    explicit Writer(std::function<void(const char*, size_t)> sink) : m_sink(std::move(sink)) { m_buffer.reserve(kBufferSize); }

    void Flush()
    {
        m_sink(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
    }

    void Byte(uint8_t b) { m_buffer.push_back(static_cast<char>(b)); }
    void U16(uint16_t v)
    {
        Byte(static_cast<uint8_t>(v));
        Byte(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }

    void Length(size_t n)
    {
        if (n < 255) {
            Byte(static_cast<uint8_t>(n));
        } else if (n < 0xFFFE) {
            Byte(0xFF);
            U16(static_cast<uint16_t>(n));
        } else {
            // Lengths from 0xFFFFFFFF on would need a form readers don't know.
            if (static_cast<uint64_t>(n) >= 0xFFFFFFFFu)
                throw FileError(FileError::Generic, std::string());
            Byte(0xFF);
            U16(kLongMark);
            U32(static_cast<uint32_t>(n));
        }
    }

    void Raw(const std::string& bytes)
    {
        const size_t n = bytes.size();
        if (m_buffer.size() + n > kBufferSize)
            Flush();
        if (n >= kBufferSize)
            m_sink(bytes.data(), n);
        else
            m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
        if (m_buffer.size() >= kBufferSize - 16)
            Flush();
    }

    void Bytes(const std::string& text)
    {
        Length(text.size());
        Raw(text);
    }

    // Text the legacy code page holds goes out in it, as every reader
    // expects; the rest as UTF-16 behind the wide-text mark, which readers
    // of the format convert to their code page.
    void CountedString(const std::string& text)
    {
        if (IsAscii(text)) {
            Bytes(text);
            return;
        }
        std::string legacy;
        if (Utf8ToCodePage(text, LegacyCodePage(), legacy)) {
            Bytes(legacy);
            return;
        }
        const std::u16string units = Utf8ToUtf16(text);
        Byte(0xFF);
        U16(kWideMark);
        Length(units.size());
        std::string raw;
        raw.reserve(units.size() * 2);
        for (char16_t unit : units) {
            raw += static_cast<char>(unit & 0xFF);
            raw += static_cast<char>(unit >> 8);
        }
        Raw(raw);
    }

private:
    std::function<void(const char*, size_t)> m_sink;
    std::vector<char> m_buffer;
};

uint32_t CountField(size_t count)
{
    if (count > 0x7FFFFFFF)
        throw FileError(FileError::Generic, std::string());
    return static_cast<uint32_t>(static_cast<int32_t>(count) - 1);
}

void WriteContent(Writer& out, const StoreContent& content)
{
    out.U32(CountField(content.m_arrItems.size()));
    out.U32(CountField(content.m_arrGroups.size()));
    for (const std::string& group : content.m_arrGroups)
        out.CountedString(group);
    for (const BookmarkItem& item : content.m_arrItems) {
        out.CountedString(item.m_strName);
        out.CountedString(item.m_strURL);
        out.CountedString(item.m_strGroup);
        out.CountedString(item.m_strDescription);
    }
    out.Flush();
}

} // namespace

void ReadDataFile(InputFile& file, StoreContent& content, std::string* bytes)
{
    Version20Read mode;
    Reader in(file, bytes);
    ReadContent(in, content, mode.on);
    in.UnreadTail();
}

void ReadDataBytes(const char* data, size_t size, StoreContent& content)
{
    Version20Read mode;
    Reader in(data, size);
    ReadContent(in, content, mode.on);
}

void WriteDataFile(const std::string& path, const StoreContent& content)
{
    SafeFileWriter file(path);
    Writer out([&file](const char* data, size_t size) { file.Write(data, size); });
    WriteContent(out, content);
    file.Commit();
}

std::string EncodeDataFile(const StoreContent& content)
{
    std::string bytes;
    Writer out([&bytes](const char* data, size_t size) { bytes.append(data, size); });
    WriteContent(out, content);
    return bytes;
}

std::string EncodeCountedString(const std::string& text)
{
    std::string bytes;
    Writer out([&bytes](const char* data, size_t size) { bytes.append(data, size); });
    out.CountedString(text);
    out.Flush();
    return bytes;
}
