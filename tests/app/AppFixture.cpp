// The fixture running the real application in-process.
#include "tests/app/AppFixture.h"

#include "store/CodePage.h"

#include <commctrl.h>

namespace {
const char kSettingsKey[] = "Software\\Quillmere\\Linkhive\\Settings";
const char kBrowserKey[] = "Software\\Classes\\ftp\\shell\\open\\command";
}

std::string RequestLine(const FileDialogRequest& request)
{
    return std::string(request.save ? "save|" : "open|") + request.title + "|" + request.filter + "|" +
           request.defaultExtension + "|" + request.initialPath;
}

BrowserRegistration::BrowserRegistration()
{
    char buffer[1024] = "";
    DWORD size = sizeof buffer;
    m_had = RegGetValueA(HKEY_LOCAL_MACHINE, kBrowserKey, nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) == 0;
    m_saved = buffer;
}

BrowserRegistration::~BrowserRegistration()
{
    Set(m_had ? m_saved : "");
}

void BrowserRegistration::Set(const std::string& command)
{
    if (command.empty())
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kBrowserKey);
    else
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, kBrowserKey, nullptr, REG_SZ, command.c_str(),
                        static_cast<DWORD>(command.size() + 1));
}

bool BrowserRegistration::Exists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void ClearProfile()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quillmere");
}

void SetSetting(const std::string& name, uint32_t value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
        return;
    DWORD data = value;
    RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
}

bool ReadSetting(const std::string& section, const std::string& name, uint32_t& value)
{
    DWORD data = 0;
    DWORD size = sizeof data;
    const std::string key = "Software\\Quillmere\\Linkhive\\" + section;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &data, &size) != 0)
        return false;
    value = data;
    return true;
}

bool ReadSettingText(const std::string& key, const std::string& name, std::string& value)
{
    char buffer[1024] = "";
    DWORD size = sizeof buffer;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.empty() ? nullptr : name.c_str(), RRF_RT_REG_SZ, nullptr,
                     buffer, &size) != 0)
        return false;
    value = buffer;
    return true;
}

void SetRecentFile(const std::string& path)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quillmere\\Linkhive\\Recent File List", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
        return;
    RegSetValueExA(key, "File1", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>(path.size() + 1));
    RegCloseKey(key);
}

std::string WindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string windows = "Z:" + path;
    for (char& c : windows) {
        if (c == '/')
            c = '\\';
    }
    return windows;
}

std::string SamplePath()
{
    return WindowsPath(LINKHIVE_SAMPLE);
}

std::wstring Wide(const std::string& utf8)
{
    const std::u16string units = Utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string WindowTitle(HWND hwnd)
{
    char title[256] = "";
    GetWindowTextA(hwnd, title, sizeof title);
    return title;
}

namespace {

void OpenAll(HWND frame, HMENU menu)
{
    SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    for (int index = 0; index < GetMenuItemCount(menu); ++index) {
        if (HMENU sub = GetSubMenu(menu, index))
            OpenAll(frame, sub);
    }
}

} // namespace

UINT MenuState(HWND frame, UINT id)
{
    HMENU bar = GetMenu(frame);
    for (int index = 0; index < GetMenuItemCount(bar); ++index)
        OpenAll(frame, GetSubMenu(bar, index));
    return GetMenuState(bar, id, MF_BYCOMMAND);
}

bool IsRadioMarked(HWND frame, UINT id)
{
    MenuState(frame, id);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoA(GetMenu(frame), id, FALSE, &info);
    return (info.fType & MFT_RADIOCHECK) != 0 && (info.fState & MFS_CHECKED) != 0;
}

bool AppFixture::Start(std::vector<std::string> args)
{
    m_app = std::make_unique<CLinkhiveApp>(prompt, *appClipboard, std::move(args));
    if (!m_app->InitInstance()) {
        m_app->ExitInstance();
        m_app.reset();
        return false;
    }
    m_app->PumpMessages();
    return true;
}

void AppFixture::Close()
{
    if (!m_app)
        return;
    if (m_app->MainFrame() != nullptr && FrameWindow() != nullptr)
        SendMessageA(FrameWindow(), WM_CLOSE, 0, 0);
    if (m_app->MainFrame() != nullptr && FrameWindow() != nullptr)
        return;  // the user kept the window open
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT)
            DispatchMessageA(&msg);
    }
    m_app->ExitInstance();
    m_app.reset();
}

LRESULT AppFixture::Command(UINT id)
{
    const LRESULT result = SendMessageA(FrameWindow(), WM_COMMAND, id, 0);
    m_app->PumpMessages();
    return result;
}

bool AppFixture::ButtonEnabled(UINT id)
{
    Frame().OnIdleUpdate();
    return SendMessageA(Frame().ToolBar(), TB_ISBUTTONENABLED, id, 0) != 0;
}

std::string AppFixture::StatusText(int pane)
{
    char text[512] = "";
    SendMessageA(Frame().StatusBar(), SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string MenuText(HMENU menu)
{
    std::string out;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, position, TRUE, &info);
        out += position != 0 ? "," : "";
        if ((info.fType & MFT_SEPARATOR) != 0) {
            out += "-";
            continue;
        }
        if (info.hSubMenu != nullptr) {
            out += std::string(text) + "{" + MenuText(info.hSubMenu) + "}";
            continue;
        }
        out += std::string(text) + "=" + std::to_string(info.wID);
        out += (info.fState & MFS_GRAYED) != 0 ? "~" : "";
        out += (info.fState & MFS_CHECKED) != 0 ? "*" : "";
        out += (info.fState & MFS_DEFAULT) != 0 ? "!" : "";
    }
    return out;
}
