// A stand-in browser for the Wine tests: writes the command line it was
// started with, then each argument as the system splits it, every one in
// UTF-8 and ended by a zero byte, to the file named by LINKHIVE_BROWSER_LOG.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

// `text` in UTF-8, with its terminating zero.
std::string Utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? static_cast<size_t>(size) : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], size, nullptr, nullptr);
    return utf8;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char logPath[MAX_PATH] = "";
    if (GetEnvironmentVariableA("LINKHIVE_BROWSER_LOG", logPath, sizeof logPath) == 0)
        return 1;
    std::string log = Utf8(GetCommandLineW());
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int index = 0; arguments != nullptr && index < count; ++index)
        log += Utf8(arguments[index]);
    LocalFree(arguments);

    // Written aside and renamed, so a reader never sees half a log.
    const std::string partial = std::string(logPath) + ".part";
    const HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, log.data(), static_cast<DWORD>(log.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExA(partial.c_str(), logPath, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
