// The General page of the URL Properties sheet.
#pragma once

#include "framework/CPropertyPage.h"

#include <string>

class CBookmarkDoc;
class EditedBookmark;

// The name and URL a bookmark made by "&URL..." or "&E-Mail..." starts with.
struct PlaceholderPair {
    std::string name;
    std::string url;
};

// "General": the edited bookmark's name and URL.
class CGeneralPage : public CPropertyPage {
public:
    // `placeholder` is the pair of the bookmark a creation command has just
    // added, null when an existing bookmark is edited.
    CGeneralPage(CBookmarkDoc& document, EditedBookmark& bookmark, const PlaceholderPair* placeholder);

    std::string m_strName;
    std::string m_strURL;

protected:
    void OnSetActive() override;
    void OnOK() override;
    // Takes back the new bookmark when it is cancelled as it was made.
    void OnCancel() override;

private:
    CBookmarkDoc& m_document;
    EditedBookmark& m_bookmark;
    const PlaceholderPair* m_placeholder;
    // The pair shown when the page last became the active page.
    std::string m_rememberedName;
    std::string m_rememberedURL;
};
