// Tells a window when something in a folder changes.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

// A thread of its own waits on the system's change notification for one
// folder (files made, written, renamed or removed) and posts the window a
// message each time, so that the window thread never polls; the window then
// looks for itself at what it cares about.
class FolderWatcher {
public:
    FolderWatcher() = default;
    ~FolderWatcher() { Stop(); }
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    // Posts `message` (no parameters) to `window` for every change in
    // `folder`, in place of what was watched before. An empty folder, or one
    // the system cannot watch, is watched by nobody.
    void Watch(HWND window, UINT message, const std::string& folder);
    void Stop();

private:
    std::string m_folder;
    HANDLE m_change = INVALID_HANDLE_VALUE;
    HANDLE m_stop = nullptr;
    std::thread m_thread;
};
