// String resources and the program's name.
#include "framework/ResourceString.h"

#include "framework/StandardIds.h"

std::string LoadResourceString(UINT id)
{
    char buffer[512] = "";
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string AppName()
{
    return LoadResourceString(IDS_APP_TITLE);
}

std::string AppWindowClass(const char* role)
{
    return AppName() + role;
}
