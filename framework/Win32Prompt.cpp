// The prompt through real message boxes and file dialogs.
#include "framework/Win32Prompt.h"

#include "framework/CWinApp.h"
#include "framework/ResourceString.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <vector>

// The common dialogs take these records by their sizes in each Windows; the
// folder dialog's callback gets the starting path through an LPARAM.
static_assert(sizeof(OPENFILENAMEA) == (sizeof(void*) == 4 ? 88 : 152), "file dialog record size");
static_assert(sizeof(CHOOSECOLORA) == (sizeof(void*) == 4 ? 36 : 72), "colour dialog record size");
static_assert(sizeof(COLORREF) == sizeof(uint32_t), "colour size");
static_assert(sizeof(LPARAM) == sizeof(const char*), "pointer in LPARAM");

namespace {

// Copies `text` into a zeroed buffer of `size` bytes, cut to fit.
void CopyTo(char* buffer, size_t size, const std::string& text)
{
    std::memset(buffer, 0, size);
    std::strncpy(buffer, text.c_str(), size - 1);
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Starts the folder browser at the folder it was given.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data)
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

}  // namespace

UINT MessageBoxFlags(MessageStyle style)
{
    switch (style) {
    case MessageStyle::StopOk: return MB_OK | MB_ICONSTOP;
    case MessageStyle::ExclamationOk: return MB_OK | MB_ICONEXCLAMATION;
    case MessageStyle::InformationOk: return MB_OK | MB_ICONINFORMATION;
    case MessageStyle::QuestionOkCancel: return MB_OKCANCEL | MB_ICONQUESTION;
    case MessageStyle::ExclamationYesNoCancel: return MB_YESNOCANCEL | MB_ICONEXCLAMATION;
    case MessageStyle::QuestionYesNo: return MB_YESNO | MB_ICONQUESTION;
    }
    return MB_OK;
}

MessageAnswer MessageAnswerOf(int result)
{
    switch (result) {
    case IDOK: return MessageAnswer::Ok;
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Cancel;  // IDCANCEL, or a box that could not be shown
    }
}

std::string CommonDialogFilter(const std::string& filter)
{
    std::string converted = filter;
    for (char& c : converted) {
        if (c == '|')
            c = '\0';
    }
    // The list ends with an empty pair name: two zero bytes in a row.
    if (converted.empty() || converted.back() != '\0')
        converted += '\0';
    converted += '\0';
    return converted;
}

MessageAnswer Win32Prompt::ShowMessage(const std::string& text, MessageStyle style)
{
    const ModalScope modal;
    return MessageAnswerOf(MessageBoxA(m_owner, text.c_str(), AppName().c_str(), MessageBoxFlags(style)));
}

bool Win32Prompt::ChooseFile(const FileDialogRequest& request, std::string& path)
{
    // A path of MAX_PATH characters, each up to three bytes in UTF-8.
    char file[3 * MAX_PATH];
    std::string initialFolder;
    if (IsFolder(request.initialPath)) {
        CopyTo(file, sizeof file, std::string());
        initialFolder = request.initialPath;
    } else {
        CopyTo(file, sizeof file, request.initialPath);
    }
    const std::string filter = CommonDialogFilter(request.filter);

    OPENFILENAMEA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_owner;
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    dialog.Flags |= request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;

    const ModalScope modal;
    const BOOL chosen = request.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen)
        return false;
    path = file;
    return true;
}

bool Win32Prompt::ChooseFolder(const std::string& title, std::string& path)
{
    char folder[MAX_PATH];
    CopyTo(folder, sizeof folder, std::string());
    const std::string start = path;

    BROWSEINFOA browse;
    std::memset(&browse, 0, sizeof browse);
    browse.hwndOwner = m_owner;
    browse.pszDisplayName = folder;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    browse.lpfn = BrowseCallback;
    browse.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());

    const ModalScope modal;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    if (!chosen)
        return false;
    const BOOL isPath = SHGetPathFromIDListA(chosen, folder);
    CoTaskMemFree(chosen);
    // Virtual folders (the printers, say) have no path to import from.
    if (!isPath)
        return false;
    path = folder;
    return true;
}

bool Win32Prompt::ChooseColour(uint32_t& colour, uint32_t custom[16])
{
    COLORREF customColours[16];
    for (int i = 0; i < 16; ++i)
        customColours[i] = custom[i];

    CHOOSECOLORA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_owner;
    dialog.rgbResult = colour;
    dialog.lpCustColors = customColours;
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT;

    const ModalScope modal;
    const BOOL chosen = ChooseColorA(&dialog);
    // The dialog keeps the custom colours the user edited, even on Cancel.
    for (int i = 0; i < 16; ++i)
        custom[i] = customColours[i];
    if (!chosen)
        return false;
    colour = dialog.rgbResult;
    return true;
}
