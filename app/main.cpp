// The program's entry point.
#include "app/CLinkhiveApp.h"
#include "framework/CFrameWnd.h"
#include "framework/Win32Clipboard.h"
#include "framework/Win32Prompt.h"

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::vector<std::string> args;
    for (int index = 1; index < __argc; ++index)
        args.emplace_back(__argv[index]);
    Win32Prompt prompt;
    Win32Clipboard clipboard;
    CLinkhiveApp app(prompt, clipboard, args);
    if (!app.InitInstance())
        return app.ExitInstance();
    prompt.SetOwner(app.MainFrame()->GetSafeHwnd());
    clipboard.SetOwner(app.MainFrame()->GetSafeHwnd());
    return app.Run();
}
