// Linkhive's application object.
#pragma once

#include "framework/CWinApp.h"
#include "store/Backups.h"
#include "store/CBookmarkDoc.h"

#include <string>
#include <vector>

class IClipboard;
class IPrompt;

// Linkhive's application object: start-up, shutdown and the About box.
class CLinkhiveApp : public CWinApp {
public:
    // `args` is the command line without the program's name.
    CLinkhiveApp(IPrompt& prompt, IClipboard& clipboard, std::vector<std::string> args);
    ~CLinkhiveApp() override;

    bool InitInstance() override;
    int ExitInstance() override;
    bool OnCommand(UINT id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;
    void OnAppAbout(UINT id);

    CBookmarkDoc& Document() { return m_document; }
    // Whether this copy holds the single-instance mutex.
    bool OwnsMutex() const { return m_mutex != nullptr; }

    // Points ".lkh" at this program under HKEY_CURRENT_USER\Software\Classes.
    static void RegisterFileType(const std::string& programPath);

protected:
    void OnDocumentOpened() override;

private:
    CurrentSelection m_selection;
    ClipboardMarks m_marks;
    CBookmarkDoc m_document;
    // Saves keep what they replace while "Keep Backups" is on; a backup that
    // fails is told on the status bar.
    BackupPolicy m_backups;
    std::vector<std::string> m_args;
    HANDLE m_mutex = nullptr;
};
