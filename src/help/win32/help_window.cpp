// The help window: buttons along the top, the contents list or the search on the left, the topic
// on the right. One for the program; it goes when closed and comes back where it was.
#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/win32/gdi_objects.h"
#include "base/win32/message_table.h"
#include "help/win32/help_internal.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

enum : int {
    IdContentsButton = 1,
    IdSearchButton = 2,
    IdBackButton = 3,
    IdContentsList = 10,
    IdSearchLabel = 11,
    IdSearchEdit = 12,
    IdResults = 13,
    IdTopic = 20,
};

const char kHelpWindowClass[] = "ZrtHelpWindow";
constexpr int kNoTopic = -2; // nothing shown yet in this book (-1 is the page for a missing topic)
constexpr int kGap = 6;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;

struct HelpWindow {
    HWND window = nullptr;
    const HelpBook* book = nullptr;
    std::vector<HelpContentsItem> contents;
    std::vector<HelpIndexEntry> results;
    std::vector<int> history; // topics shown before the current one; -1 is the missing page
    int topic = kNoTopic;
    bool searching = false;
    RECT place{}; // where the window was last, while the program runs
};

HelpWindow g_help;
WNDPROC g_editProc;

HWND Child(int id) {
    return GetDlgItem(g_help.window, id);
}

void ShowTopic(int topic, bool remember);

void SelectContentsItemOf(int topic) {
    for (size_t i = 0; i < g_help.contents.size(); ++i)
        if (g_help.contents[i].topic == topic && topic >= 0) {
            SendMessageA(Child(IdContentsList), LB_SETCURSEL, i, 0);
            return;
        }
    SendMessageA(Child(IdContentsList), LB_SETCURSEL, (WPARAM)-1, 0);
}

void ShowTopic(int topic, bool remember) {
    if (remember && g_help.topic != kNoTopic) g_help.history.push_back(g_help.topic);
    g_help.topic = topic;
    ShowTopicInView(Child(IdTopic), g_help.book,
                    topic >= 0 ? g_help.book->topics[topic] : MissingHelpTopic());
    EnableWindow(Child(IdBackButton), !g_help.history.empty());
    if (!g_help.searching) SelectContentsItemOf(topic);
}

void FillResults() {
    char query[256];
    GetWindowTextA(Child(IdSearchEdit), query, sizeof query);
    g_help.results = g_help.book->Search(query);
    HWND list = Child(IdResults);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const HelpIndexEntry& e : g_help.results)
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)e.label.c_str());
    if (!g_help.results.empty()) SendMessageA(list, LB_SETCURSEL, 0, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void ShowSelectedResult() {
    int i = (int)SendMessageA(Child(IdResults), LB_GETCURSEL, 0, 0);
    if (i >= 0 && i < (int)g_help.results.size()) {
        int topic = g_help.results[i].topic;
        if (topic != g_help.topic) ShowTopic(topic, true);
    }
}

void Layout() {
    RECT r;
    GetClientRect(g_help.window, &r);
    int x = kGap;
    for (int id : {IdContentsButton, IdSearchButton, IdBackButton}) {
        MoveWindow(Child(id), x, kGap, kButtonWidth, kButtonHeight, TRUE);
        x += kButtonWidth + kGap;
    }
    int top = kButtonHeight + 2 * kGap;
    int height = std::max(0, (int)r.bottom - top - kGap);
    int left = std::min(260, (int)r.right * 35 / 100);
    MoveWindow(Child(IdContentsList), kGap, top, left, height, TRUE);
    MoveWindow(Child(IdSearchLabel), kGap, top, left, 20, TRUE);
    MoveWindow(Child(IdSearchEdit), kGap, top + 22, left, 24, TRUE);
    MoveWindow(Child(IdResults), kGap, top + 52, left, std::max(0, height - 52), TRUE);
    int viewLeft = left + 2 * kGap;
    MoveWindow(Child(IdTopic), viewLeft, top, std::max(0, (int)r.right - viewLeft - kGap), height,
               TRUE);
}

void SetSearching(bool searching) {
    g_help.searching = searching;
    ShowWindow(Child(IdContentsList), searching ? SW_HIDE : SW_SHOW);
    for (int id : {IdSearchLabel, IdSearchEdit, IdResults})
        ShowWindow(Child(id), searching ? SW_SHOW : SW_HIDE);
    if (searching) {
        SetFocus(Child(IdSearchEdit));
        SendMessageA(Child(IdSearchEdit), EM_SETSEL, 0, -1);
    } else {
        SelectContentsItemOf(g_help.topic);
    }
}

// Enter shows the chosen entry; the arrows move through the entries from the edit.
LRESULT OnSearchKeyDown(HWND edit, WPARAM wParam, LPARAM lParam) {
    if (wParam != VK_UP && wParam != VK_DOWN)
        return CallWindowProcA(g_editProc, edit, WM_KEYDOWN, wParam, lParam);
    HWND list = Child(IdResults);
    int i = (int)SendMessageA(list, LB_GETCURSEL, 0, 0) + (wParam == VK_DOWN ? 1 : -1);
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (i >= 0 && i < count) SendMessageA(list, LB_SETCURSEL, i, 0);
    return 0;
}

LRESULT OnSearchChar(HWND edit, WPARAM wParam, LPARAM lParam) {
    if (wParam != '\r') return CallWindowProcA(g_editProc, edit, WM_CHAR, wParam, lParam);
    ShowSelectedResult();
    return 0;
}

const WindowMessageHandler kSearchEditHandlers[] = {
    {WM_KEYDOWN, OnSearchKeyDown},
    {WM_CHAR, OnSearchChar},
};

// Every other message goes to the edit control's own procedure.
LRESULT CALLBACK SearchEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto handle = FindMessageHandler(kSearchEditHandlers, message))
        return handle(edit, wParam, lParam);
    return CallWindowProcA(g_editProc, edit, message, wParam, lParam);
}

HWND AddChild(HWND parent, const char* cls, const char* text, DWORD style, DWORD exStyle, int id) {
    HWND child = CreateWindowExA(exStyle, cls, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                                 (HMENU)(INT_PTR)id, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, (WPARAM)HelpFontHandle(HelpFont::Body), FALSE);
    return child;
}

LRESULT OnCreate(HWND window, WPARAM, LPARAM) {
    g_help.window = window;
    char text[64];
    const DWORD button = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    AddChild(window, "BUTTON", (LoadResString(str::HelpContentsButton, text, sizeof text), text),
             button, 0, IdContentsButton);
    AddChild(window, "BUTTON", (LoadResString(str::HelpSearchButton, text, sizeof text), text),
             button, 0, IdSearchButton);
    AddChild(window, "BUTTON", (LoadResString(str::HelpBackButton, text, sizeof text), text),
             button, 0, IdBackButton);
    const DWORD list = WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    AddChild(window, "LISTBOX", "", list | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
             WS_EX_CLIENTEDGE, IdContentsList);
    AddChild(window, "STATIC", (LoadResString(str::HelpSearchLabel, text, sizeof text), text), 0, 0,
             IdSearchLabel);
    HWND edit =
        AddChild(window, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IdSearchEdit);
    g_editProc = (WNDPROC)SetWindowLongPtrA(edit, GWLP_WNDPROC, (LONG_PTR)SearchEditProc);
    AddChild(window, "LISTBOX", "", list, WS_EX_CLIENTEDGE, IdResults);
    AddChild(window, kHelpTopicViewClass, "", WS_VISIBLE | WS_VSCROLL | WS_TABSTOP,
             WS_EX_CLIENTEDGE, IdTopic);
    return 0;
}

LRESULT OnSize(HWND, WPARAM, LPARAM) {
    Layout();
    return 0;
}

LRESULT OnCommand(HWND, WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case IdContentsButton:
        SetSearching(false);
        ShowTopic(g_help.book->contents, true);
        break;
    case IdSearchButton: SetSearching(true); break;
    case IdBackButton:
        if (!g_help.history.empty()) {
            int topic = g_help.history.back();
            g_help.history.pop_back();
            ShowTopic(topic, false);
        }
        break;
    case IdContentsList:
        if (HIWORD(wParam) == LBN_SELCHANGE) {
            int i = (int)SendMessageA(Child(IdContentsList), LB_GETCURSEL, 0, 0);
            if (i >= 0 && i < (int)g_help.contents.size() && g_help.contents[i].topic >= 0 &&
                g_help.contents[i].topic != g_help.topic)
                ShowTopic(g_help.contents[i].topic, true);
        }
        break;
    case IdSearchEdit:
        if (HIWORD(wParam) == EN_CHANGE) FillResults();
        break;
    case IdResults:
        if (HIWORD(wParam) == LBN_SELCHANGE || HIWORD(wParam) == LBN_DBLCLK) ShowSelectedResult();
        break;
    }
    return 0;
}

LRESULT OnLink(HWND, WPARAM wParam, LPARAM lParam) {
    int topic = g_help.book
                    ? g_help.book->LinkedTopic(reinterpret_cast<const HelpBook*>(lParam), wParam)
                    : -1;
    if (topic >= 0) ShowTopic(topic, true);
    return 0;
}

LRESULT OnMeasureItem(HWND, WPARAM, LPARAM lParam) {
    auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    WindowDc screen(nullptr);
    ScopedSelect font(screen.Get(), HelpFontHandle(HelpFont::Body));
    TEXTMETRICA tm;
    GetTextMetricsA(screen.Get(), &tm);
    m->itemHeight = tm.tmHeight + 4;
    return TRUE;
}

// Contents headings in bold, topics indented under them.
LRESULT OnDrawItem(HWND, WPARAM, LPARAM lParam) {
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (d->itemID == (UINT)-1 || d->itemID >= g_help.contents.size()) return TRUE;
    const HelpContentsItem& item = g_help.contents[d->itemID];
    bool heading = item.topic < 0;
    bool selected = (d->itemState & ODS_SELECTED) && !heading;
    FillRect(d->hDC, &d->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    {
        ScopedBkMode transparent(d->hDC, TRANSPARENT);
        ScopedTextColor colour(d->hDC,
                               GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        ScopedSelect font(d->hDC, HelpFontHandle(heading ? HelpFont::Bold : HelpFont::Body));
        RECT r = d->rcItem;
        r.left += 4 + 14 * item.level;
        DrawTextA(d->hDC, item.label.c_str(), -1, &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((d->itemState & ODS_FOCUS) && !heading) DrawFocusRect(d->hDC, &d->rcItem);
    return TRUE;
}

LRESULT OnDestroy(HWND window, WPARAM, LPARAM) {
    if (!IsIconic(window) && !IsZoomed(window)) GetWindowRect(window, &g_help.place);
    g_help.window = nullptr;
    g_help.book = nullptr;
    g_help.topic = kNoTopic;
    g_help.history.clear();
    return 0;
}

const WindowMessageHandler kHandlers[] = {
    {WM_CREATE, OnCreate},           {WM_SIZE, OnSize},
    {WM_COMMAND, OnCommand},         {WM_HELP_LINK, OnLink},
    {WM_MEASUREITEM, OnMeasureItem}, {WM_DRAWITEM, OnDrawItem},
    {WM_DESTROY, OnDestroy},
};

bool Register(HINSTANCE instance) {
    static bool done = false;
    if (done) return true;
    RegisterHelpTopicView(instance);
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProcedure<kHandlers>;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(110));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kHelpWindowClass;
    done = RegisterClassA(&wc) != 0;
    return done;
}

// Right of the screen's middle at first, so that the program stays in sight.
RECT FirstPlace() {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int width = std::min(660, (int)(work.right - work.left));
    int height = std::min(520, (int)(work.bottom - work.top));
    int left = std::max((int)work.left, (int)work.right - width - 20);
    return {left, work.top + 40, left + width, work.top + 40 + height};
}

// Opens the window on `book`, or turns the open window to it. False when it cannot be made.
bool OpenOn(const HelpBook* book) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!g_help.window) {
        if (!Register(instance)) return false;
        if (IsRectEmpty(&g_help.place)) g_help.place = FirstPlace();
        const RECT& p = g_help.place;
        CreateWindowExA(0, kHelpWindowClass, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, p.left,
                        p.top, p.right - p.left, p.bottom - p.top, nullptr, nullptr, instance,
                        nullptr);
        if (!g_help.window) return false;
        Layout();
    }
    if (g_help.book != book) {
        g_help.book = book;
        g_help.history.clear();
        g_help.topic = kNoTopic;
        SetWindowTextA(g_help.window, book->title.c_str());
        g_help.contents = book->ContentsItems();
        HWND list = Child(IdContentsList);
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (const HelpContentsItem& item : g_help.contents)
            SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)item.label.c_str());
        SetWindowTextA(Child(IdSearchEdit), "");
        FillResults();
    }
    return true;
}

void BringForward() {
    ShowWindow(g_help.window, IsIconic(g_help.window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(g_help.window);
}

} // namespace

void ShowHelpTopic(const HelpBook* book, int topic, bool missing) {
    if (!OpenOn(book)) return;
    if (g_help.searching) SetSearching(false);
    ShowTopic(missing ? -1 : topic, true);
    BringForward();
}

void ShowHelpContents(const HelpBook* book) {
    ShowHelpTopic(book, book->contents, false);
}

void ShowHelpSearch(const HelpBook* book, const char* query) {
    if (!OpenOn(book)) return;
    if (g_help.topic == kNoTopic) ShowTopic(book->contents, false);
    SetWindowTextA(Child(IdSearchEdit), query);
    FillResults();
    BringForward();
    SetSearching(true);
    if (*query && g_help.results.size() == 1) ShowSelectedResult();
}

void CloseHelpWindow() {
    if (g_help.window) DestroyWindow(g_help.window);
}
