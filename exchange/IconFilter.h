// Drops the icons of a browser's bookmark file as it is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class InputFile;

// Leaves out the values of ICON and ICON_URI attributes while a browser's
// bookmark file streams by: browsers write every favicon there, often most
// of the file, and the import keeps none. It reads the bytes as the import's
// tag reader does (comments, declarations, quotes and tags cut off alike),
// so what it keeps reads the same but for those values: a quoted value
// keeps its quotes, a bare one its first byte. It never keeps more than it
// is fed.
class IconFilter {
public:
    // Appends what to keep of the next `size` bytes of the file to `out`.
    void Feed(const char* data, size_t size, std::string& out);

private:
    enum class State : unsigned char {
        Text,
        Open,         // after "<"
        OpenSlash,    // after "</"
        Bang,         // after "<!"
        BangDash,     // after "<!-"
        Comment,
        Declaration,  // "<!..." or "<?...", up to ">"
        TagName,
        BeforeName,   // in a tag, between attributes
        Name,
        AfterName,
        BeforeValue,  // after "="
        Quoted,
        Bare,
    };

    bool NameIsIcon() const;

    State m_state = State::Text;
    char m_quote = 0;
    unsigned m_dashes = 0;         // in a comment, the "-" just before
    char m_name[9] = {};           // an attribute name's first bytes, letters folded
    size_t m_nameLength = 0;       // all of it, also beyond m_name
    bool m_icon = false;           // the value being read is an icon's
    bool m_dropping = false;       // inside the part of a value left out
};

// Reads `file` to its end through IconFilter into `text`; false as soon as
// what it keeps passes `limit` bytes. The memory it takes stays within what
// it keeps (or the file's size, for a file within the limit) and a read's
// worth; a file over the limit is read twice.
bool ReadWithoutIcons(InputFile& file, uint64_t limit, std::string& text);
