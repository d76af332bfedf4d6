// The Description page of the URL Properties sheet.
#pragma once

#include "framework/CPropertyPage.h"

#include <string>

class CBookmarkDoc;
class EditedBookmark;

// "Description": the edited bookmark's description.
class CDescriptionPage : public CPropertyPage {
public:
    CDescriptionPage(CBookmarkDoc& document, EditedBookmark& bookmark);

    std::string m_strDescription;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    CBookmarkDoc& m_document;
    EditedBookmark& m_bookmark;
};
