#include "framework/IconTitleFont.h"

HFONT CreateIconTitleFont()
{
    LOGFONTA font = {};
    if (!SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0))
        return nullptr;
    font.lfCharSet = DEFAULT_CHARSET;
    return CreateFontIndirectA(&font);
}
