// Times the Check Links dialog on 1,000 links to a local server whose every
// answer takes 100 ms, from Start to the last outcome shown: one at a time
// would take 100 s, 16 at once at least 6.25 s. Start the server, then run
// the bench under Wine with the server's port file:
//   python3 tests/support/link_server.py --ports 16 --delay 100 --port-file PORTS --background --lifetime 600
//   scripts/wine-run.sh PREFIX check_links_bench.exe PORTS
//   python3 tests/support/link_server.py --port-file PORTS --stop
#include "app/CLinkhiveApp.h"
#include "res/resource.h"
#include "ui/CCheckLinksDlg.h"
#include "ui/CMainFrame.h"

#include "QuietPrompt.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string DialogText(HWND dialog, int id)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    const size_t links = 1000;
    std::vector<int> ports;
    if (argc > 1) {
        std::ifstream file(argv[1]);
        int port = 0;
        file >> port;  // the closed one
        while (file >> port)
            ports.push_back(port);
    }
    if (ports.empty()) {
        std::fprintf(stderr, "usage: check_links_bench PORT-FILE (written by tests/support/link_server.py)\n");
        return 2;
    }
    DeclineEverything prompt;
    NoClipboard clipboard;
    CLinkhiveApp app(prompt, clipboard, {});
    if (!app.InitInstance())
        return 1;
    app.PumpMessages();
    auto& frame = *static_cast<CMainFrame*>(app.MainFrame());
    CBookmarkDoc& doc = app.Document();
    StoreContent content;
    content.m_arrGroups = {"Bench"};
    for (size_t n = 0; n < links; ++n) {
        BookmarkItem item;
        item.m_strName = "link " + std::to_string(n);
        item.m_strURL = "http://127.0.0.1:" + std::to_string(ports[n % ports.size()]) + "/ok?n=" + std::to_string(n);
        item.m_strGroup = "Bench";
        content.m_arrItems.push_back(item);
    }
    doc.LoadContent(std::move(content));
    doc.SetCurrentGroup("Bench");
    doc.UpdateAllViews(nullptr);

    SendMessageA(frame.GetSafeHwnd(), WM_COMMAND, ID_TOOLS_CHECK_LINKS, 0);
    const HWND dialog = frame.CheckLinksDialog()->GetSafeHwnd();
    CheckRadioButton(dialog, IDC_CHECK_CURRENT_GROUP, IDC_CHECK_WHOLE, IDC_CHECK_WHOLE);
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CHECK_START, BN_CLICKED), 0);
    while (frame.CheckLinksDialog()->IsChecking()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        app.PumpMessages();
    }
    QueryPerformanceCounter(&end);
    std::printf("check of %zu links on %zu ports, 100 ms each, in the window: %.3f s\n%s\n", links, ports.size(),
                Seconds(start, end), DialogText(dialog, IDC_CHECK_COUNTS).c_str());
    std::fflush(stdout);
    doc.SetModifiedFlag(false);
    SendMessageA(frame.GetSafeHwnd(), WM_CLOSE, 0, 0);
    app.ExitInstance();
    return 0;
}
