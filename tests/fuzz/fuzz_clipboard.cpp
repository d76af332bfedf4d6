// Fuzz target: pasting clipboard text.
#include "exchange/ClipboardCommands.h"
#include "tests/support/DocContent.h"
#include "store/CBookmarkDoc.h"
#include "tests/fuzz/FuzzFakes.h"
#include "tests/support/Fakes.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// A document of two groups, the clipboard holding `text`, and optionally the
// first bookmark of "A" cut, or an undo pending for "B".
struct Scene {
    enum Marks { None, Cut, Undo };

    Scene(const std::string& text, bool withGroups, Marks pending) : doc(selection, marks, prompt, clipboard), commands(doc)
    {
        if (withGroups) {
            SetGroups(doc, {"A", "B"});
            AppendItem(doc, MakeItem("One", "http://one/", "A", "first"));
            AppendItem(doc, MakeItem("Two", "http://two/", "B"));
        }
        if (pending == Cut) {
            marks.cutName = "One";
            marks.cutURL = "http://one/";
            marks.cutGroup = "A";
            marks.cutDescription = "first";
        } else if (pending == Undo) {
            marks.undoURL = "http://gone/";
            marks.undoGroup = "B";
        }
        clipboard.text = text;
    }

    CurrentSelection selection;
    ClipboardMarks marks;
    FuzzPrompt prompt;
    FakeClipboard clipboard;
    CBookmarkDoc doc;
    ClipboardCommands commands;
};

// The last bookmark holds the split text in `group`.
bool AddedAsSplit(const Scene& scene, const ItemTextParts& parts, const std::string& group)
{
    if (scene.doc.Items().empty())
        return false;
    const BookmarkItem& item = scene.doc.Items().back();
    return item.m_strName == parts.name && item.m_strURL == parts.url && item.m_strDescription == parts.description &&
           item.m_strGroup == group;
}

} // namespace

// The text on the clipboard, as Paste and Undo take it from another program.
// A paste adds at most the one bookmark the text splits into and removes at
// most the one that was cut; a refused text changes nothing.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ItemTextParts parts = SplitItemText(text);
    // The parts put back together are the text whenever it holds both line feeds.
    if (parts.name.size() + parts.url.size() + parts.description.size() > text.size() ||
        (text.find('\n', text.find('\n') + 1) != std::string::npos && ItemText({"", parts.name, parts.url, parts.description, -1}) != text))
        __builtin_trap();

    for (const bool withGroups : {true, false}) {
        for (const Scene::Marks pending : {Scene::None, Scene::Cut, Scene::Undo}) {
            for (const char* current : {"A", "B"}) {
                Scene scene(text, withGroups, pending);
                scene.selection.currentGroup = withGroups ? current : "";
                const size_t before = scene.doc.Items().size();
                const bool canPaste = scene.commands.CanPaste();
                scene.commands.OnEditPaste();
                const size_t after = scene.doc.Items().size();
                if (after > before + 1 || after + 1 < before)
                    __builtin_trap();
                if (scene.prompt.shown != 0 && (after != before || scene.clipboard.text != text))
                    __builtin_trap();
                if (scene.prompt.shown == 0 && after != before && !AddedAsSplit(scene, parts, scene.selection.currentGroup))
                    __builtin_trap();
                // Paste enabled on an undo pending, or a text it then refuses to read as a bookmark, would mislead.
                if (canPaste && pending == Scene::Undo)
                    __builtin_trap();

                Scene undo(text, withGroups, Scene::Undo);
                undo.commands.OnEditUndo();
                const size_t undone = undo.doc.Items().size();
                if (undo.prompt.shown != 0 ? undone != before || undo.marks.undoURL.empty()
                                           : undone != before + 1 || !AddedAsSplit(undo, parts, "B") ||
                                                 !undo.marks.undoURL.empty() || !undo.clipboard.text.empty())
                    __builtin_trap();
            }
        }
    }
    return 0;
}
