// Bookmark texts in the world's scripts, for every test of an edge text
// crosses.
#pragma once

#include <string>
#include <vector>

struct ScriptSample {
    const char* script;
    std::string name;         // UTF-8
    std::string url;          // as a user types it: an internationalised host or path
    bool legacy;              // whether Windows-1252 holds every character
};

inline const std::vector<ScriptSample>& ScriptSamples()
{
    static const std::vector<ScriptSample> samples = {
        {"Latin", "Cr\u00e8me br\u00fbl\u00e9e \u00e0 Z\u00fcrich", "http://caf\u00e9.example/cr\u00e8me", true},
        {"Cyrillic", "\u041d\u043e\u0432\u043e\u0441\u0442\u0438 \u0420\u043e\u0441\u0441\u0438\u0438",
         "http://\u043f\u0440\u0438\u043c\u0435\u0440.\u0440\u0444/\u043d\u043e\u0432\u043e\u0441\u0442\u0438", false},
        {"Greek", "\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac \u03bd\u03ad\u03b1",
         "http://\u03c0\u03b1\u03c1\u03ac\u03b4\u03b5\u03b9\u03b3\u03bc\u03b1.gr/\u03bd\u03ad\u03b1", false},
        {"Hebrew", "\u05d7\u05d3\u05e9\u05d5\u05ea \u05d9\u05e9\u05e8\u05d0\u05dc",
         "http://\u05d3\u05d5\u05d2\u05de\u05d4.il/\u05d7\u05d3\u05e9\u05d5\u05ea", false},
        {"Arabic", "\u0623\u062e\u0628\u0627\u0631 \u0639\u0631\u0628\u064a\u0629",
         "http://\u0645\u062b\u0627\u0644.eg/\u0623\u062e\u0628\u0627\u0631", false},
        {"CJK", "\u65e5\u672c\u8a9e\u306e\u30cb\u30e5\u30fc\u30b9 \u4e2d\u6587",
         "http://\u4f8b\u3048.jp/\u30cb\u30e5\u30fc\u30b9", false},
        {"Devanagari", "\u0939\u093f\u0928\u094d\u0926\u0940 \u0938\u092e\u093e\u091a\u093e\u0930",
         "http://\u0909\u0926\u093e\u0939\u0930\u0923.in/\u0938\u092e\u093e\u091a\u093e\u0930", false},
        {"Emoji", "Party \U0001F389 time \U0001F600", "http://example.com/\U0001F389", false},
    };
    return samples;
}
