// Driving open dialogs and property sheets as a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One thing done to an open dialog or property sheet, as the user would do it.
using SheetStep = std::function<void(HWND dialog)>;

// Drives the next modal dialog of this thread (a property sheet, a common
// dialog, one of ours) from inside its own modal loop: a thread timer runs
// one step per tick once it shows. One still open ten seconds after the steps
// are spent is cancelled, so no test is left waiting on it.
class DialogDriver {
public:
    explicit DialogDriver(std::vector<SheetStep> steps);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Every step ran and the dialog closed without being cancelled here.
    bool Finished() const { return m_next == m_steps.size() && !m_leftOpen; }
    // The caption of the dialog that was driven.
    const std::string& Caption() const { return m_caption; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<SheetStep> m_steps;
    size_t m_next = 0;
    bool m_waiting = false;
    DWORD m_waitingSince = 0;
    bool m_leftOpen = false;
    UINT_PTR m_timer = 0;
    std::string m_caption;
};

// The button `id` of a dialog clicked, as its notification says.
void Click(HWND dialog, int id);

// The steps of a user: type into the shown page's control, pick a page by
// its tab, press OK, Apply or Cancel (PSBTN_...).
SheetStep Type(int controlId, const std::string& text);
SheetStep ShowPage(int index);
SheetStep Press(int button);

// The text of a control on the page shown now.
std::string PageText(HWND sheet, int controlId);
// The sheet's Apply button is enabled.
bool ApplyEnabled(HWND sheet);
