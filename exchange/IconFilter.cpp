// Drops the icons of a browser's bookmark file as it is read.
#include "exchange/IconFilter.h"

#include "store/FileIO.h"
#include "store/TextCompare.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// HTML's blanks; a vertical tab is none.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

const size_t kReadSize = size_t{256} << 10;

} // namespace

bool IconFilter::NameIsIcon() const
{
    const std::string_view name(m_name, std::min(m_nameLength, sizeof m_name));
    return m_nameLength <= sizeof m_name && (name == "icon" || name == "icon_uri");
}

// Each state takes the bytes at data[i] that are its own, then hands the
// next one unread to the state it leads to, as the tag reader looks at it
// again there. The usual way through a tag falls through from case to case.
void IconFilter::Feed(const char* data, size_t size, std::string& out)
{
    size_t keptFrom = 0;
    const auto startDropping = [&](size_t at) {
        out.append(data + keptFrom, at - keptFrom);
        m_dropping = true;
    };
    const auto stopDropping = [&](size_t at) {
        keptFrom = at;
        m_dropping = false;
    };
    // Where the next `c` is from data[from] on, or `size`.
    const auto find = [&](size_t from, char c) {
        const void* found = std::memchr(data + from, c, size - from);
        return found ? static_cast<size_t>(static_cast<const char*>(found) - data) : size;
    };
    size_t i = 0;
    while (i < size) {
        switch (m_state) {
        case State::Text:
            i = find(i, '<');
            if (i == size)
                continue;
            ++i;
            m_state = State::Open;
            [[fallthrough]];
        case State::Open:
            if (i == size)
                continue;
            if (!IsLetter(data[i])) {
                const char c = data[i];
                m_state = c == '!' ? State::Bang : c == '?' ? State::Declaration : c == '/' ? State::OpenSlash : State::Text;
                if (m_state != State::Text)
                    ++i;  // else a "<" that begins no tag
                continue;
            }
            ++i;
            m_state = State::TagName;
            [[fallthrough]];
        case State::TagName:
            while (i < size && !IsBlank(data[i]) && data[i] != '/' && data[i] != '>')
                ++i;
            if (i == size)
                continue;
            m_state = State::BeforeName;
            [[fallthrough]];
        case State::BeforeName:
            while (i < size && (IsBlank(data[i]) || data[i] == '/'))
                ++i;
            if (i == size)
                continue;
            if (data[i] == '>') {
                ++i;
                m_state = State::Text;
                continue;
            }
            m_state = State::Name;  // even a first "=" belongs to the name
            m_name[0] = FoldAscii(data[i++]);
            m_nameLength = 1;
            [[fallthrough]];
        case State::Name:
            for (; i < size && !IsBlank(data[i]) && data[i] != '/' && data[i] != '>' && data[i] != '='; ++i) {
                if (m_nameLength < sizeof m_name)
                    m_name[m_nameLength] = FoldAscii(data[i]);
                ++m_nameLength;
            }
            if (i == size)
                continue;
            m_state = State::AfterName;
            [[fallthrough]];
        case State::AfterName:
            while (i < size && IsBlank(data[i]))
                ++i;
            if (i == size)
                continue;
            if (data[i] != '=') {
                m_state = State::BeforeName;
                continue;
            }
            ++i;
            m_state = State::BeforeValue;
            m_icon = NameIsIcon();
            [[fallthrough]];
        case State::BeforeValue:
            while (i < size && IsBlank(data[i]))
                ++i;
            if (i == size)
                continue;
            if (data[i] != '"' && data[i] != '\'') {
                m_state = State::Bare;
                if (m_icon && data[i] != '>')
                    startDropping(i + 1);
                continue;
            }
            m_quote = data[i++];
            m_state = State::Quoted;
            if (m_icon)
                startDropping(i);
            [[fallthrough]];
        case State::Quoted:
            i = find(i, m_quote);
            if (i == size)
                continue;
            if (m_dropping)
                stopDropping(i);
            ++i;
            m_state = State::BeforeName;
            continue;
        case State::Bare:
            while (i < size && !IsBlank(data[i]) && data[i] != '>')
                ++i;
            if (i == size)
                continue;
            if (m_dropping)
                stopDropping(i);
            m_state = State::BeforeName;
            continue;
        case State::OpenSlash:
            if (IsLetter(data[i])) {
                ++i;
                m_state = State::TagName;
            } else {
                m_state = State::Text;
            }
            continue;
        case State::Bang:
            if (data[i] == '-') {
                ++i;
                m_state = State::BangDash;
            } else {
                m_state = State::Declaration;
            }
            continue;
        case State::BangDash:
            if (data[i] == '-') {
                ++i;
                m_state = State::Comment;
                m_dashes = 0;
            } else {
                m_state = State::Declaration;
            }
            continue;
        case State::Comment:
            for (; i < size && m_state == State::Comment; ++i) {
                if (data[i] == '>' && m_dashes >= 2)
                    m_state = State::Text;
                m_dashes = data[i] == '-' ? m_dashes + 1 : 0;
            }
            continue;
        case State::Declaration:
            i = find(i, '>');
            if (i == size)
                continue;
            ++i;
            m_state = State::Text;
            continue;
        }
    }
    if (!m_dropping)
        out.append(data + keptFrom, size - keptFrom);
}

namespace {

// Reads `file` through a filter into `text`, made room for `room` bytes.
bool ReadInto(InputFile& file, uint64_t limit, uint64_t room, std::vector<char>& buffer, std::string& text)
{
    text.reserve(static_cast<size_t>(std::min(room, limit)));
    IconFilter filter;
    while (const size_t got = file.Read(buffer.data(), buffer.size())) {
        filter.Feed(buffer.data(), got, text);
        if (text.size() > limit)
            return false;  // it grew meanwhile
    }
    return true;
}

} // namespace

bool ReadWithoutIcons(InputFile& file, uint64_t limit, std::string& text)
{
    text.clear();
    std::vector<char> buffer(kReadSize);
    if (file.Size() <= limit)
        return ReadInto(file, limit, file.Size(), buffer, text);
    // Only its icons may bring it within the limit: what it keeps is counted
    // first, then read again into room of just that size, which a string
    // grown as it went would overshoot by up to twice.
    uint64_t kept = 0;
    IconFilter counter;
    std::string piece;
    while (const size_t got = file.Read(buffer.data(), buffer.size())) {
        piece.clear();
        counter.Feed(buffer.data(), got, piece);
        kept += piece.size();
        if (kept > limit)
            return false;
    }
    InputFile again(file.Path());
    return ReadInto(again, limit, kept, buffer, text);
}
