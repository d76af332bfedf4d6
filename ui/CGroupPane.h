// The group pane.
#pragma once

#include "ui/ListPane.h"

// The group pane: the left list of group names, sorted, with the current
// group selected; renames happen in its in-place label edit.
class CGroupPane : public ListPane {
public:
    explicit CGroupPane(CBookmarkDoc& document);
    ~CGroupPane() override;

    // Changes of bookmarks alone leave the groups as they are.
    void OnUpdate(const UpdateHint& hint) override
    {
        if (hint.kind != UpdateHint::Items)
            RefillGroups();
    }

    void RefillGroups();
    void SortRows();
    // The widest text of the column plus 32 pixels.
    int AutoColumnWidth(int column) const;
    // The selected row's group becomes current and the item pane shows it.
    void SelectCurrentGroup();
    // Focus, then the label edit of the row showing the current group.
    void BeginRename();
    // The row whose group is the current group; -1 when none shows it.
    int CurrentGroupRow() const;

protected:
    DWORD PreCreateStyle(DWORD style) override;
    bool OnCreate() override;
    void OnNcDestroyed() override;
    void LoadImages(UINT dpi) override;
    bool OnPaneNotify(NMHDR* header, LRESULT& result) override;
    void OnContextMenu(LPARAM lParam) override;
    void OnRenameKey() override { BeginRename(); }
    void OnLabelEdited(const std::string& text) override;
    std::string StoredLabelText() const override;
    void OnLabelEditCancelled() override { SortRows(); }
};

// The group pane while one exists: set by the first one made, cleared when
// it is destroyed.
extern CGroupPane* theGroupPane;
