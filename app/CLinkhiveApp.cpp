// Linkhive's application object: start-up, one instance, handed files.
#include "app/CLinkhiveApp.h"

#include "app/CAboutDlg.h"
#include "framework/ResourceString.h"
#include "res/resource.h"
#include "settings/Preferences.h"
#include "settings/RegistryKey.h"
#include "store/CodePage.h"
#include "store/CoreText.h"
#include "store/PathNames.h"
#include "ui/CMainFrame.h"
#include "ui/CGroupPane.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

using Row = CommandRow<CLinkhiveApp>;
const Row kCommands[] = {
    {ID_APP_ABOUT, ID_APP_ABOUT, &CLinkhiveApp::OnAppAbout, nullptr},
};

void WriteClassesValue(const std::string& key, const std::string& value)
{
    RegistryKey registry;
    if (registry.Open(RegistryRoot::CurrentUser, "Software\\Classes\\" + key) == kRegistryOk)
        registry.WriteString("", value);
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The first start's window, once it has one: it may be starting still. Its
// class, not its title: a message box or another program may bear the name.
HWND FindRunningWindow(bool waitForIt)
{
    const std::string frameClass = AppWindowClass("Frame");
    for (int attempt = 0;; ++attempt) {
        if (HWND running = FindWindowA(frameClass.c_str(), nullptr))
            return running;
        if (!waitForIt || attempt == 50)
            return nullptr;
        Sleep(100);
    }
}

// The record crosses processes: the receiver may be the other bitness.
static_assert(sizeof(COPYDATASTRUCT) == 3 * sizeof(void*), "copy data record size");

// Gives the running window `path` to open; it may come to the front.
void HandFileTo(HWND running, const std::string& path)
{
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data = {COPYDATA_OPEN_FILE, static_cast<DWORD>(path.size() + 1), const_cast<char*>(path.c_str())};
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000, &answer);
}

std::string FileNamedIn(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (!arg.empty() && arg[0] != '/' && arg[0] != '-')
            return arg;
    }
    return "";
}

} // namespace

CLinkhiveApp::CLinkhiveApp(IPrompt& prompt, IClipboard& clipboard, std::vector<std::string> args)
    : m_document(m_selection, m_marks, prompt, clipboard), m_args(std::move(args))
{
    SetPrompt(prompt);
    m_document.SetFileType(LoadResourceString(IDS_DATA_FILE_FILTER), "lkh");
    m_backups.enabled = [] { return thePreferences.keepBackups != 0; };
    m_backups.failed = [this] {
        if (CFrameWnd* frame = MainFrame())
            PostMessageA(frame->GetSafeHwnd(), WM_BACKUP_FAILED, 0, 0);
    };
    m_document.SetBackups(&m_backups);
}

CLinkhiveApp::~CLinkhiveApp()
{
    DeleteDocTemplate();
    if (m_mutex != nullptr)
        CloseHandle(m_mutex);
}

void CLinkhiveApp::RegisterFileType(const std::string& programPath)
{
    WriteClassesValue(".lkh", "Linkhive.Document");
    WriteClassesValue("Linkhive.Document", "Linkhive Document");
    WriteClassesValue("Linkhive.Document\\DefaultIcon", programPath + ",0");
    WriteClassesValue("Linkhive.Document\\shell\\open\\command", "\"" + programPath + "\" \"%1\"");
}

bool CLinkhiveApp::InitInstance()
{
    // The core's messages in the string table's words.
    for (size_t n = 0; n < static_cast<size_t>(CoreText::Count); ++n)
        SetUserText(static_cast<CoreText>(n), LoadResourceString(IDS_CORE_TEXTS + static_cast<UINT>(n)));
    thePreferences.oneInstance = ReadOneInstanceAtStartUp();
    if (thePreferences.oneInstance) {
        m_mutex = CreateMutexA(nullptr, TRUE, "Linkhive21");
        if (m_mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
            CloseHandle(m_mutex);
            m_mutex = nullptr;
            const std::string named = FileNamedIn(m_args);
            if (HWND running = FindRunningWindow(!named.empty())) {
                // Back from the taskbar or the tray as it was, maximised too.
                ShowWindow(running, IsIconic(running) ? SW_RESTORE : SW_SHOW);
                SetForegroundWindow(running);
                // A double-clicked collection must not be lost on the way.
                if (!named.empty())
                    HandFileTo(running, FullPathOf(named));
            }
            return false;
        }
    }

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    SetRegistryKey("Quillmere");
    LoadStdProfileSettings();
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(IDR_MAINFRAME, m_document, [this]() -> CFrameWnd* {
        return new CMainFrame(m_document, Profile());
    }));

    // In UTF-16: the path may hold more bytes than MAX_PATH in UTF-8.
    wchar_t program[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    RegisterFileType(Utf16ToUtf8(reinterpret_cast<const char16_t*>(program), length < MAX_PATH ? length : 0));

    std::string path = FileNamedIn(m_args);
    ReadOpenLastFile(Profile(), thePreferences);
    bool fromRecentList = false;
    if (thePreferences.openLastFile && path.empty() && !RecentFiles().Entries().empty() &&
        FileExists(RecentFiles().Entries().front())) {
        path = RecentFiles().Entries().front();
        fromRecentList = true;
    }

    if (!OpenDocumentFile(path)) {
        // A damaged last file would otherwise stop every start; its message
        // has been shown, so carry on with a new document.
        if (!fromRecentList || !OpenDocumentFile(""))
            return false;
    }

    const HWND frame = MainFrame()->GetSafeHwnd();
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    DragAcceptFiles(frame, TRUE);
    return true;
}

int CLinkhiveApp::ExitInstance()
{
    if (m_mutex != nullptr) {
        ReleaseMutex(m_mutex);
        CloseHandle(m_mutex);
        m_mutex = nullptr;
    }
    return CWinApp::ExitInstance();
}

bool CLinkhiveApp::OnCommand(UINT id)
{
    return RouteCommand(this, kCommands, id) || CWinApp::OnCommand(id);
}

bool CLinkhiveApp::OnUpdateCommand(CCmdUI& ui)
{
    return RouteUpdate(this, kCommands, ui) || CWinApp::OnUpdateCommand(ui);
}

void CLinkhiveApp::OnAppAbout(UINT)
{
    CAboutDlg dialog(MainFrame() != nullptr ? MainFrame()->GetSafeHwnd() : nullptr);
    dialog.DoModal();
}

void CLinkhiveApp::OnDocumentOpened()
{
    auto* frame = static_cast<CMainFrame*>(MainFrame());
    if (frame != nullptr && frame->GroupPane() != nullptr)
        frame->SetActiveView(frame->GroupPane(), true);
    if (frame != nullptr)
        frame->CollectionOpened();
}
