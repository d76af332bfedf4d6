#include "exchange/NetscapeExport.h"

#include <windows.h>

std::string CodePageName()
{
    // The code page CP_ACP names, the one WideToSystemCodePage writes in;
    // the UTF-8 setting's 65001 has a label of its own.
    const UINT codePage = GetACP();
    if (codePage == CP_UTF8)
        return "utf-8";
    return "windows-" + std::to_string(codePage);
}
