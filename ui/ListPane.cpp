// The list-view pane both panes build on.
#include "ui/ListPane.h"

#include "framework/CFrameWnd.h"
#include "framework/Dpi.h"
#include "framework/ResourceString.h"
#include "settings/PaneColours.h"
#include "settings/Preferences.h"
#include "store/CBookmarkDoc.h"
#include "store/CodePage.h"
#include "store/TextCompare.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <utility>

void PaneColours(HWND list)
{
    const PaneColourPair colours = ChoosePaneColours(thePreferences, theColourSchemes, CurrentSystemColours());
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, colours.background);
    SendMessageA(list, LVM_SETBKCOLOR, 0, colours.background);
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, colours.text);
}

ListPane::ListPane(CBookmarkDoc& document) : CView(document), m_store(document)
{
    m_sortInfo.document = &document;
}

ListPane::~ListPane()
{
    // Image lists are the control's: without LVS_SHAREIMAGELISTS the control
    // destroys them with its window, so they are not destroyed here again.
    if (m_font != nullptr)
        DeleteObject(m_font);
}

bool ListPane::OnCreate()
{
    const UINT dpi = WindowDpi(m_hWnd);
    LoadImages(dpi);
    m_font = CreateSystemFont(SystemFont::IconTitle, dpi);
    if (m_font != nullptr)
        SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    return true;
}

void ListPane::OnDpiChanged(UINT oldDpi, UINT newDpi)
{
    LoadImages(newDpi);
    const HFONT font = CreateSystemFont(SystemFont::IconTitle, newDpi);
    if (font != nullptr) {
        SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (m_font != nullptr)
            DeleteObject(m_font);
        m_font = font;
    }
    const HWND header = reinterpret_cast<HWND>(SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0));
    const int columns = header != nullptr ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int column = 0; column < columns; ++column) {
        const int width = static_cast<int>(SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, column, 0));
        SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, column, RescaleDpi(width, oldDpi, newDpi));
    }
}

void ListPane::SetImageList(int which, std::initializer_list<int> iconIds, int size)
{
    const HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(iconIds.size()), 0);
    if (list == nullptr)
        return;
    for (const int iconId : iconIds) {
        const HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, 0));
        if (icon != nullptr) {
            ImageList_AddIcon(list, icon);
            DestroyIcon(icon);
        }
    }
    // The control destroys the list it holds when it goes, not one it gives back.
    const auto old = reinterpret_cast<HIMAGELIST>(SendMessageA(m_hWnd, LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
    if (old != nullptr)
        ImageList_Destroy(old);
}

LPARAM ListPane::RowStoreIndex(int row) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.lParam;
}

int ListPane::RowOfStoreIndex(LPARAM index) const
{
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = index;
    return static_cast<int>(SendMessageA(m_hWnd, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

void ListPane::BeginRefill()
{
    m_refilling = true;
    SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
}

void ListPane::EndRefill()
{
    SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    m_refilling = false;
}

void ListPane::SetView(DWORD view)
{
    if ((static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)) & LVS_TYPEMASK) == view)
        return;
    SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    // Read once redraw is off, which the style carries until it is back on.
    const DWORD style = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE));
    SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>((style & ~LVS_TYPEMASK) | view));
    PlaceIconsQuietly();
}

LRESULT ListPane::OnSizeChanged(UINT message, WPARAM wParam, LPARAM lParam)
{
    const DWORD view = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)) & LVS_TYPEMASK;
    if (m_refilling || (view != LVS_ICON && view != LVS_SMALLICON))
        return CView::WindowProc(message, wParam, lParam);
    SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    const LRESULT result = CView::WindowProc(message, wParam, lParam);
    PlaceIconsQuietly();
    return result;
}

void ListPane::PlaceIconsQuietly()
{
    // With redraw on, a control (Wine's) repaints every icon it moves, one
    // by one: seconds for a group of 100,000. Placed while it is off, the
    // icons are where the control puts them again once it is back on.
    SendMessageA(m_hWnd, LVM_ARRANGE, LVA_DEFAULT, 0);
    SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void ListPane::SortBySortInfo()
{
    SendMessageA(m_hWnd, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&m_sortInfo), reinterpret_cast<LPARAM>(&CompareRows));
}

void ListPane::TrackContextMenu(HMENU popup, LPARAM lParam)
{
    if (CFrameWnd* frame = CFrameWnd::FromHandle(GetAncestor(m_hWnd, GA_ROOT)))
        frame->TrackPopup(popup, ContextMenuPoint(m_hWnd, lParam));
}

bool ListPane::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->code == LVN_BEGINLABELEDITA || header->code == LVN_BEGINLABELEDITW) {
        // The edit starts with the whole name and takes as much as the store does.
        m_labelEdit = reinterpret_cast<HWND>(SendMessageA(m_hWnd, LVM_GETEDITCONTROL, 0, 0));
        if (m_labelEdit != nullptr) {
            SendMessageA(m_labelEdit, EM_LIMITTEXT, 0, 0);
            SetWindowTextA(m_labelEdit, StoredLabelText().c_str());
            SendMessageA(m_labelEdit, EM_SETSEL, 0, -1);
        }
        result = FALSE;
        return true;
    }
    if (header->code == LVN_ENDLABELEDITA || header->code == LVN_ENDLABELEDITW) {
        // 0 refuses the control's own change; the refilled row shows the name.
        result = 0;
        const HWND edit = m_labelEdit;
        m_labelEdit = nullptr;
        std::string text;
        if (!EditedLabelText(header, text)) {
            OnLabelEditCancelled();
            return true;
        }
        // The notification's copy of the text may be cut at 260 characters.
        if (edit != nullptr && IsWindow(edit))
            text = WholeWindowText(edit);
        OnLabelEdited(text);
        return true;
    }
    return OnPaneNotify(header, result);
}

LRESULT ListPane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        PaneColours(m_hWnd);
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(lParam);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_F2)
            OnRenameKey();
        break;
    case WM_WINDOWPOSCHANGED:
        // Where some controls (Wine's) take their new size, before WM_SIZE.
        if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOSIZE) == 0)
            return OnSizeChanged(message, wParam, lParam);
        break;
    }
    return CView::WindowProc(message, wParam, lParam);
}

const std::string& RowStoreText(const SortInfo& sort, LPARAM data)
{
    static const std::string kNone;
    if (sort.document == nullptr || data < 0)
        return kNone;
    const size_t index = static_cast<size_t>(data);
    if (sort.groupRows)
        return index < sort.document->Groups().size() ? sort.document->Groups()[index] : kNone;
    if (index >= sort.document->Items().size())
        return kNone;
    const BookmarkItem& item = sort.document->Items()[index];
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
    const auto* pane = dynamic_cast<const ListPane*>(CView::FromHandle(list));
    return pane != nullptr ? pane->RowStoreIndex(row) : -1;
}

int FindRowByData(HWND list, LPARAM data)
{
    const auto* pane = dynamic_cast<const ListPane*>(CView::FromHandle(list));
    return pane != nullptr ? pane->RowOfStoreIndex(data) : -1;
}

int WidestTextWidth(HWND list, const std::vector<const std::string*>& texts)
{
    const HDC dc = GetDC(list);
    // Room for the icon and the margins besides the text.
    const int padding = ScaleForDpi(32, WindowDpi(list));
    if (dc == nullptr)
        return padding;
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    // Measuring each of a million texts takes long; the sum of the
    // characters' widths is close enough to pick the few worth measuring
    // exactly (kerning and overhang move a width by a few pixels only).
    // Texts are measured in UTF-16: the narrow functions read them in the
    // font's code page, which need not be UTF-8.
    INT asciiWidths[128] = {};
    const bool haveWidths = GetCharWidth32W(dc, 0, 127, asciiWidths) != 0;
    // Other characters' widths, asked once each; -1 where a text holding one
    // is measured exactly, as one beyond the BMP always is.
    const INT kNotAsked = INT_MIN;
    std::vector<INT> bmpWidths;
    const auto widthOf = [&](char32_t code) {
        if (code >= 0x10000)
            return -1;
        if (bmpWidths.empty())
            bmpWidths.assign(0x10000, kNotAsked);
        INT& width = bmpWidths[code];
        if (width == kNotAsked && !GetCharWidth32W(dc, static_cast<UINT>(code), static_cast<UINT>(code), &width))
            width = -1;
        return width;
    };
    std::vector<std::pair<LONG, size_t>> estimates;
    estimates.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = *texts[i];
        LONG sum = haveWidths ? 0 : LONG_MAX;
        for (size_t at = 0; at < text.size() && sum != LONG_MAX;) {
            const unsigned char byte = static_cast<unsigned char>(text[at]);
            if (byte < 0x80) {
                sum += asciiWidths[byte];
                ++at;
                continue;
            }
            const INT width = widthOf(NextCodePoint(text, at));
            sum = width < 0 ? LONG_MAX : sum + width;
        }
        if (!text.empty())
            estimates.emplace_back(sum, i);
    }
    // The widest estimates, and every text that could not be estimated.
    const size_t kMeasured = 64;
    const auto wider = [](const std::pair<LONG, size_t>& a, const std::pair<LONG, size_t>& b) {
        return a.first > b.first;
    };
    auto end = estimates.end();
    if (estimates.size() > kMeasured) {
        std::nth_element(estimates.begin(), estimates.begin() + kMeasured, estimates.end(), wider);
        end = std::partition(estimates.begin() + kMeasured, estimates.end(),
                             [](const std::pair<LONG, size_t>& e) { return e.first == LONG_MAX; });
    }
    LONG widest = 0;
    for (auto it = estimates.begin(); it != end; ++it) {
        const std::u16string text = Utf8ToUtf16(*texts[it->second]);
        SIZE size = {0, 0};
        if (GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
                                  &size) &&
            size.cx > widest)
            widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    return static_cast<int>(widest) + padding;
}

int FirstSelectedRow(HWND list)
{
    if (SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) == 0)
        return -1;
    const WPARAM kFromStart = static_cast<WPARAM>(-1);
    const int row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, kFromStart, LVNI_FOCUSED | LVNI_SELECTED));
    return row >= 0 ? row : static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, kFromStart, LVNI_SELECTED));
}

void ClearSelection(HWND list)
{
    LVITEMA none = {};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    const int focused = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0)
        SendMessageA(list, LVM_SETITEMSTATE, focused, reinterpret_cast<LPARAM>(&none));
    if (SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) > 0)
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
}

void InsertListColumns(HWND list, std::initializer_list<ListColumn> columns)
{
    int index = 0;
    for (const ListColumn& wanted : columns) {
        std::string title = LoadResourceString(wanted.title);
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = ScaleForDpi(wanted.width, WindowDpi(list));
        column.pszText = &title[0];
        column.iSubItem = index;
        SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
        ++index;
    }
}

void FitListColumns(HWND list)
{
    const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = header != nullptr ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    RECT client;
    GetClientRect(list, &client);
    int room = client.right;
    if ((GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) == 0)
        room -= SystemMetricForDpi(SM_CXVSCROLL, WindowDpi(list));
    std::vector<int> widths;
    int total = 0;
    for (int column = 0; column < columns; ++column) {
        widths.push_back(static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)));
        total += widths.back();
    }
    if (total <= 0 || room <= 0)
        return;
    int used = 0;
    for (int column = 0; column < columns; ++column) {
        // The last takes what rounding left.
        const int width = column + 1 < columns ? MulDiv(widths[static_cast<size_t>(column)], room, total) : room - used;
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column, width);
        used += width;
    }
}

std::string WholeWindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
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

namespace {

// The length of the longest start of `text` within `bytes` that ends
// between two characters.
size_t WholeCharacters(const std::string& text, size_t bytes)
{
    if (bytes >= text.size())
        return text.size();
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80)
        --bytes;
    return bytes;
}

} // namespace

// The A and W records differ only in the text's type.
static_assert(offsetof(NMLVDISPINFOA, item.iItem) == offsetof(NMLVDISPINFOW, item.iItem), "display record layout");
static_assert(offsetof(NMLVDISPINFOA, item.iSubItem) == offsetof(NMLVDISPINFOW, item.iSubItem), "display record layout");

DisplayCell DisplayInfoCell(const NMHDR* header)
{
    const LVITEMA& item = reinterpret_cast<const NMLVDISPINFOA*>(header)->item;
    return DisplayCell{item.iItem, item.iSubItem};
}

void SetDisplayText(NMHDR* header, const std::string& text)
{
    // A text longer than the buffer is cut after a whole character: half of
    // one would show as a replacement mark.
    if (header->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0)
            return;
        // No unit takes more than three bytes: only what can fit is converted.
        const size_t room = static_cast<size_t>(item.cchTextMax - 1);
        const std::u16string wide = Utf8ToUtf16(std::string_view(text).substr(0, WholeCharacters(text, 3 * room)));
        size_t length = std::min(wide.size(), room);
        if (length < wide.size() && length > 0 && wide[length - 1] >= 0xD800 && wide[length - 1] < 0xDC00)
            --length;
        std::memcpy(item.pszText, wide.data(), length * sizeof(wchar_t));
        item.pszText[length] = L'\0';
        return;
    }
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0)
        return;
    const size_t length = WholeCharacters(text, static_cast<size_t>(item.cchTextMax - 1));
    std::memcpy(item.pszText, text.data(), length);
    item.pszText[length] = '\0';
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
