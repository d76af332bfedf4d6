#include "exchange/NetscapeExport.h"

std::string CodePageName()
{
    return "windows-1252";  // what store/CodePage_posix.cpp turns wide texts into
}
