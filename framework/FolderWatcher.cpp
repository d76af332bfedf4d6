// Tells a window when something in a folder changes.
#include "framework/FolderWatcher.h"

void FolderWatcher::Watch(HWND window, UINT message, const std::string& folder)
{
    if (folder == m_folder && m_thread.joinable())
        return;
    Stop();
    if (folder.empty())
        return;
    const HANDLE change = FindFirstChangeNotificationA(
        folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (change == INVALID_HANDLE_VALUE)
        return;
    const HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (stop == nullptr) {
        FindCloseChangeNotification(change);
        return;
    }
    m_folder = folder;
    m_change = change;
    m_stop = stop;
    m_thread = std::thread([window, message, change, stop] {
        const HANDLE handles[2] = {stop, change};
        while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
            PostMessageA(window, message, 0, 0);
            if (!FindNextChangeNotification(change))
                break;
        }
    });
}

void FolderWatcher::Stop()
{
    if (m_thread.joinable()) {
        SetEvent(m_stop);
        m_thread.join();
    }
    if (m_change != INVALID_HANDLE_VALUE)
        FindCloseChangeNotification(m_change);
    if (m_stop != nullptr)
        CloseHandle(m_stop);
    m_change = INVALID_HANDLE_VALUE;
    m_stop = nullptr;
    m_folder.clear();
}
