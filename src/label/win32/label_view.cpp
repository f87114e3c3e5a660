#include "label/win32/label_view.h"

#include "base/win32/gdi_objects.h"
#include "base/win32/message_table.h"
#include "label/label_renderer.h"
#include "label/win32/label_gdi.h"

#include <windowsx.h>

const char kLabelViewClass[] = "ETIVENT";

namespace {

LabelView* ViewOf(HWND window) {
    return reinterpret_cast<LabelView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Sets a scroll bar unless it shows exactly this already (Wine redraws a bar at every call, a few
// milliseconds each). A bar that is not needed is disabled, not hidden, so the page does not jump.
void SetScrollBar(HWND window, int bar, int max, int page, int pos) {
    SCROLLINFO now{sizeof now, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    if (GetScrollInfo(window, bar, &now) && now.nMin == 0 && now.nMax == max &&
        now.nPage == (UINT)page && now.nPos == pos)
        return;
    SCROLLINFO si{
        sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, max, (UINT)page, pos,
        0};
    SetScrollInfo(window, bar, &si, TRUE);
}

LabelPoint PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The rubber band: drawn inverting the screen, so that drawing it again takes it away.
void DrawRubberBand(const LabelView& v) {
    WindowDc dc(v.window);
    v.ApplyViewMapping(dc.Get());
    ScopedBkMode transparent(dc.Get(), TRANSPARENT);
    ScopedRop2 invert(dc.Get(), R2_NOT);
    OwnedPen dotted(CreatePen(PS_DOT, 0, RGB(0, 0, 0)));
    ScopedSelect pen(dc.Get(), dotted.Get());
    ScopedSelect brush(dc.Get(), GetStockObject(HOLLOW_BRUSH));
    LabelRect r = v.state.DragRect();
    Rectangle(dc.Get(), r.left, r.top, r.right + 1, r.bottom + 1);
}

// While dragging, the cursor stays on the page.
void ConfineCursorToPage(const LabelView& v) {
    POINT corners[2];
    LabelPoint a = v.state.ToDevice({kPage.left, kPage.top});
    LabelPoint b = v.state.ToDevice({kPage.right, kPage.bottom});
    corners[0] = {a.x, a.y};
    corners[1] = {b.x, b.y};
    MapWindowPoints(v.window, nullptr, corners, 2);
    RECT page{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    ClipCursor(&page);
}

// Ends a drag: on button up, or without a zoom when something else takes the mouse (a box that
// opens, another program), so that the cursor never stays confined to the page.
void EndDrag(LabelView& v) {
    DrawRubberBand(v);
    v.state.dragging = false;
    ClipCursor(nullptr);
}

// The view comes with its window's creation, the first message it handles.
LRESULT OnNcCreate(HWND window, WPARAM wParam, LPARAM lParam) {
    auto* view = static_cast<LabelView*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    view->window = window;
    return DefWindowProcA(window, WM_NCCREATE, wParam, lParam);
}

LRESULT OnCreate(HWND window, WPARAM, LPARAM) {
    LabelView& v = *ViewOf(window);
    v.state.dragging = false;
    v.state.cursorOverPage = false;
    return 0;
}

LRESULT OnSize(HWND window, WPARAM, LPARAM lParam) {
    LabelView& v = *ViewOf(window);
    v.state.clientWidth = LOWORD(lParam);
    v.state.clientHeight = HIWORD(lParam);
    v.RefreshView();
    return 0;
}

LRESULT OnPaint(HWND window, WPARAM, LPARAM) {
    LabelView& v = *ViewOf(window);
    PaintDc paint(v.window);
    RECT client;
    GetClientRect(v.window, &client);
    int w = client.right, h = client.bottom;
    MemoryDc memory(paint.Get());
    LabelContent content;
    v.host.read(v.host.context, &content);
    std::string key = v.PictureKey(content);
    if (!v.picture || key != v.pictureKey) {
        // Off screen first, then one copy: the view does not flicker.
        BITMAP held{};
        if (!v.picture || !GetObjectA(v.picture.Get(), sizeof held, &held) || held.bmWidth != w ||
            held.bmHeight != h)
            v.picture.Reset(CreateCompatibleBitmap(paint.Get(), w, h));
        v.pictureKey = v.picture ? key : "";
        ScopedSelect drawInto(memory.Get(), v.picture.Get());
        OwnedBrush workspace(CreateSolidBrush(GetSysColor(COLOR_APPWORKSPACE)));
        {
            ScopedSelect brush(memory.Get(), workspace.Get());
            ScopedSelect pen(memory.Get(), GetStockObject(NULL_PEN));
            Rectangle(memory.Get(), 0, 0, w + 1, h + 1);
        }
        v.ApplyViewMapping(memory.Get());
        v.DrawPage(memory.Get(), content);
        SetMapMode(memory.Get(), MM_TEXT);
        SetWindowOrgEx(memory.Get(), 0, 0, nullptr);
        SetViewportOrgEx(memory.Get(), 0, 0, nullptr);
    }
    ScopedSelect selectBitmap(memory.Get(), v.picture.Get());
    BitBlt(paint.Get(), 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
    return 0;
}

LRESULT OnSetCursor(HWND window, WPARAM, LPARAM) {
    LabelView& v = *ViewOf(window);
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(v.window, &at);
    RECT client;
    GetClientRect(v.window, &client);
    v.state.cursorOverPage = PtInRect(&client, at) && kPage.Contains(v.state.ToLabel({at.x, at.y}));
    SetCursor(LoadCursorA(nullptr, v.state.cursorOverPage ? IDC_CROSS : IDC_ARROW));
    return TRUE;
}

LRESULT OnKeyDown(HWND window, WPARAM key, LPARAM) {
    LabelView& v = *ViewOf(window);
    static const struct {
        WPARAM key;
        UINT message;
        WPARAM code;
    } kKeys[] = {
        {VK_PRIOR, WM_VSCROLL, SB_PAGEUP}, {VK_NEXT, WM_VSCROLL, SB_PAGEDOWN},
        {VK_HOME, WM_VSCROLL, SB_TOP},     {VK_END, WM_VSCROLL, SB_BOTTOM},
        {VK_LEFT, WM_HSCROLL, SB_PAGEUP},  {VK_RIGHT, WM_HSCROLL, SB_PAGEDOWN},
        {VK_UP, WM_VSCROLL, SB_LINEUP},    {VK_DOWN, WM_VSCROLL, SB_LINEDOWN},
    };
    for (const auto& k : kKeys)
        if (k.key == key) SendMessageA(v.window, k.message, k.code, 0);
    return 0;
}

LRESULT Scroll(LabelView& v, bool vertical, WPARAM wParam) {
    static const struct {
        WORD code;
        ScrollAction action;
    } kActions[] = {
        {SB_LINEUP, ScrollAction::LineBack},     {SB_LINEDOWN, ScrollAction::LineForward},
        {SB_PAGEUP, ScrollAction::PageBack},     {SB_PAGEDOWN, ScrollAction::PageForward},
        {SB_THUMBPOSITION, ScrollAction::Thumb}, {SB_THUMBTRACK, ScrollAction::Thumb},
        {SB_TOP, ScrollAction::ToStart},         {SB_BOTTOM, ScrollAction::ToEnd},
    };
    for (const auto& a : kActions) {
        if (a.code != LOWORD(wParam)) continue;
        v.state.Scroll(vertical, a.action, (short)HIWORD(wParam));
        v.RefreshView();
    }
    return 0;
}

LRESULT OnMouseWheel(HWND window, WPARAM wParam, LPARAM lParam) {
    ViewOf(window)->Wheel(false, wParam, lParam);
    return 0;
}

LRESULT OnMouseHWheel(HWND window, WPARAM wParam, LPARAM lParam) {
    ViewOf(window)->Wheel(true, wParam, lParam);
    return 0;
}

// A system wheel setting; `fallback` where the system has none.
UINT WheelSetting(UINT action, UINT fallback) {
    UINT value = fallback;
    if (!SystemParametersInfoA(action, 0, &value, 0)) value = fallback;
    return value;
}

LRESULT OnHScroll(HWND window, WPARAM wParam, LPARAM) {
    LabelView& v = *ViewOf(window);
    return Scroll(v, false, wParam);
}

LRESULT OnVScroll(HWND window, WPARAM wParam, LPARAM) {
    LabelView& v = *ViewOf(window);
    return Scroll(v, true, wParam);
}

LRESULT OnLButtonDown(HWND window, WPARAM, LPARAM lParam) {
    LabelView& v = *ViewOf(window);
    if (!v.state.cursorOverPage) return 0;
    v.state.dragging = true;
    v.state.dragStart = v.state.dragEnd = v.state.ToLabel(PointOf(lParam));
    SetCapture(v.window);
    ConfineCursorToPage(v);
    DrawRubberBand(v);
    return 0;
}

LRESULT OnMouseMove(HWND window, WPARAM, LPARAM lParam) {
    LabelView& v = *ViewOf(window);
    if (!v.state.dragging) return 0;
    DrawRubberBand(v);
    v.state.dragEnd = v.state.ToLabel(PointOf(lParam));
    DrawRubberBand(v);
    return 0;
}

LRESULT OnLButtonUp(HWND window, WPARAM, LPARAM lParam) {
    LabelView& v = *ViewOf(window);
    if (!v.state.dragging) return 0;
    EndDrag(v);
    v.state.dragEnd = v.state.ToLabel(PointOf(lParam));
    ReleaseCapture();
    if (v.state.ZoomToRect(v.state.DragRect())) v.ZoomChanged();
    return 0;
}

LRESULT OnCaptureChanged(HWND window, WPARAM, LPARAM lParam) {
    LabelView& v = *ViewOf(window);
    if (v.state.dragging && reinterpret_cast<HWND>(lParam) != v.window) EndDrag(v);
    return 0;
}

LRESULT OnLButtonDoubleClick(HWND window, WPARAM, LPARAM lParam) {
    LabelView& v = *ViewOf(window);
    LabelPoint p = v.state.ToLabel(PointOf(lParam));
    v.state.CenterOn(p.x, p.y);
    v.RefreshView();
    return 0;
}

const WindowMessageHandler kHandlers[] = {
    {WM_NCCREATE, OnNcCreate},
    {WM_CREATE, OnCreate},
    {WM_SIZE, OnSize},
    {WM_PAINT, OnPaint},
    {WM_SETCURSOR, OnSetCursor},
    {WM_KEYDOWN, OnKeyDown},
    {WM_MOUSEWHEEL, OnMouseWheel},
    {WM_MOUSEHWHEEL, OnMouseHWheel},
    {WM_HSCROLL, OnHScroll},
    {WM_VSCROLL, OnVScroll},
    {WM_LBUTTONDOWN, OnLButtonDown},
    {WM_MOUSEMOVE, OnMouseMove},
    {WM_LBUTTONUP, OnLButtonUp},
    {WM_CAPTURECHANGED, OnCaptureChanged},
    {WM_LBUTTONDBLCLK, OnLButtonDoubleClick},
};

} // namespace

bool LabelView::Create(HINSTANCE instance, HWND parentWindow, const LabelViewHost& viewHost) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProcedure<kHandlers>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kLabelViewClass;
    if (!RegisterClassA(&wc)) return false;
    parent = parentWindow;
    host = viewHost;
    state = ViewState();
    window = nullptr;
    if (!CreateWindowExA(WS_EX_STATICEDGE, kLabelViewClass, "",
                         WS_CHILD | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL, 0, 0, 100, 100,
                         parent, nullptr, instance, this)) {
        window = nullptr;
        return false;
    }
    state.zoomPercent = 100;
    state.scrollX = state.scrollY = 0;
    WindowDc dc(window);
    state.viewportExtX = GetDeviceCaps(dc.Get(), HORZRES) / 2;
    state.viewportExtY = GetDeviceCaps(dc.Get(), VERTRES) / 2;
    // The isotropic fit weighs the pixels' physical shape, as the device reports it.
    state.deviceMmX = GetDeviceCaps(dc.Get(), HORZSIZE);
    state.deviceMmY = GetDeviceCaps(dc.Get(), VERTSIZE);
    state.devicePixelsX = GetDeviceCaps(dc.Get(), HORZRES);
    state.devicePixelsY = GetDeviceCaps(dc.Get(), VERTRES);
    PostMessageA(parent, WM_ZOOM_CHANGED, 0, 0);
    return true;
}

void LabelView::LayoutView(int topHeight, int bottomHeight) {
    if (!window) return;
    RECT r;
    GetClientRect(parent, &r);
    int height = r.bottom - topHeight - bottomHeight;
    MoveWindow(window, r.left, r.top + topHeight, r.right, height > 0 ? height : 0, TRUE);
    ShowWindow(window, SW_SHOW);
}

void LabelView::RefreshView() {
    if (!window) return;
    state.ClampScroll();
    LabelRect visible = state.VisibleRect();
    SetScrollBar(window, SB_HORZ, kPageWidth, visible.Width(), state.scrollX);
    SetScrollBar(window, SB_VERT, kPageHeight, visible.Height(), state.scrollY);
    InvalidateRect(window, nullptr, FALSE);
}

void LabelView::ZoomChanged() {
    PostMessageA(parent, WM_ZOOM_CHANGED, 0, 0);
    RefreshView();
}

void LabelView::FitLabelWidth() {
    if (state.FitLabelWidth()) ZoomChanged();
}

void LabelView::FitWholeLabel() {
    if (state.FitWholeLabel()) ZoomChanged();
}

void LabelView::ZoomIn() {
    if (state.ZoomIn()) ZoomChanged();
}

void LabelView::ZoomOut() {
    if (state.ZoomOut()) ZoomChanged();
}

void LabelView::Wheel(bool tilt, WPARAM wParam, LPARAM lParam) {
    // A step at a time: a zoom step and a scroll line depend on the view as the last one left it.
    // Beyond these counts the view is at its limits anyway.
    constexpr int kMaxZoomSteps = 40, kMaxScrollSteps = 2000;
    if (!window) return;
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const WORD keys = GET_KEYSTATE_WPARAM(wParam);
    if (!tilt && (keys & MK_CONTROL)) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &at);
        int steps = wheelZoom.Take(delta, 1);
        bool changed = false;
        for (int i = 0; i < steps && i < kMaxZoomSteps; ++i)
            changed = ZoomStepAt(state, {at.x, at.y}, true) || changed;
        for (int i = 0; i < -steps && i < kMaxZoomSteps; ++i)
            changed = ZoomStepAt(state, {at.x, at.y}, false) || changed;
        if (changed) ZoomChanged();
        return;
    }
    // The wheel turned away scrolls up, and left with Shift; a tilt to the right scrolls right.
    const bool vertical = !tilt && !(keys & MK_SHIFT);
    UINT perNotch = vertical ? WheelSetting(SPI_GETWHEELSCROLLLINES, 3)
                             : WheelSetting(SPI_GETWHEELSCROLLCHARS, 3);
    const bool pages = perNotch == WHEEL_PAGESCROLL;
    WheelSteps& sum = vertical ? wheelDown : wheelAcross;
    int steps = sum.Take(tilt ? delta : -delta, pages ? 1 : (int)perNotch);
    ScrollAction forward = pages ? ScrollAction::PageForward : ScrollAction::LineForward;
    ScrollAction back = pages ? ScrollAction::PageBack : ScrollAction::LineBack;
    for (int i = 0; i < (steps < 0 ? -steps : steps) && i < kMaxScrollSteps; ++i) {
        state.Scroll(vertical, steps > 0 ? forward : back);
        state.ClampScroll();
    }
    if (steps != 0) RefreshView();
}

void LabelView::ApplyViewMapping(HDC dc) const {
    ViewMapping m = state.RequestedMapping();
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, m.windowExtX, m.windowExtY, nullptr);
    SetWindowOrgEx(dc, m.windowOrgX, m.windowOrgY, nullptr);
    SetViewportExtEx(dc, m.viewportExtX, m.viewportExtY, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
}

std::string LabelView::PictureKey(const LabelContent& content) const {
    ViewMapping mapping = state.Mapping();
    RECT client{};
    GetClientRect(window, &client);
    COLORREF workspace = GetSysColor(COLOR_APPWORKSPACE);
    std::string key(reinterpret_cast<const char*>(&content.image), sizeof content.image);
    key.append(reinterpret_cast<const char*>(&mapping), sizeof mapping);
    key.append(reinterpret_cast<const char*>(&client), sizeof client);
    key.append(reinterpret_cast<const char*>(&workspace), sizeof workspace);
    return key.append(content.line1).append(1, '\0').append(content.line2);
}

void LabelView::DrawPage(HDC dc, const LabelContent& content) const {
    LabelRect visible = state.VisibleRect();
    GdiLabelCanvas gdi(dc, &visible);
    LabelCanvas canvas = gdi.Canvas();
    canvas.box(canvas.context, kPage.left, kPage.top, kPage.right, kPage.bottom, kNoPen,
               LabelBrush::White);
    const LabelPoint shadow[] = {{1000, 30}, {1030, 30}, {1030, 1930},
                                 {30, 1930}, {30, 1900}, {1000, 1900}};
    canvas.polygon(canvas.context, shadow, 6, kNoPen, LabelBrush::Grey);
    DrawLabel(canvas, content.image, content.line1, content.line2);
}
