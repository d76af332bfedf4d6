// The template tying the one document to the one frame.
#include "framework/CSingleDocTemplate.h"

#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "store/CDocument.h"

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, CDocument& document, std::function<CFrameWnd*()> makeFrame)
    : m_resourceId(resourceId), m_document(document), m_makeFrame(std::move(makeFrame))
{
    const std::string text = LoadResourceString(resourceId);
    size_t start = 0;
    for (std::string& field : m_fields) {
        const size_t end = text.find('\n', start);
        if (start <= text.size())
            field = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? text.size() + 1 : end + 1;
    }
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    DestroyFrame();
}

std::string CSingleDocTemplate::GetDocString(DocStringIndex index) const
{
    return m_fields[index];
}

void CSingleDocTemplate::DestroyFrame()
{
    // Forgotten first, so that its window's end does not end the program.
    CFrameWnd* frame = m_frame;
    m_frame = nullptr;
    delete frame;
}

bool CSingleDocTemplate::OpenDocumentFile(const std::string& path)
{
    bool created = false;
    if (m_frame == nullptr) {
        m_frame = m_makeFrame();
        if (m_frame == nullptr || !m_frame->LoadFrame(m_resourceId)) {
            DestroyFrame();
            return false;
        }
        created = true;
    }
    const bool opened = path.empty() ? (m_document.OnNewDocument(), true) : m_document.OnOpenDocument(path);
    if (!opened && created) {
        DestroyFrame();
        return false;
    }
    m_frame->UpdateTitle(m_document.GetTitle());
    return opened;
}
