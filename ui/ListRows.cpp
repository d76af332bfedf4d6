#include "ui/ListRows.h"

#include "store/CBookmarkDoc.h"
#include "store/TextCompare.h"

#include <commctrl.h>

#include <climits>

const std::string& RowStoreText(const SortInfo& sort, LPARAM data)
{
    static const std::string kNone;
    if (sort.document == nullptr || data < 0)
        return kNone;
    const size_t index = static_cast<size_t>(data);
    if (sort.groupRows)
        return index < sort.document->m_arrGroups.size() ? sort.document->m_arrGroups[index] : kNone;
    if (index >= sort.document->m_arrItems.size())
        return kNone;
    const BookmarkItem& item = sort.document->m_arrItems[index];
    switch (sort.column) {
    case 1:
        return item.m_strURL;
    case 2:
        return item.m_strDescription;
    default:
        return item.m_strName;
    }
}

int CALLBACK CompareRows(LPARAM data1, LPARAM data2, LPARAM info)
{
    const SortInfo& sort = *reinterpret_cast<const SortInfo*>(info);
    const int result = CompareNoCase(RowStoreText(sort, data1), RowStoreText(sort, data2));
    if (result != 0)
        return sort.ascending ? result : -result;
    return data1 < data2 ? -1 : (data1 > data2 ? 1 : 0);
}

int RowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

LPARAM RowData(HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.lParam;
}

int FindRowByData(HWND list, LPARAM data)
{
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    return static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

int WidestTextWidth(HWND list, const std::vector<const std::string*>& texts)
{
    const HDC dc = GetDC(list);
    if (dc == nullptr)
        return 32;
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    // Measuring each of 100,000 texts takes long; the sum of the characters'
    // widths is close enough to find the few worth measuring exactly.
    INT charWidths[256] = {};
    const bool haveWidths = GetCharWidth32A(dc, 0, 255, charWidths) != 0;
    std::vector<LONG> estimates(texts.size(), 0);
    LONG widestEstimate = 0;
    for (size_t i = 0; i < texts.size() && haveWidths; ++i) {
        LONG sum = 0;
        for (const char c : *texts[i]) {
            if (IsDBCSLeadByte(static_cast<BYTE>(c))) {
                sum = LONG_MAX;  // measured exactly
                break;
            }
            sum += charWidths[static_cast<unsigned char>(c)];
        }
        estimates[i] = sum;
        if (sum != LONG_MAX && sum > widestEstimate)
            widestEstimate = sum;
    }
    const LONG threshold = widestEstimate - widestEstimate / 8 - 16;
    LONG widest = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
        SIZE size = {0, 0};
        if (!texts[i]->empty() && (!haveWidths || estimates[i] >= threshold) &&
            GetTextExtentPoint32A(dc, texts[i]->data(), static_cast<int>(texts[i]->size()), &size) && size.cx > widest)
            widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    return static_cast<int>(widest) + 32;
}

bool EditedLabelText(const NMHDR* header, std::string& text)
{
    if (header->code == LVN_ENDLABELEDITW) {
        const wchar_t* wide = reinterpret_cast<const NMLVDISPINFOW*>(header)->item.pszText;
        if (wide == nullptr)
            return false;
        const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        text.assign(length > 0 ? static_cast<size_t>(length) : 1, '\0');
        WideCharToMultiByte(CP_ACP, 0, wide, -1, &text[0], length, nullptr, nullptr);
        text.resize(text.size() - 1);
        return true;
    }
    const char* narrow = reinterpret_cast<const NMLVDISPINFOA*>(header)->item.pszText;
    if (narrow == nullptr)
        return false;
    text = narrow;
    return true;
}

POINT ContextMenuPoint(HWND list, LPARAM lParam)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (point.x == -1 && point.y == -1) {
        point = {0, 0};
        ClientToScreen(list, &point);
        point.x += 5;
        point.y += 5;
    }
    return point;
}
