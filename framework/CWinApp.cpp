#include "framework/CWinApp.h"

#include "framework/CFrameWnd.h"
#include "settings/Profile.h"
#include "settings/RegistryProfile.h"
#include "store/CDocument.h"
#include "store/PathNames.h"
#include "store/Prompt.h"

#include <algorithm>
#include <vector>

namespace {
CWinApp* theApp = nullptr;
const size_t kRecentFileCount = 4;
struct ModelessDialog {
    HWND window;
    HACCEL frameKeys;  // the frame's keys that work in it; null for none
};
std::vector<ModelessDialog> theModelessDialogs;
std::vector<IIdleWork*> theIdleWork;

// A name from the command line is relative to where the program was started;
// the recent-file list and the idle text need it whole.
} // namespace

const CWinApp::Row CWinApp::kAppCommands[] = {
    {ID_FILE_NEW, ID_FILE_NEW, &CWinApp::OnFileNew, nullptr},
    {ID_FILE_OPEN, ID_FILE_OPEN, &CWinApp::OnFileOpen, nullptr},
    {ID_FILE_SAVE, ID_FILE_SAVE, &CWinApp::OnFileSave, nullptr},
    {ID_FILE_SAVE_AS, ID_FILE_SAVE_AS, &CWinApp::OnFileSaveAs, nullptr},
    {ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + kRecentFileCount - 1, &CWinApp::OnOpenRecentFile, &CWinApp::OnUpdateRecentFile},
    {ID_APP_EXIT, ID_APP_EXIT, &CWinApp::OnAppExit, nullptr},
};

CWinApp::CWinApp() : m_recentFiles(ID_FILE_MRU_FILE1, kRecentFileCount)
{
    theApp = this;
}

CWinApp::~CWinApp()
{
    m_template.reset();
    if (theApp == this)
        theApp = nullptr;
}

CWinApp* CWinApp::Current()
{
    return theApp;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return 0;
}

void CWinApp::SetRegistryKey(const std::string& company)
{
    m_profile = std::make_unique<RegistryProfile>(company, LoadResourceString(IDS_APP_TITLE));
}

void CWinApp::LoadStdProfileSettings()
{
    if (m_profile)
        m_recentFiles.ReadList(*m_profile);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_profile)
        m_recentFiles.WriteList(*m_profile);
}

void CWinApp::OnIdle()
{
    if (CFrameWnd* frame = MainFrame()) {
        if (frame->GetSafeHwnd() != nullptr)
            frame->OnIdleUpdate();
    }
}

// The loop keeps messages in their Unicode form: an ANSI one would pass a
// typed character through the code page, and WM_CHAR cannot carry one that
// takes more than two bytes there.
int CWinApp::Run()
{
    bool idlePending = true;
    MSG msg;
    for (;;) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (idlePending) {
                OnIdle();
                idlePending = false;
            }
            // Between slices, whatever the user does comes first.
            if (RunIdleWork())
                continue;
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        DispatchOne(msg, true);
        // Painting and timers change no command's state.
        if (msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != WM_SYSTIMER)
            idlePending = true;
    }
    return ExitInstance();
}

void CWinApp::PumpMessages()
{
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Left for the message loop, which ends on it.
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            DispatchOne(msg, false);
        }
    } while (RunIdleWork());
    OnIdle();
}

bool CWinApp::RunIdleWork()
{
    // A slice may add or remove work, its own included.
    const std::vector<IIdleWork*> work = theIdleWork;
    for (IIdleWork* item : work) {
        if (std::find(theIdleWork.begin(), theIdleWork.end(), item) != theIdleWork.end() && !item->OnIdleSlice())
            RemoveIdleWork(item);
    }
    return !theIdleWork.empty();
}

void CWinApp::AddIdleWork(IIdleWork* work)
{
    if (std::find(theIdleWork.begin(), theIdleWork.end(), work) == theIdleWork.end())
        theIdleWork.push_back(work);
}

void CWinApp::RemoveIdleWork(IIdleWork* work)
{
    theIdleWork.erase(std::remove(theIdleWork.begin(), theIdleWork.end(), work), theIdleWork.end());
}

void CWinApp::DispatchOne(MSG& msg, bool accelerators)
{
    CFrameWnd* frame = MainFrame();
    for (const ModelessDialog& dialog : theModelessDialogs) {
        // The dialog manager would give them to the control with the focus.
        if (dialog.frameKeys != nullptr && frame != nullptr && frame->GetSafeHwnd() != nullptr &&
            (msg.hwnd == dialog.window || IsChild(dialog.window, msg.hwnd)) &&
            TranslateAcceleratorW(frame->GetSafeHwnd(), dialog.frameKeys, &msg))
            return;
        if (IsDialogMessageW(dialog.window, &msg))
            return;
    }
    if (accelerators && frame != nullptr && frame->TranslateAccelerators(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void CWinApp::AddModelessDialog(HWND dialog, const std::vector<UINT>& frameCommands)
{
    // A table of the frame's own entries for these commands, so that the
    // keys stay the ones its menus show.
    std::vector<ACCEL> keys;
    const CFrameWnd* frame = theApp != nullptr ? theApp->MainFrame() : nullptr;
    if (!frameCommands.empty() && frame != nullptr && frame->Accelerators() != nullptr) {
        std::vector<ACCEL> all(static_cast<size_t>(CopyAcceleratorTableA(frame->Accelerators(), nullptr, 0)));
        all.resize(static_cast<size_t>(
            CopyAcceleratorTableA(frame->Accelerators(), all.data(), static_cast<int>(all.size()))));
        for (const ACCEL& key : all) {
            if (std::find(frameCommands.begin(), frameCommands.end(), key.cmd) != frameCommands.end())
                keys.push_back(key);
        }
    }
    const HACCEL table = keys.empty() ? nullptr : CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
    theModelessDialogs.push_back({dialog, table});
}

void CWinApp::RemoveModelessDialog(HWND dialog)
{
    for (auto it = theModelessDialogs.begin(); it != theModelessDialogs.end();) {
        if (it->window != dialog) {
            ++it;
            continue;
        }
        if (it->frameKeys != nullptr)
            DestroyAcceleratorTable(it->frameKeys);
        it = theModelessDialogs.erase(it);
    }
}

ModalScope::ModalScope()
{
    for (const ModelessDialog& dialog : theModelessDialogs) {
        if (IsWindowEnabled(dialog.window)) {
            EnableWindow(dialog.window, FALSE);
            m_disabled.push_back(dialog.window);
        }
    }
}

ModalScope::~ModalScope()
{
    // One closed meanwhile has left the list; its handle may name another window now.
    for (const HWND dialog : m_disabled) {
        const auto listed = [dialog](const ModelessDialog& open) { return open.window == dialog; };
        if (std::any_of(theModelessDialogs.begin(), theModelessDialogs.end(), listed))
            EnableWindow(dialog, TRUE);
    }
}

bool CWinApp::OnCommand(UINT id)
{
    return RouteCommand(this, kAppCommands, id);
}

bool CWinApp::OnUpdateCommand(CCmdUI& ui)
{
    return RouteUpdate(this, kAppCommands, ui);
}

bool CWinApp::SaveAllModified()
{
    if (!m_template)
        return true;
    CDocument& document = m_template->Document();
    const std::string before = document.GetPathName();
    if (!document.SaveModified())
        return false;
    // "Yes" on an untitled document saved it under a new name.
    if (document.GetPathName() != before && !document.GetPathName().empty())
        m_recentFiles.Add(document.GetPathName());
    return true;
}

bool CWinApp::OpenDocumentFile(const std::string& path)
{
    if (!m_template)
        return false;
    const bool opened = m_template->OpenDocumentFile(path.empty() ? path : FullPathOf(path));
    if (opened && !path.empty()) {
        m_recentFiles.Add(m_template->Document().GetPathName());
        OnDocumentOpened();
    }
    return opened;
}

void CWinApp::OnFileNew(UINT)
{
    if (SaveAllModified())
        OpenDocumentFile("");
}

void CWinApp::OnFileOpen(UINT)
{
    FileDialogRequest request;
    request.filter = m_template->Document().FileFilter();
    request.defaultExtension = m_template->Document().DefaultExtension();
    std::string path;
    if (Prompt().ChooseFile(request, path))
        OpenChosenFile(path);
}

void CWinApp::OpenChosenFile(const std::string& path)
{
    if (SaveAllModified())
        OpenDocumentFile(path);
}

void CWinApp::OnFileSave(UINT)
{
    CDocument& document = m_template->Document();
    const bool named = !document.GetPathName().empty();
    if (document.DoSave() && !named)
        m_recentFiles.Add(document.GetPathName());
    MainFrame()->UpdateTitle(document.GetTitle());
}

void CWinApp::OnFileSaveAs(UINT)
{
    CDocument& document = m_template->Document();
    if (document.DoSave(true))
        m_recentFiles.Add(document.GetPathName());
    MainFrame()->UpdateTitle(document.GetTitle());
}

void CWinApp::OnOpenRecentFile(UINT id)
{
    const size_t index = id - m_recentFiles.FirstId();
    if (index >= m_recentFiles.Entries().size())
        return;
    const std::string path = m_recentFiles.Entries()[index];
    if (!SaveAllModified())
        return;
    if (!OpenDocumentFile(path))
        m_recentFiles.Remove(index);
}

void CWinApp::OnUpdateRecentFile(CCmdUI& ui)
{
    ui.Enable(ui.id - m_recentFiles.FirstId() < m_recentFiles.Entries().size());
}

void CWinApp::OnAppExit(UINT)
{
    if (CFrameWnd* frame = MainFrame())
        SendMessageA(frame->GetSafeHwnd(), WM_CLOSE, 0, 0);
}
