// The application object: message loop, idle work, modeless dialogs, profile.
#pragma once

#include "framework/CCmdUI.h"
#include "framework/CRecentFileList.h"
#include "framework/CSingleDocTemplate.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CFrameWnd;
class IProfile;
class IPrompt;

// Work done a slice at a time while no message waits, such as a search
// through a large collection.
class IIdleWork {
public:
    virtual ~IIdleWork() = default;
    // Does one slice; true while more remains.
    virtual bool OnIdleSlice() = 0;
};

// Lives while a modal dialog, sheet or message box runs: the modeless
// dialogs take no input meanwhile, as its owner takes none, so nothing they
// do changes what the modal one works on. Windows disables the owner only.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    std::vector<HWND> m_disabled;  // by this scope, to enable again
};

// The application: start-up and shutdown hooks, the message loop with its
// idle-time updates, the profile, the recent files and the document
// commands New, Open, Save, Save As, the recent entries and Exit.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Current();

    virtual bool InitInstance() = 0;
    virtual int ExitInstance();
    // The message loop, until the main window has gone.
    int Run();
    // Delivers every queued message and finishes the idle work between
    // them, then runs the idle update once.
    void PumpMessages();
    // The modeless dialogs, whose keys (Tab, Enter, Escape) the message
    // loop hands to the dialog manager before the frame's accelerators;
    // but the frame's keys of `frameCommands` reach the frame from them too.
    static void AddModelessDialog(HWND dialog, const std::vector<UINT>& frameCommands);
    static void RemoveModelessDialog(HWND dialog);
    // Work that runs while the queue is empty, until its slice says it is done.
    static void AddIdleWork(IIdleWork* work);
    static void RemoveIdleWork(IIdleWork* work);

    CFrameWnd* MainFrame() const { return m_template ? m_template->Frame() : nullptr; }
    CSingleDocTemplate* Template() const { return m_template.get(); }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    IProfile& Profile() { return *m_profile; }
    bool HasProfile() const { return m_profile != nullptr; }
    IPrompt& Prompt() { return *m_prompt; }

    virtual bool OnCommand(UINT id);
    virtual bool OnUpdateCommand(CCmdUI& ui);
    // Before a menu's items are updated: the recent entries.
    void PrepareMenu(HMENU menu) { m_recentFiles.UpdateMenu(menu); }
    // The "Save changes to %1?" prompt; false when the user cancelled or the
    // save failed.
    bool SaveAllModified();
    // What the program writes at exit, when the Windows session ends
    // without the program exiting.
    virtual void SaveSettingsAtEnd() { SaveStdProfileSettings(); }

    bool OpenDocumentFile(const std::string& path);
    // Opens `path` as File > Open does once a file is chosen: the save
    // prompt first.
    void OpenChosenFile(const std::string& path);
    void OnFileNew(UINT id);
    void OnFileOpen(UINT id);
    void OnFileSave(UINT id);
    void OnFileSaveAs(UINT id);
    void OnOpenRecentFile(UINT id);
    void OnUpdateRecentFile(CCmdUI& ui);
    void OnAppExit(UINT id);

protected:
    // The profile under HKEY_CURRENT_USER\Software\<company>\<application>.
    void SetRegistryKey(const std::string& company);
    void LoadStdProfileSettings();
    void SaveStdProfileSettings();
    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate) { m_template = std::move(docTemplate); }
    // The frame and its views go before a derived class's document does.
    void DeleteDocTemplate() { m_template.reset(); }
    // Lets the framework's dialogs ask the user; tests answer instead.
    void SetPrompt(IPrompt& prompt) { m_prompt = &prompt; }
    // After a document was opened or saved under a path.
    virtual void OnDocumentOpened() {}

private:
    using Row = CommandRow<CWinApp>;
    static const Row kAppCommands[];
    void OnIdle();
    // One slice of each idle work; true while any has more.
    static bool RunIdleWork();
    // Delivers one message: a modeless dialog's keys, else the frame's
    // accelerators (when asked for), else the window's procedure.
    void DispatchOne(MSG& msg, bool accelerators);

    std::unique_ptr<IProfile> m_profile;
    IPrompt* m_prompt = nullptr;
    std::unique_ptr<CSingleDocTemplate> m_template;
    CRecentFileList m_recentFiles;
};
