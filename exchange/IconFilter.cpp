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

// Each state either takes the byte at data[i] (and moves on) or hands it to
// the next state unread, as the tag reader looks at it again.
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
    size_t i = 0;
    while (i < size) {
        const char c = data[i];
        switch (m_state) {
        case State::Text: {
            const void* open = std::memchr(data + i, '<', size - i);
            i = open ? static_cast<size_t>(static_cast<const char*>(open) - data) + 1 : size;
            if (open)
                m_state = State::Open;
            continue;
        }
        case State::Open:
            if (IsLetter(c))
                m_state = State::TagName;
            else if (c == '!')
                m_state = State::Bang;
            else if (c == '?')
                m_state = State::Declaration;
            else if (c == '/')
                m_state = State::OpenSlash;
            else {
                m_state = State::Text;  // a "<" that begins no tag
                continue;
            }
            break;
        case State::OpenSlash:
            if (!IsLetter(c)) {
                m_state = State::Text;
                continue;
            }
            m_state = State::TagName;
            break;
        case State::Bang:
            if (c != '-') {
                m_state = State::Declaration;
                continue;
            }
            m_state = State::BangDash;
            break;
        case State::BangDash:
            if (c != '-') {
                m_state = State::Declaration;
                continue;
            }
            m_state = State::Comment;
            m_dashes = 0;
            break;
        case State::Comment:
            if (c == '>' && m_dashes >= 2)
                m_state = State::Text;
            m_dashes = c == '-' ? m_dashes + 1 : 0;
            break;
        case State::Declaration: {
            const void* close = std::memchr(data + i, '>', size - i);
            i = close ? static_cast<size_t>(static_cast<const char*>(close) - data) + 1 : size;
            if (close)
                m_state = State::Text;
            continue;
        }
        case State::TagName:
            if (IsBlank(c) || c == '/' || c == '>') {
                m_state = State::BeforeName;
                continue;
            }
            break;
        case State::BeforeName:
            if (c == '>') {
                m_state = State::Text;
            } else if (!IsBlank(c) && c != '/') {
                m_state = State::Name;  // even a first "=" belongs to the name
                m_name[0] = FoldAscii(c);
                m_nameLength = 1;
            }
            break;
        case State::Name:
            if (IsBlank(c) || c == '/' || c == '>' || c == '=') {
                m_state = State::AfterName;
                continue;
            }
            if (m_nameLength < sizeof m_name)
                m_name[m_nameLength] = FoldAscii(c);
            ++m_nameLength;
            break;
        case State::AfterName:
            if (c == '=') {
                m_state = State::BeforeValue;
                m_icon = NameIsIcon();
            } else if (!IsBlank(c)) {
                m_state = State::BeforeName;
                continue;
            }
            break;
        case State::BeforeValue:
            if (c == '"' || c == '\'') {
                m_state = State::Quoted;
                m_quote = c;
                if (m_icon)
                    startDropping(i + 1);
            } else if (!IsBlank(c)) {
                m_state = State::Bare;
                if (m_icon && c != '>')
                    startDropping(i + 1);
                continue;
            }
            break;
        case State::Quoted: {
            const void* close = std::memchr(data + i, m_quote, size - i);
            if (!close) {
                i = size;
                continue;
            }
            i = static_cast<size_t>(static_cast<const char*>(close) - data);
            if (m_dropping)
                stopDropping(i);
            m_state = State::BeforeName;
            break;
        }
        case State::Bare:
            if (IsBlank(c) || c == '>') {
                if (m_dropping)
                    stopDropping(i);
                m_state = State::BeforeName;
                continue;
            }
            break;
        }
        ++i;
    }
    if (!m_dropping)
        out.append(data + keptFrom, size - keptFrom);
}

bool ReadWithoutIcons(InputFile& file, uint64_t limit, std::string& text)
{
    text.clear();
    // A file within the limit gets room for all of it at once, as before
    // icons were left out; a larger one grows, never far past the limit.
    if (file.Size() <= limit)
        text.reserve(static_cast<size_t>(file.Size()));
    const uint64_t most = limit + kReadSize;
    std::vector<char> buffer(kReadSize);
    IconFilter filter;
    for (;;) {
        const size_t got = file.Read(buffer.data(), buffer.size());
        if (got == 0)
            return true;
        if (text.size() + got > text.capacity()) {
            const uint64_t wanted = std::max<uint64_t>(text.capacity() * uint64_t{2}, text.size() + got);
            text.reserve(static_cast<size_t>(std::min(wanted, most)));
        }
        filter.Feed(buffer.data(), got, text);
        if (text.size() > limit)
            return false;
    }
}
