#include "app/win32/main_window.h"

#include "app/version_info.h"
#include "app/win32/app_globals.h"
#include "app/win32/document_host.h"
#include "app/win32/main_commands.h"
#include "app/win32/port_watch.h"
#include "app/win32/recent_menu.h"
#include "app/win32/settings_file.h"
#include "app/win32/version_resource.h"
#include "base/cp1252.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/win32/message_table.h"
#include "help/win32/help.h"
#include "link/port_number.h"
#include "res/resource.h"

#include <cstdio>

const char kMainWindowClass[] = "ClaseCNFZRT94";

namespace {

constexpr int kMinimumTrackSize = 330;
constexpr int kStatusPositions[] = {0, -140, -90};

void CloseHelp(HWND window) {
    ProgramHelp(window, kHelpFile, HELP_QUIT, 0);
    ProgramHelp(window, kHelpOnHelpFile, HELP_QUIT, 0);
}

void LayOutLabelView() {
    g_labelView.LayoutView(g_toolbar.Height(), g_statusBar.Height());
}

// Also while the window is being made and first shown, before the bars exist: the placement is
// stored from the start.
LRESULT OnMoveOrSize(HWND window, WPARAM, LPARAM) {
    g_statusBar.Layout();
    g_toolbar.AutoSize();
    RecordWindowPlacement(window);
    SaveSettingsFile(g_settings);
    LayOutLabelView();
    return 0;
}

LRESULT OnGetMinMaxInfo(HWND, WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = kMinimumTrackSize;
    info->ptMinTrackSize.y = kMinimumTrackSize;
    return 0;
}

LRESULT OnClose(HWND window, WPARAM, LPARAM) {
    if (g_document.QuerySave(true)) DestroyWindow(window);
    return 0;
}

LRESULT OnQueryEndSession(HWND window, WPARAM, LPARAM) {
    if (!g_document.QuerySave(false)) return 0;
    RecordWindowPlacement(window);
    SaveSettingsFile(g_settings);
    CloseHelp(window);
    return 1;
}

LRESULT OnDestroy(HWND window, WPARAM, LPARAM) {
    RecordWindowPlacement(window);
    SaveSettingsFile(g_settings);
    CloseHelp(window);
    PostQuitMessage(0);
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (RunCommand(window, LOWORD(wParam), HIWORD(wParam) == 1)) return 0;
    return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
}

LRESULT OnNotify(HWND window, WPARAM wParam, LPARAM lParam) {
    AnswerToolTip(g_instance, lParam);
    return DefWindowProcA(window, WM_NOTIFY, wParam, lParam);
}

LRESULT OnMenuSelect(HWND, WPARAM wParam, LPARAM lParam) {
    g_statusBar.MenuSelect(wParam, lParam);
    return 0;
}

LRESULT OnDocChanged(HWND window, WPARAM, LPARAM) {
    RefreshMainWindow(window);
    return 0;
}

// The label view scrolls with the navigation keys wherever the main window has the focus.
LRESULT OnKeyDown(HWND, WPARAM wParam, LPARAM lParam) {
    PostMessageA(g_labelView.window, WM_KEYDOWN, wParam, lParam);
    return 0;
}

// The wheel comes to the window with the focus; it scrolls and zooms the label view.
LRESULT OnMouseWheel(HWND, WPARAM wParam, LPARAM lParam) {
    g_labelView.Wheel(false, wParam, lParam);
    return 0;
}

LRESULT OnMouseHWheel(HWND, WPARAM wParam, LPARAM lParam) {
    g_labelView.Wheel(true, wParam, lParam);
    return 0;
}

LRESULT OnZoomChanged(HWND, WPARAM, LPARAM) {
    char zoom[16];
    std::snprintf(zoom, sizeof zoom, "%d%%", g_labelView.ZoomPercent());
    g_statusBar.SetText(1, zoom);
    return 0;
}

void ReadLabelContent(void*, LabelContent* content) {
    content->image = g_document.image;
    content->line1 = g_settings.companyLine1;
    content->line2 = g_settings.companyLine2;
}

const LabelViewHost kLabelHost = {.context = nullptr, .read = ReadLabelContent};

const WindowMessageHandler kHandlers[] = {
    {WM_MOVE, OnMoveOrSize},
    {WM_SIZE, OnMoveOrSize},
    {WM_GETMINMAXINFO, OnGetMinMaxInfo},
    {WM_CLOSE, OnClose},
    {WM_QUERYENDSESSION, OnQueryEndSession},
    {WM_DESTROY, OnDestroy},
    {WM_NOTIFY, OnNotify},
    {WM_MENUSELECT, OnMenuSelect},
    {WM_KEYDOWN, OnKeyDown},
    {WM_MOUSEWHEEL, OnMouseWheel},
    {WM_MOUSEHWHEEL, OnMouseHWheel},
    {WM_COMMAND, OnCommand},
    {WM_ZOOM_CHANGED, OnZoomChanged},
    {WM_DOC_CHANGED, OnDocChanged},
    {WM_DEVICECHANGE, OnDeviceChange},
};

} // namespace

const WNDPROC MainWndProc = WindowProcedure<kHandlers>;

void RefreshMainWindow(HWND window) {
    const ControllerConfig& image = g_document.image;
    char title[100];
    if (image.systemNumber != 0)
        std::snprintf(title, sizeof title, ResString(str::TitleWithSystem),
                      (unsigned)image.systemNumber);
    else
        LoadResString(str::TitleWithoutSystem, title, sizeof title);
    SetWindowTextA(window, title);
    char number[256];
    std::snprintf(number, sizeof number, W1252("Nº %05d"), (int)image.systemNumber);
    g_statusBar.SetText(2, number);
    g_statusBar.SetText(1, g_document.modified ? ResString(str::ModifiedMark) : "");
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    g_labelView.RefreshView();
    UpdateCommandStates(window);
}

void RecordWindowPlacement(HWND window) {
    if (IsZoomed(window)) {
        g_settings.windowState = kWindowMaximized;
    } else if (IsIconic(window)) {
        g_settings.windowState = kWindowMinimized;
    } else {
        RECT r;
        GetWindowRect(window, &r);
        g_settings.windowState = kWindowNormal;
        g_settings.left = r.left;
        g_settings.top = r.top;
        g_settings.right = r.right;
        g_settings.bottom = r.bottom;
    }
}

void InitializeApplication(HWND window) {
    // The configuration files carry the program's major version as their format version.
    FixedVersionInfo version;
    ReadFixedVersionInfo(g_instance, &version);
    g_document.Init(Win32DocumentHost(window), ProductMajor(version), ProductMinor(version));
    InitRecentFiles(window);
    g_statusBar.Create(window, g_instance, ResString(str::StatusHelpText),
                       sizeof kStatusPositions / sizeof kStatusPositions[0], kStatusPositions);
    g_commLink.Init(PortOfSetting(g_settings.port), window, g_instance);
    ShowPortState();
    g_toolbar.Create(window, g_instance, kMainToolbar);
    g_printJob.Init(window, g_instance);
    g_labelView.Create(g_instance, window, kLabelHost);
    LayOutLabelView();
    g_labelView.FitLabelWidth();
    g_document.New();
    UpdateCommandStates(window);
}
