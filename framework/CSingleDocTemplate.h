// The template tying the one document to the one frame.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CDocument;
class CFrameWnd;

// Ties the one document to the one frame: the first New or Open makes the
// frame, later ones reuse it. The texts come from one string resource of
// seven fields separated by line feeds.
class CSingleDocTemplate {
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    CSingleDocTemplate(UINT resourceId, CDocument& document, std::function<CFrameWnd*()> makeFrame);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    std::string GetDocString(DocStringIndex index) const;
    CDocument& Document() { return m_document; }
    CFrameWnd* Frame() const { return m_frame; }

    // Opens `path`, or makes a new document when it is empty. When the
    // frame was made for this and the document fails, the frame goes too.
    bool OpenDocumentFile(const std::string& path);
    void DestroyFrame();

private:
    UINT m_resourceId;
    std::string m_fields[7];
    CDocument& m_document;
    std::function<CFrameWnd*()> m_makeFrame;
    CFrameWnd* m_frame = nullptr;
};
