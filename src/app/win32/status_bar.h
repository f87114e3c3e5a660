#pragma once
// The main window's status bar: parts that follow the window's width, and menu help.
#include "app/status_bar_layout.h"

#include <windows.h>

struct StatusBar {
    int partCount = 0;
    HWND window = nullptr;
    HINSTANCE instance = nullptr;
    int positions[kMaxStatusPositions] = {};

    // False, creating nothing, for more than kMaxStatusPositions positions; false when the window
    // cannot be made. The initial text goes into part 0.
    bool Create(HWND parent, HINSTANCE instance, const char* initialText, int partCount,
                const int* positions);
    // Re-computes the parts for the parent's width and keeps the bar along its bottom.
    void Layout();
    void SetText(int part, const char* text);
    int Height() const;
    // WM_MENUSELECT: the highlighted command's help string across the bar.
    void MenuSelect(WPARAM wParam, LPARAM lParam);
};
