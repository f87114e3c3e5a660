// Help text on screen: the fonts, drawing a laid-out topic, the scrolling topic view and the
// pop-up help window.
#include "base/win32/message_table.h"
#include "help/win32/help_internal.h"

#include "base/win32/gdi_objects.h"

#include <algorithm>

const char kHelpTopicViewClass[] = "ZrtHelpTopic";

namespace {

constexpr int kMargin = 10;
constexpr int kPopupMargin = 8;
constexpr int kPopupWidth = 340;
constexpr COLORREF kLinkColour = RGB(0, 128, 0);
constexpr COLORREF kTitleColour = RGB(0, 0, 128);
const char kPopupClass[] = "ZrtHelpPopup";

HFONT MakeFont(const LOGFONTA& base, int percent, bool bold, bool underline) {
    LOGFONTA f = base;
    f.lfHeight = base.lfHeight * percent / 100;
    if (bold) f.lfWeight = FW_BOLD;
    f.lfUnderline = underline;
    return CreateFontIndirectA(&f);
}

int MeasureText(void* dc, HelpFont font, const char* text, int length) {
    ScopedSelect select(static_cast<HDC>(dc), HelpFontHandle(font));
    SIZE size{};
    GetTextExtentPoint32A(static_cast<HDC>(dc), text, length, &size);
    return size.cx;
}

int MeasureLine(void* dc, HelpFont font) {
    ScopedSelect select(static_cast<HDC>(dc), HelpFontHandle(font));
    TEXTMETRICA tm{};
    GetTextMetricsA(static_cast<HDC>(dc), &tm);
    return tm.tmHeight + tm.tmExternalLeading;
}

// ---- Topic view ----

struct TopicView {
    const HelpBook* book = nullptr; // that the topic's links index
    HelpTopic topic;
    HelpLayout layout;
    int scroll = 0;
};

TopicView* ViewOf(HWND window) {
    return reinterpret_cast<TopicView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

int ClientHeight(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return r.bottom;
}

void UpdateScrollBar(HWND window, TopicView* v) {
    int page = ClientHeight(window);
    int total = v->layout.height + 2 * kMargin;
    v->scroll = std::max(0, std::min(v->scroll, total - page));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMax = total - 1;
    si.nPage = page;
    si.nPos = v->scroll;
    SetScrollInfo(window, SB_VERT, &si, TRUE);
}

void Relayout(HWND window, TopicView* v) {
    RECT r;
    GetClientRect(window, &r);
    v->layout = LayOutForScreen(v->topic, true, std::max(40, (int)r.right - 2 * kMargin));
    UpdateScrollBar(window, v);
    InvalidateRect(window, nullptr, TRUE);
}

void ScrollTo(HWND window, TopicView* v, int position) {
    v->scroll = position;
    UpdateScrollBar(window, v);
    InvalidateRect(window, nullptr, TRUE);
}

// One line of body text: the step of the arrows and the wheel.
int LineStep() {
    static int step = 0;
    if (!step) {
        WindowDc screen(nullptr);
        step = MeasureLine(screen.Get(), HelpFont::Body);
    }
    return step;
}

LRESULT OnViewPaint(HWND window, WPARAM, LPARAM) {
    TopicView* v = ViewOf(window);
    PaintDc paint(window);
    ScopedBkMode transparent(paint.Get(), TRANSPARENT);
    DrawHelpLayout(paint.Get(), v->layout, kMargin, kMargin - v->scroll,
                   GetSysColor(COLOR_WINDOWTEXT));
    return 0;
}

LRESULT OnViewSize(HWND window, WPARAM, LPARAM) {
    TopicView* v = ViewOf(window);
    Relayout(window, v);
    return 0;
}

LRESULT OnViewScroll(HWND window, WPARAM wParam, LPARAM) {
    TopicView* v = ViewOf(window);
    int page = ClientHeight(window);
    int line = LineStep();
    switch (LOWORD(wParam)) {
    case SB_LINEUP: ScrollTo(window, v, v->scroll - line); break;
    case SB_LINEDOWN: ScrollTo(window, v, v->scroll + line); break;
    case SB_PAGEUP: ScrollTo(window, v, v->scroll - page + line); break;
    case SB_PAGEDOWN: ScrollTo(window, v, v->scroll + page - line); break;
    case SB_TOP: ScrollTo(window, v, 0); break;
    case SB_BOTTOM: ScrollTo(window, v, v->layout.height); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(window, SB_VERT, &si);
        ScrollTo(window, v, si.nTrackPos);
        break;
    }
    }
    return 0;
}

LRESULT OnViewWheel(HWND window, WPARAM wParam, LPARAM) {
    TopicView* v = ViewOf(window);
    int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    ScrollTo(window, v, v->scroll - notches * 3 * LineStep());
    return 0;
}

LRESULT OnViewKey(HWND window, WPARAM wParam, LPARAM lParam) {
    static const struct {
        WPARAM key;
        WORD scroll;
    } kKeys[] = {{VK_UP, SB_LINEUP},     {VK_DOWN, SB_LINEDOWN}, {VK_PRIOR, SB_PAGEUP},
                 {VK_NEXT, SB_PAGEDOWN}, {VK_HOME, SB_TOP},      {VK_END, SB_BOTTOM}};
    for (const auto& k : kKeys)
        if (k.key == wParam) return OnViewScroll(window, k.scroll, 0);
    return DefWindowProcA(window, WM_KEYDOWN, wParam, lParam);
}

int LinkAtPoint(TopicView* v, LPARAM lParam) {
    return HelpLinkAt(v->layout, (short)LOWORD(lParam) - kMargin,
                      (short)HIWORD(lParam) - kMargin + v->scroll);
}

LRESULT OnViewButtonDown(HWND window, WPARAM, LPARAM) {
    SetFocus(window);
    return 0;
}

LRESULT OnViewButtonUp(HWND window, WPARAM, LPARAM lParam) {
    TopicView* v = ViewOf(window);
    int target = LinkAtPoint(v, lParam);
    if (target >= 0)
        PostMessageA(GetParent(window), WM_HELP_LINK, target, reinterpret_cast<LPARAM>(v->book));
    return 0;
}

LRESULT OnViewSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
    TopicView* v = ViewOf(window);
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    if (LOWORD(lParam) == HTCLIENT && LinkAtPoint(v, MAKELPARAM(p.x, p.y)) >= 0) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
    }
    return DefWindowProcA(window, WM_SETCURSOR, wParam, lParam);
}

LRESULT OnViewGetDlgCode(HWND, WPARAM, LPARAM) {
    return DLGC_WANTARROWS;
}

// The view's state is made with the window and goes with it.
LRESULT OnViewNcCreate(HWND window, WPARAM wParam, LPARAM lParam) {
    SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR) new TopicView);
    return DefWindowProcA(window, WM_NCCREATE, wParam, lParam);
}

LRESULT OnViewNcDestroy(HWND window, WPARAM wParam, LPARAM lParam) {
    delete ViewOf(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return DefWindowProcA(window, WM_NCDESTROY, wParam, lParam);
}

const WindowMessageHandler kViewHandlers[] = {
    {WM_NCCREATE, OnViewNcCreate},     {WM_NCDESTROY, OnViewNcDestroy},
    {WM_PAINT, OnViewPaint},           {WM_SIZE, OnViewSize},
    {WM_VSCROLL, OnViewScroll},        {WM_MOUSEWHEEL, OnViewWheel},
    {WM_KEYDOWN, OnViewKey},           {WM_LBUTTONDOWN, OnViewButtonDown},
    {WM_LBUTTONUP, OnViewButtonUp},    {WM_SETCURSOR, OnViewSetCursor},
    {WM_GETDLGCODE, OnViewGetDlgCode},
};

// ---- Pop-up ----

// The pop-up goes at the next key or click anywhere in the program, which it uses up, and when
// the program stops being the one in front. It never takes the focus, so the window beneath keeps
// its active look and its focused control.
HWND g_popup;
HHOOK g_popupHook;
constexpr UINT_PTR kPopupWatch = 1;

struct Popup {
    HelpLayout layout;
    HWND owner;
};

bool EndsPopup(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: return true;
    }
    return false;
}

LRESULT CALLBACK PopupMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && g_popup && EndsPopup(msg->message)) {
        msg->message = WM_NULL;
        CloseHelpPopup();
    }
    return CallNextHookEx(g_popupHook, code, wParam, lParam);
}

Popup* PopupOf(HWND window) {
    return reinterpret_cast<Popup*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT OnPopupPaint(HWND window, WPARAM, LPARAM) {
    PaintDc paint(window);
    ScopedBkMode transparent(paint.Get(), TRANSPARENT);
    if (Popup* p = PopupOf(window))
        DrawHelpLayout(paint.Get(), p->layout, kPopupMargin, kPopupMargin,
                       GetSysColor(COLOR_INFOTEXT));
    return 0;
}

LRESULT OnPopupMouseActivate(HWND, WPARAM, LPARAM) {
    return MA_NOACTIVATEANDEAT;
}

LRESULT OnPopupTimer(HWND window, WPARAM, LPARAM) {
    Popup* p = PopupOf(window);
    if (p && GetForegroundWindow() != p->owner) CloseHelpPopup();
    return 0;
}

LRESULT OnPopupNcDestroy(HWND window, WPARAM, LPARAM) {
    delete PopupOf(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    // Gone with its owner: the next key or click belongs to the program again.
    if (g_popup == window) {
        g_popup = nullptr;
        CloseHelpPopup();
    }
    return 0;
}

const WindowMessageHandler kPopupHandlers[] = {
    {WM_PAINT, OnPopupPaint},
    {WM_MOUSEACTIVATE, OnPopupMouseActivate},
    {WM_TIMER, OnPopupTimer},
    {WM_NCDESTROY, OnPopupNcDestroy},
};

// Below the control when it fits on the screen, else above it; never past the screen's edges.
POINT PopupPlace(HWND control, int width, int height) {
    RECT c, work;
    GetWindowRect(control, &c);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoA(MonitorFromRect(&c, MONITOR_DEFAULTTONEAREST), &mi);
    work = mi.rcWork;
    POINT at{c.left, c.bottom + 2};
    if (at.y + height > work.bottom) at.y = c.top - height - 2;
    at.x = std::max(work.left, std::min((LONG)at.x, work.right - width));
    at.y = std::max(work.top, std::min((LONG)at.y, work.bottom - height));
    return at;
}

void RegisterPopup(HINSTANCE instance) {
    static bool done = false;
    if (done) return;
    WNDCLASSA wc{};
    wc.style = CS_DROPSHADOW | CS_SAVEBITS;
    wc.lpfnWndProc = WindowProcedure<kPopupHandlers>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_INFOBK);
    wc.lpszClassName = kPopupClass;
    done = RegisterClassA(&wc) != 0;
}

} // namespace

HFONT HelpFontHandle(HelpFont font) {
    static HFONT fonts[5];
    if (!fonts[0]) {
        NONCLIENTMETRICSA ncm{};
        ncm.cbSize = sizeof ncm;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
        LOGFONTA base = ncm.lfMessageFont;
        if (base.lfHeight > -13 && base.lfHeight < 0) base.lfHeight = -13; // a readable size
        fonts[(int)HelpFont::Body] = MakeFont(base, 100, false, false);
        fonts[(int)HelpFont::Bold] = MakeFont(base, 100, true, false);
        fonts[(int)HelpFont::Link] = MakeFont(base, 100, false, true);
        fonts[(int)HelpFont::Heading] = MakeFont(base, 115, true, false);
        fonts[(int)HelpFont::Title] = MakeFont(base, 140, true, false);
    }
    return fonts[(int)font];
}

HelpLayout LayOutForScreen(const HelpTopic& topic, bool withTitle, int width) {
    WindowDc screen(nullptr);
    return LayOutHelpTopic(
        topic, withTitle, width,
        {.context = screen.Get(), .textWidth = MeasureText, .lineHeight = MeasureLine});
}

void DrawHelpLayout(HDC dc, const HelpLayout& layout, int left, int top, COLORREF text) {
    ScopedTextColor colour(dc, text);
    for (const HelpPiece& p : layout.pieces) {
        ScopedSelect font(dc, HelpFontHandle(p.font));
        SetTextColor(dc, p.font == HelpFont::Link    ? kLinkColour
                         : p.font == HelpFont::Title ? kTitleColour
                                                     : text);
        TextOutA(dc, left + p.x, top + p.y, p.text.data(), (int)p.text.size());
    }
}

void RegisterHelpTopicView(HINSTANCE instance) {
    static bool done = false;
    if (done) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProcedure<kViewHandlers>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kHelpTopicViewClass;
    done = RegisterClassA(&wc) != 0;
}

void ShowTopicInView(HWND view, const HelpBook* book, const HelpTopic& topic) {
    TopicView* v = ViewOf(view);
    if (!v) return;
    v->book = book;
    v->topic = topic;
    v->scroll = 0;
    SetWindowTextA(view, topic.title.c_str());
    Relayout(view, v);
}

void ShowHelpPopup(HWND control, const HelpTopic& topic) {
    CloseHelpPopup();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterPopup(instance);
    auto* p = new Popup;
    p->layout = LayOutForScreen(topic, false, kPopupWidth);
    p->owner = GetAncestor(control, GA_ROOT);
    int width = p->layout.width + 2 * kPopupMargin + 2;
    int height = p->layout.height + 2 * kPopupMargin + 2;
    POINT at = PopupPlace(control, width, height);
    HWND popup = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kPopupClass,
                                 HelpPlainText(topic).c_str(), WS_POPUP | WS_BORDER, at.x, at.y,
                                 width, height, p->owner, nullptr, instance, nullptr);
    if (!popup) {
        delete p;
        return;
    }
    SetWindowLongPtrA(popup, GWLP_USERDATA, (LONG_PTR)p);
    g_popup = popup;
    g_popupHook = SetWindowsHookExA(WH_GETMESSAGE, PopupMessageHook, nullptr, GetCurrentThreadId());
    SetTimer(popup, kPopupWatch, 250, nullptr);
    ShowWindow(popup, SW_SHOWNOACTIVATE);
}

void CloseHelpPopup() {
    if (g_popupHook) UnhookWindowsHookEx(g_popupHook);
    g_popupHook = nullptr;
    HWND popup = g_popup;
    g_popup = nullptr;
    if (popup) DestroyWindow(popup);
}
