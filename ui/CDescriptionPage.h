#pragma once

#include "framework/CPropertyPage.h"

#include <string>

class CBookmarkDoc;

// "Description": the current bookmark's description.
class CDescriptionPage : public CPropertyPage {
public:
    explicit CDescriptionPage(CBookmarkDoc& document);

    std::string m_strDescription;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    CBookmarkDoc& m_document;
};
