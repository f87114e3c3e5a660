#pragma once
// The label view: the child window between the main window's toolbar and status bar that shows
// the label of the document's configuration on a white page with a grey shadow, at the zoom
// the user picks (View menu, plus and minus, Ctrl with the wheel, a rectangle dragged with the
// mouse, a double click to centre a point). It scrolls, answers the navigation keys and the wheel
// and never changes the document.
#include "base/win32/gdi_objects.h"
#include "config/controller_config.h"
#include "label/view_state.h"
#include "label/wheel_steps.h"

#include <windows.h>

#include <string>

// Posted to the parent (wParam 0, lParam 0) whenever the zoom changes.
constexpr UINT WM_ZOOM_CHANGED = WM_USER + 10;

extern const char kLabelViewClass[];

// What a label shows: a copy of the configuration and the two company lines of the program
// settings.
struct LabelContent {
    ControllerConfig image;
    const char* line1 = "";
    const char* line2 = "";
};

// What the view reads of the program, once per paint.
struct LabelViewHost {
    void* context;
    void (*read)(void* context, LabelContent* content);
};

// The view behind one window; its window procedure finds it from the window (GWLP_USERDATA).
struct LabelView {
    HWND window = nullptr;
    HWND parent = nullptr;
    LabelViewHost host{};
    ViewState state;
    // The last picture painted and what it showed (`PictureKey`): a repaint that would draw the
    // same again (the view uncovered, a refresh after which nothing changed) copies it instead.
    OwnedBitmap picture;
    std::string pictureKey;
    // What the wheel has turned short of a whole step, per use: scrolling down, across, zooming.
    WheelSteps wheelDown, wheelAcross, wheelZoom;

    // Registers "ETIVENT" and creates the hidden child window at zoom 100; posts
    // WM_ZOOM_CHANGED. False when the class or the window cannot be made.
    bool Create(HINSTANCE instance, HWND parent, const LabelViewHost& host);
    // Fills the parent's client area between bars of these heights, and shows the view.
    void LayoutView(int topHeight, int bottomHeight);
    // Keeps the scroll positions within the page, updates the scroll bars and repaints.
    void RefreshView();

    void FitLabelWidth();
    void FitWholeLabel();
    void ZoomIn();
    void ZoomOut();
    // The wheel (WM_MOUSEWHEEL, WM_MOUSEHWHEEL as the window got them): it scrolls by the
    // system's wheel settings, across with Shift, and zooms about the pointer with Ctrl.
    void Wheel(bool tilt, WPARAM wParam, LPARAM lParam);
    // The zoom as the status bar shows it.
    int ZoomPercent() const { return (int)state.zoomPercent; }

    // Maps label units onto `dc` as the view shows them.
    void ApplyViewMapping(HDC dc) const;
    // Draws the page, its shadow and the label of `content` into `dc`, mapped; the paint handler
    // copies it.
    void DrawPage(HDC dc, const LabelContent& content) const;
    // Everything a painted picture depends on: the content, mapping, size and background colour.
    std::string PictureKey(const LabelContent& content) const;
    // After any zoom: the parent hears of it, the view repaints.
    void ZoomChanged();
};
