// How a command travels: a menu item, toolbar button, accelerator or context
// menu sends WM_COMMAND to the frame, which ends any open label edit and
// offers the id to its own table, then the framework frame's, then the
// application's (CFrameWnd::ExecuteCommand). A command whose update handler
// disables it is not run. Update handlers run when a menu opens and, for the
// toolbar and status panes, whenever the message queue runs empty.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// What an update handler decided about one command. Fields left untouched
// (check -1, no text) keep the menu item's or button's current state.
struct CCmdUI {
    UINT id = 0;
    bool enabled = false;
    int check = -1;
    bool radio = false;
    bool hasText = false;
    std::string text;

    void Enable(bool on = true) { enabled = on; }
    void SetCheck(bool on) { check = on ? 1 : 0; }
    void SetRadio(bool on) { check = on ? 1 : 0; radio = true; }
    void SetText(const std::string& value) { text = value; hasText = true; }
};

// One row of a command table: a range of ids (first == last for most) with
// its handler and update handler, either of which may be null.
template <class T>
struct CommandRow {
    UINT first;
    UINT last;
    void (T::*handler)(UINT id);
    void (T::*update)(CCmdUI& ui);
};

template <class T, size_t N>
const CommandRow<T>* FindCommandRow(const CommandRow<T> (&rows)[N], UINT id)
{
    for (const CommandRow<T>& row : rows) {
        if (id >= row.first && id <= row.last)
            return &row;
    }
    return nullptr;
}

// True when the table has a handler for `id`, which has then run.
template <class T, size_t N>
bool RouteCommand(T* target, const CommandRow<T> (&rows)[N], UINT id)
{
    const CommandRow<T>* row = FindCommandRow(rows, id);
    if (row == nullptr || row->handler == nullptr)
        return false;
    (target->*row->handler)(id);
    return true;
}

// True when the table knows `id`; a row with a handler and no update
// handler is simply enabled.
template <class T, size_t N>
bool RouteUpdate(T* target, const CommandRow<T> (&rows)[N], CCmdUI& ui)
{
    const CommandRow<T>* row = FindCommandRow(rows, ui.id);
    if (row == nullptr)
        return false;
    ui.enabled = row->handler != nullptr;
    if (row->update != nullptr)
        (target->*row->update)(ui);
    return true;
}
