#include "framework/IconTitleFont.h"

// The system checks the size it is given against its own record's.
static_assert(sizeof(LOGFONTA) == 60, "font record size");

HFONT CreateIconTitleFont()
{
    LOGFONTA font = {};
    if (!SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0))
        return nullptr;
    font.lfCharSet = DEFAULT_CHARSET;
    return CreateFontIndirectA(&font);
}
