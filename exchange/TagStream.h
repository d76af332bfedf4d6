// The tag reader under the bookmark-file reader: text, tags, attributes.
#pragma once

#include "exchange/CharacterReference.h"
#include "store/CodePage.h"
#include "store/TextCompare.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The tag reader under the browser-bookmark reader: a file as browsers see
// it, text and tags, attributes, and texts with their references decoded.

const size_t kNone = static_cast<size_t>(-1);

// HTML's blanks; a vertical tab is none.
inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

inline bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// `text` begins with `lower`, ASCII letters in any case.
inline bool StartsNoCase(std::string_view text, const char* lower)
{
    const size_t n = std::strlen(lower);
    if (text.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        if (FoldAscii(text[i]) != lower[i])
            return false;
    }
    return true;
}

inline bool EqualsNoCase(std::string_view text, const char* lower)
{
    return text.size() == std::strlen(lower) && StartsNoCase(text, lower);
}

size_t FindNoCase(std::string_view text, const char* lower);

// Walks the attributes of a tag from just after its name, as browsers read
// them: a name, then optionally "=" and a value in double quotes, single
// quotes or bare.
class AttributeReader {
public:
    explicit AttributeReader(std::string_view text) : m_text(text) {}

    // False at the tag's ">" (then Closed()) or where the text ends.
    bool Next(std::string_view& name, std::string_view& value)
    {
        while (m_pos < m_text.size() && (IsBlank(m_text[m_pos]) || m_text[m_pos] == '/'))
            ++m_pos;
        if (m_pos >= m_text.size() || m_text[m_pos] == '>')
            return false;
        const size_t nameStart = m_pos++;  // a first "=" belongs to the name
        while (m_pos < m_text.size() && !IsBlank(m_text[m_pos]) && m_text[m_pos] != '/' && m_text[m_pos] != '>' &&
               m_text[m_pos] != '=')
            ++m_pos;
        name = m_text.substr(nameStart, m_pos - nameStart);
        value = std::string_view();
        SkipBlanks();
        if (m_pos >= m_text.size() || m_text[m_pos] != '=')
            return true;
        ++m_pos;
        SkipBlanks();
        if (m_pos >= m_text.size())
            return true;
        const char quote = m_text[m_pos];
        if (quote == '"' || quote == '\'') {
            const size_t close = m_text.find(quote, m_pos + 1);
            if (close == std::string_view::npos) {
                m_pos = m_text.size();  // cut off: the tag never ends
                return false;
            }
            value = m_text.substr(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            return true;
        }
        const size_t valueStart = m_pos;
        while (m_pos < m_text.size() && !IsBlank(m_text[m_pos]) && m_text[m_pos] != '>')
            ++m_pos;
        value = m_text.substr(valueStart, m_pos - valueStart);
        return true;
    }

    bool Closed() const { return m_pos < m_text.size() && m_text[m_pos] == '>'; }
    size_t Position() const { return m_pos; }

private:
    void SkipBlanks()
    {
        while (m_pos < m_text.size() && IsBlank(m_text[m_pos]))
            ++m_pos;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

inline bool FindAttribute(std::string_view attributes, const char* lowerName, std::string_view& value)
{
    AttributeReader reader(attributes);
    std::string_view name;
    while (reader.Next(name, value)) {
        if (EqualsNoCase(name, lowerName))
            return true;
    }
    return false;
}

struct Piece {
    enum Kind { Text, StartTag, EndTag, Doctype } kind;
    std::string_view text;        // the raw text, the tag's name or the DOCTYPE's content
    std::string_view attributes;  // a start tag's, up to its ">"
};

// The file as text and tags; comments and other declarations are skipped, a
// tag the file cuts off is dropped, and a "<" that begins no tag is text.
class TagStream {
public:
    explicit TagStream(std::string_view text) : m_text(text) {}

    bool Next(Piece& piece)
    {
        while (m_pos < m_text.size()) {
            const size_t textEnd = FindMarkup(m_pos);
            if (textEnd > m_pos) {
                piece = Piece{Piece::Text, m_text.substr(m_pos, textEnd - m_pos), {}};
                m_pos = textEnd;
                return true;
            }
            if (ReadMarkup(piece))
                return true;
        }
        return false;
    }

private:
    bool BeginsMarkup(size_t at) const
    {
        if (at + 1 >= m_text.size())
            return false;
        const char next = m_text[at + 1];
        return IsLetter(next) || next == '!' || next == '?' ||
               (next == '/' && at + 2 < m_text.size() && IsLetter(m_text[at + 2]));
    }

    size_t FindMarkup(size_t from) const
    {
        for (;;) {
            const void* found = std::memchr(m_text.data() + from, '<', m_text.size() - from);
            if (!found)
                return m_text.size();
            from = static_cast<size_t>(static_cast<const char*>(found) - m_text.data());
            if (BeginsMarkup(from))
                return from;
            ++from;
        }
    }

    // The markup at m_pos; false when it was one to skip.
    bool ReadMarkup(Piece& piece)
    {
        const char next = m_text[m_pos + 1];
        if (next == '!' || next == '?') {
            if (m_text.compare(m_pos, 4, "<!--") == 0) {
                const size_t close = m_text.find("-->", m_pos + 4);
                m_pos = close == std::string_view::npos ? m_text.size() : close + 3;
                return false;
            }
            size_t close = m_text.find('>', m_pos + 2);
            if (close == std::string_view::npos)
                close = m_text.size();
            const std::string_view body = m_text.substr(m_pos + 2, close - m_pos - 2);
            m_pos = std::min(close + 1, m_text.size());
            if (next == '!' && StartsNoCase(body, "doctype")) {
                piece = Piece{Piece::Doctype, body, {}};
                return true;
            }
            return false;
        }
        const bool end = next == '/';
        const size_t nameStart = m_pos + (end ? 2 : 1);
        size_t nameEnd = nameStart;
        while (nameEnd < m_text.size() && !IsBlank(m_text[nameEnd]) && m_text[nameEnd] != '/' && m_text[nameEnd] != '>')
            ++nameEnd;
        AttributeReader reader(m_text.substr(nameEnd));
        std::string_view name;
        std::string_view value;
        while (reader.Next(name, value)) {
        }
        if (!reader.Closed()) {
            m_pos = m_text.size();
            return false;
        }
        piece = Piece{end ? Piece::EndTag : Piece::StartTag, m_text.substr(nameStart, nameEnd - nameStart),
                      m_text.substr(nameEnd, reader.Position())};
        m_pos = nameEnd + reader.Position() + 1;
        return true;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

// One text gathered from the pieces between tags, references decoded. The
// blanks the file writes as such at both ends are trimmed; those it writes
// as references are kept, which is how the export keeps them. The file is
// UTF-8 by then (read or converted).
class TextCollector {
public:

    void Start()
    {
        m_text.clear();
        m_lead = 0;
        m_trail = 0;
        m_onlyBlanks = true;
    }

    void Append(std::string_view raw)
    {
        size_t i = 0;
        while (i < raw.size()) {
            const size_t amp = raw.find('&', i);
            const size_t runEnd = amp == std::string_view::npos ? raw.size() : amp;
            AppendRaw(raw.substr(i, runEnd - i));
            if (amp == std::string_view::npos)
                break;
            CharacterReference reference;
            if (ReadCharacterReference(raw, amp, reference)) {
                for (size_t k = 0; k < reference.count; ++k)
                    AppendCharacter(reference.codes[k]);
                i = amp + reference.length;
            } else {
                AppendRaw("&");
                i = amp + 1;
            }
        }
    }

    // The text as the store keeps it; adds the bytes that were no UTF-8 and
    // became '?', as the import reports them.
    std::string Finish(size_t& unconvertible)
    {
        if (m_onlyBlanks)
            return std::string();
        const std::string_view text = std::string_view(m_text).substr(m_lead, m_text.size() - m_lead - m_trail);
        return WellFormedUtf8(text, &unconvertible, "?");
    }

private:
    void AppendRaw(std::string_view run)
    {
        if (run.empty())
            return;
        size_t lead = 0;
        while (lead < run.size() && IsBlank(run[lead]))
            ++lead;
        if (m_onlyBlanks) {
            m_lead += lead;
            m_onlyBlanks = lead == run.size();
        }
        size_t trail = 0;
        while (trail < run.size() && IsBlank(run[run.size() - 1 - trail]))
            ++trail;
        m_trail = trail == run.size() ? m_trail + trail : trail;
        m_text.append(run.data(), run.size());
    }

    void AppendCharacter(uint32_t code)
    {
        AppendUtf8(m_text, code);
        m_onlyBlanks = false;
        m_trail = 0;
    }

    std::string m_text;
    size_t m_lead = 0;
    size_t m_trail = 0;
    bool m_onlyBlanks = true;
};
