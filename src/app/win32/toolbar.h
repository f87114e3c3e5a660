#pragma once
// The main window's toolbar: one button per frequent command, with tool tips.
#include <windows.h>

#include <commctrl.h>

// The creation block: the image strip and the buttons.
struct ToolbarBlock {
    int imageCount;
    int bitmapId;
    int imageWidth, imageHeight;
    const TBBUTTON* buttons;
    int buttonCount;
};

struct Toolbar {
    HWND window = nullptr;

    void Create(HWND parent, HINSTANCE instance, const ToolbarBlock& block);
    void AutoSize();
    int Height() const;
    bool EnableButton(WORD commandId, bool enabled);
};

// The main window's buttons, in order.
extern const ToolbarBlock kMainToolbar;

// WM_NOTIFY: answers a tool tip's text request with string command id + 1. True when handled.
bool AnswerToolTip(HINSTANCE instance, LPARAM lParam);
