// The URL Properties sheet.
#pragma once

#include "framework/CPropertySheet.h"
#include "ui/CDescriptionPage.h"
#include "ui/CGeneralPage.h"
#include "ui/EditedBookmark.h"

// "URL Properties": the current bookmark's name, URL and description. It
// writes to that bookmark, whichever is current when OK is pressed.
class CUrlPropertiesSheet : public CPropertySheet {
public:
    // Preset from the current item; `placeholder` as for CGeneralPage.
    CUrlPropertiesSheet(CBookmarkDoc& document, HWND owner, const PlaceholderPair* placeholder = nullptr);

    EditedBookmark m_bookmark;  // before the pages, which hold on to it
    CGeneralPage m_generalPage;
    CDescriptionPage m_descriptionPage;
};

// "New URL" with "http://", or "New E-Mail" with "mailto:".
PlaceholderPair NewBookmarkPlaceholder(bool email);

// "&URL..." and "&E-Mail...": a bookmark with the pair, its name made unique
// over all bookmarks, joins the current group and becomes the current item;
// then the sheet opens on it.
void CreateBookmark(CBookmarkDoc& document, HWND owner, const PlaceholderPair& pair);
// "&Properties...": the sheet on the current item.
void EditBookmark(CBookmarkDoc& document, HWND owner);
