#include "app/win32/status_bar.h"

#include <commctrl.h>

bool StatusBar::Create(HWND parent, HINSTANCE inst, const char* initialText, int count,
                       const int* configured) {
    if (count > kMaxStatusPositions) return false;
    partCount = count;
    instance = inst;
    for (int i = 0; i < count; ++i)
        positions[i] = configured[i];
    window =
        CreateStatusWindowA(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_BOTTOM | SBARS_SIZEGRIP,
                            initialText, parent, count);
    if (!window) return false;
    Layout();
    return true;
}

void StatusBar::Layout() {
    if (!window) return;
    RECT bar, parent;
    GetWindowRect(window, &bar);
    GetWindowRect(GetParent(window), &parent);
    int h = bar.bottom - bar.top;
    int width = parent.right - parent.left;
    int y = parent.bottom - parent.top - h;
    int edges[kMaxStatusPositions + 1];
    int parts = StatusPartEdges(positions, partCount, width, edges);
    SendMessageA(window, SB_SETPARTS, parts, reinterpret_cast<LPARAM>(edges));
    // The bar puts itself back along the bottom of the client area when moved.
    MoveWindow(window, 0, y, width, h, TRUE);
    SendMessageA(window, SB_SETTEXTA, (parts - 1) | SBT_NOBORDERS, reinterpret_cast<LPARAM>(""));
}

void StatusBar::SetText(int part, const char* text) {
    if (window) SendMessageA(window, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

int StatusBar::Height() const {
    if (!window) return 0;
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

void StatusBar::MenuSelect(WPARAM wParam, LPARAM lParam) {
    // Only command items have their help string: the table names no pop-up menu.
    static UINT ids[] = {0, 0};
    if (window) MenuHelp(WM_MENUSELECT, wParam, lParam, nullptr, instance, window, ids);
}
