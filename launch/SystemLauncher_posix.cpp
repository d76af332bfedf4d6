// The system's launcher off Windows.
#include "launch/SystemLauncher.h"

#include <sys/stat.h>

intptr_t SystemLauncher::ShellOpen(const std::string&)
{
    return 0;
}

bool SystemLauncher::StartProcess(const std::string&)
{
    return false;
}

bool SystemLauncher::IsFile(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
