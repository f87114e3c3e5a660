#include "print/win32/print_preview.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/win32/gdi_objects.h"
#include "base/win32/message_table.h"
#include "res/resource.h"

#include <cstdio>
#include <string>

namespace {

// The margin around the sheet in the preview, and the sheet's shadow, in pixels.
constexpr int kMargin = 8, kShadow = 4;

struct Preview {
    const PageRecording* pages;
    const PaperGeometry* paper;
    int page = 0;
    // The window's client size at the start, and the sheet's margins from it: the sheet grows
    // with the window.
    RECT sheetMargins{};
};

// Null until WM_INITDIALOG: a sizable dialog is sized while it is being made.
Preview* PreviewOf(HWND dialog) {
    return reinterpret_cast<Preview*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

int PageCount(const Preview& p) {
    return (int)p.pages->pages.size();
}

// The page's number, its lines as the sheet's text (for whoever reads the window's text), and the
// buttons that lead somewhere.
void ShowPage(HWND dialog, Preview& p) {
    char number[64];
    std::snprintf(number, sizeof number, ResString(str::PreviewPageOf), p.page + 1, PageCount(p));
    SetDlgItemTextA(dialog, IDC_PREVIEW_PAGE, number);
    std::string lines;
    if (p.page < PageCount(p))
        for (const RecordedLine& line : p.pages->pages[p.page])
            lines.append(line.text).append("\r\n");
    SetDlgItemTextA(dialog, IDC_PREVIEW_SHEET, lines.c_str());
    HWND focus = GetFocus();
    HWND previous = GetDlgItem(dialog, IDC_PREVIEW_PREVIOUS),
         next = GetDlgItem(dialog, IDC_PREVIEW_NEXT);
    EnableWindow(previous, p.page > 0);
    EnableWindow(next, p.page + 1 < PageCount(p));
    if ((focus == previous || focus == next) && !IsWindowEnabled(focus))
        SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, IDOK), TRUE);
    InvalidateRect(GetDlgItem(dialog, IDC_PREVIEW_SHEET), nullptr, TRUE);
}

INT_PTR OnInitDialog(HWND dialog, WPARAM, LPARAM lParam) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    Preview& p = *PreviewOf(dialog);
    RECT client, sheet;
    GetClientRect(dialog, &client);
    GetWindowRect(GetDlgItem(dialog, IDC_PREVIEW_SHEET), &sheet);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&sheet), 2);
    p.sheetMargins = {sheet.left, sheet.top, client.right - sheet.right,
                      client.bottom - sheet.bottom};
    ShowPage(dialog, p);
    return TRUE;
}

INT_PTR OnSize(HWND dialog, WPARAM, LPARAM lParam) {
    Preview* p = PreviewOf(dialog);
    if (!p) return FALSE;
    const RECT& m = p->sheetMargins;
    int width = LOWORD(lParam) - m.left - m.right, height = HIWORD(lParam) - m.top - m.bottom;
    MoveWindow(GetDlgItem(dialog, IDC_PREVIEW_SHEET), m.left, m.top, width > 0 ? width : 0,
               height > 0 ? height : 0, TRUE);
    return TRUE;
}

void Previous(HWND, Preview& p) {
    if (p.page > 0) --p.page;
}
void Next(HWND, Preview& p) {
    if (p.page + 1 < PageCount(p)) ++p.page;
}
// "Imprimir" (IDOK) or "Cerrar" (IDCANCEL, also Esc and the close box): the answer.
void Close(HWND dialog, Preview&) {
    EndDialog(dialog, IDCANCEL);
}
void Print(HWND dialog, Preview&) {
    EndDialog(dialog, IDOK);
}

const struct {
    int id;
    void (*run)(HWND dialog, Preview& p);
} kButtons[] = {
    {IDC_PREVIEW_PREVIOUS, Previous},
    {IDC_PREVIEW_NEXT, Next},
    {IDOK, Print},
    {IDCANCEL, Close},
};

INT_PTR OnCommand(HWND dialog, WPARAM wParam, LPARAM) {
    Preview* p = PreviewOf(dialog);
    if (!p) return FALSE;
    for (const auto& b : kButtons) {
        if (b.id != LOWORD(wParam)) continue;
        b.run(dialog, *p);
        ShowPage(dialog, *p);
        return TRUE;
    }
    return FALSE;
}

// The sheet at the largest size that fits, on the window's background, with the page's lines in
// the job's font where the printer puts them: the printer's device units are mapped onto it.
INT_PTR OnDrawItem(HWND dialog, WPARAM, LPARAM lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    Preview* preview = PreviewOf(dialog);
    if (item->CtlID != IDC_PREVIEW_SHEET || !preview) return FALSE;
    Preview& p = *preview;
    const PaperGeometry& paper = *p.paper;
    HDC dc = item->hDC;
    RECT area = item->rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_APPWORKSPACE));
    int roomX = area.right - area.left - 2 * kMargin - kShadow;
    int roomY = area.bottom - area.top - 2 * kMargin - kShadow;
    if (roomX <= 0 || roomY <= 0 || paper.width <= 0 || paper.height <= 0) return TRUE;
    // Fitted: the sheet's proportions kept, the tighter side decides.
    int width = roomX, height = MulDiv(roomX, paper.height, paper.width);
    if (height > roomY) height = roomY, width = MulDiv(roomY, paper.width, paper.height);
    int left = area.left + (area.right - area.left - width) / 2;
    int top = area.top + (area.bottom - area.top - height) / 2;
    RECT shadow{left + kShadow, top + kShadow, left + width + kShadow, top + height + kShadow};
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_3DDKSHADOW));
    RECT sheet{left, top, left + width, top + height};
    FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (p.page >= PageCount(p)) return TRUE;

    int saved = SaveDC(dc);
    IntersectClipRect(dc, sheet.left, sheet.top, sheet.right, sheet.bottom);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, paper.width, paper.height, nullptr);
    SetWindowOrgEx(dc, -paper.offsetX, -paper.offsetY, nullptr); // lines are printable-area based
    SetViewportExtEx(dc, width, height, nullptr);
    SetViewportOrgEx(dc, left, top, nullptr);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    {
        OwnedFont font(CreateJobTextFont(paper.fontHeight));
        ScopedSelect select(dc, font.Get());
        for (const RecordedLine& line : p.pages->pages[p.page])
            TextOutA(dc, line.x, line.y, line.text.data(), (int)line.text.size());
    }
    RestoreDC(dc, saved);
    return TRUE;
}

const DialogMessageHandler kHandlers[] = {
    {WM_INITDIALOG, OnInitDialog},
    {WM_SIZE, OnSize},
    {WM_COMMAND, OnCommand},
    {WM_DRAWITEM, OnDrawItem},
};

} // namespace

bool ShowPrintPreview(PrintJob& job, HWND owner, const char* text) {
    PageRecording pages;
    PaperGeometry paper{};
    if (!job.LayOutText(text, &pages, &paper)) return false;
    Preview preview{&pages, &paper};
    return DialogBoxParamA(job.instance, MAKEINTRESOURCEA(IDD_PRINT_PREVIEW), owner,
                           DialogProcedure<kHandlers>, reinterpret_cast<LPARAM>(&preview)) == IDOK;
}
