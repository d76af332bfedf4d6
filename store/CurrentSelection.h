// The current group and bookmark of a document.
#pragma once

#include <cstdint>
#include <string>

// Which group is current and which bookmark is selected; one per process.
struct CurrentSelection {
    std::string currentGroup;
    std::string itemName;
    std::string itemURL;
    std::string itemDescription;
    int32_t itemIndex = -1;
};

// The pending cut and the pending undo of an item deletion; kept in memory only.
struct ClipboardMarks {
    std::string cutURL;
    std::string cutGroup;
    // The cut bookmark's other texts: only that bookmark's Paste is its move.
    std::string cutName;
    std::string cutDescription;
    std::string undoURL;
    std::string undoGroup;
};
