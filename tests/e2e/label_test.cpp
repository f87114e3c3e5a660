// The label view as a technician uses it, in one run of the program: the label filling the
// window's width at start, the zoom commands and keys, scrolling, the rubber band, the document
// changing under a zoomed view, and the picture on the clipboard. Leaves screenshots of the
// label (with the expansion board) in the artefacts.
#include "steps.h"

#include "base/win32/gdi_objects.h"

#include <cmath>
#include <tuple>

namespace {

using namespace e2e;

struct Bar {
    int min = -1, max = -1, page = -1, pos = -1, enabled = -1;
};

Bar ScrollBar(App& app, HWND view, int which) {
    std::string text;
    Bar b;
    if (app.ProbeCall(ProbeScrollBar, view, which, 0, &text) != kProbeNoItem)
        std::sscanf(text.c_str(), "%d %d %d %d %d", &b.min, &b.max, &b.page, &b.pos, &b.enabled);
    return b;
}

int Zoom(App& app) {
    int zoom = 0;
    std::sscanf(app.StatusText(1).c_str(), "%d%%", &zoom);
    return zoom;
}

RECT ClientOnScreen(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Under Wine a move sent as input may come late, and the program may still take an older pointer
// position from the X server after SetCursorPos: move until the pointer stays where it was put.
void MouseTo(App& app, int x, int y) {
    WaitUntil([&] {
        SetCursorPos(x, y);
        Sleep(30);
        app.WaitIdle();
        POINT at;
        return GetCursorPos(&at) && at.x == x && at.y == y;
    });
}

void Button(App& app, bool down) {
    mouse_event(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Sleep(30);
    app.WaitIdle();
}

bool CursorConfined() {
    RECT clip;
    GetClipCursor(&clip);
    return clip.right - clip.left < GetSystemMetrics(SM_CXSCREEN);
}

// Presses at `from`, drags to `to` and lets go; tells whether the cursor was confined while the
// button was down.
bool Drag(App& app, POINT from, POINT to) {
    MouseTo(app, from.x, from.y);
    Button(app, true);
    MouseTo(app, (from.x + to.x) / 2, (from.y + to.y) / 2);
    MouseTo(app, to.x, to.y);
    bool confined = CursorConfined();
    Button(app, false);
    return confined;
}

// A controller with the expansion board: 24 stops with the up calls on the board, every relay in
// use, a display on PN.
ControllerConfig ExpandedSample() {
    ControllerConfig c = Identity(345, 2);
    c.controllerFunction = 1, c.controlType = 4, c.screenSystem = 2;
    c.stopCount = c.lastServedStop = 24;
    rebuildServedStopFlags(c);
    std::memcpy(c.stopNames[0], "PB", 3);
    for (int k = 0; k < kRelayCount; ++k)
        c.relayFunction[k] = (uint8_t)(k + 1);
    return c;
}

TEST(Label, ViewZoomScrollMouseDocumentAndClipboard) {
    App app;
    ASSERT_TRUE(LaunchWith(app, ExpandedSample()));
    HWND view = app.FindChild("ETIVENT");
    ASSERT_TRUE(view);
    SetForegroundWindow(app.MainWindow());
    // A key as the main window receives it while it has the keyboard: accelerators included.
    auto key = [&](WPARAM k) { app.Post(WM_KEYDOWN, k, 1); };
    auto viewPixels = [&] { // every third pixel of every third row
        WindowDc dc(nullptr);
        RECT r = ClientOnScreen(view);
        std::vector<COLORREF> pixels;
        for (int y = r.top; y < r.bottom; y += 3)
            for (int x = r.left; x < r.right; x += 3)
                pixels.push_back(GetPixel(dc.Get(), x, y));
        return pixels;
    };

    // Between the toolbar and the status bar, the page's width filling it, at the top.
    RECT client = ClientOnScreen(view);
    RECT placed, toolbar, status;
    GetWindowRect(view, &placed);
    GetWindowRect(app.FindChild(TOOLBARCLASSNAMEA), &toolbar);
    GetWindowRect(app.FindChild(STATUSCLASSNAMEA), &status);
    EXPECT_TRUE(placed.top == toolbar.bottom && placed.bottom == status.top);
    Bar h = ScrollBar(app, view, SB_HORZ), v = ScrollBar(app, view, SB_VERT);
    EXPECT_NEAR(h.page, 1431, 5);
    EXPECT_EQ(std::tuple(h.max, h.enabled, v.pos, v.enabled), std::tuple(1430, 0, 0, 1))
        << "the horizontal bar disabled, not hidden";
    EXPECT_TRUE(SaveScreenshot(app.MainWindow(), "label_width"));

    // The width zoom; commands, and keys (negative) through the accelerators.
    ASSERT_TRUE(app.Command(CMD_FIT_WIDTH));
    int zoom = Zoom(app), width = client.right - client.left;
    const std::pair<int, double> steps[] = {{CMD_ZOOM_IN, 1.2},   {-VK_SUBTRACT, 1},
                                            {-VK_ADD, 1.2},       {-VK_OEM_PLUS, 1.44},
                                            {-VK_OEM_MINUS, 1.2}, {CMD_ZOOM_OUT, 1}};
    for (auto [step, factor] : steps) {
        step > 0 ? (void)app.Command(step) : key(-step);
        EXPECT_NEAR(Zoom(app), zoom * factor, zoom * 0.03) << step;
    }

    // Scrolling by keys, about twice the width zoom: End, Home, a page down, right and left; the
    // zoom has kept the view's centre, and the first Left goes back to the page's left edge.
    for (int i = 0; i < 4; ++i)
        key(VK_ADD);
    h = ScrollBar(app, view, SB_HORZ), v = ScrollBar(app, view, SB_VERT);
    ASSERT_EQ(h.enabled, 1);
    const std::tuple<WPARAM, int, int> keys[] = {{VK_END, SB_VERT, 2330 - v.page},
                                                 {VK_HOME, SB_VERT, 0},
                                                 {VK_LEFT, SB_HORZ, 0},
                                                 {VK_RIGHT, SB_HORZ, (int)(0.9f * h.page)},
                                                 {VK_LEFT, SB_HORZ, 0}};
    for (auto [k, bar, pos] : keys) {
        key(k);
        EXPECT_EQ(ScrollBar(app, view, bar).pos, pos) << "key " << k;
    }

    // The wheel, by the system's settings: a notch towards the user scrolls down that many lines
    // (a tenth of the view each), with Shift across; a smooth wheel's half lines add up.
    // With Ctrl it zooms a step about the pointer, which stays over the same point of the label.
    UINT lines = 3, chars = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    SystemParametersInfoA(SPI_GETWHEELSCROLLCHARS, 0, &chars, 0);
    POINT pointer{client.left + width / 3, client.top + (client.bottom - client.top) / 3};
    auto wheel = [&](WORD keys, int delta) {
        app.Post(WM_MOUSEWHEEL, MAKEWPARAM(keys, (WORD)(short)delta),
                 MAKELPARAM(pointer.x, pointer.y));
    };
    h = ScrollBar(app, view, SB_HORZ), v = ScrollBar(app, view, SB_VERT);
    const int n = (int)lines, halfLine = WHEEL_DELTA / (2 * n);
    for (auto [delta, moved] : {std::pair(-WHEEL_DELTA, n), {-halfLine, n}, {-halfLine, n + 1}}) {
        wheel(0, delta);
        EXPECT_EQ(ScrollBar(app, view, SB_VERT).pos, v.pos + moved * (int)(0.1f * v.page)) << delta;
    }
    wheel(MK_SHIFT, -WHEEL_DELTA);
    EXPECT_EQ(ScrollBar(app, view, SB_HORZ).pos, h.pos + (int)chars * (int)(0.1f * h.page));
    // The label point under the pointer, from the scroll bars (the page fills the view).
    auto underPointer = [&] {
        Bar hb = ScrollBar(app, view, SB_HORZ), vb = ScrollBar(app, view, SB_VERT);
        return std::pair(hb.pos + (pointer.x - client.left) * hb.page / (double)width,
                         vb.pos + (pointer.y - client.top) * vb.page /
                                      (double)(client.bottom - client.top));
    };
    zoom = Zoom(app);
    auto [x0, y0] = underPointer();
    wheel(MK_CONTROL, WHEEL_DELTA);
    EXPECT_NEAR(Zoom(app), zoom * 1.2, zoom * 0.03);
    auto [x1, y1] = underPointer();
    EXPECT_TRUE(std::abs(x1 - x0) < 4 && std::abs(y1 - y0) < 4) << x0 << "," << y0;
    wheel(MK_CONTROL, -WHEEL_DELTA);
    EXPECT_NEAR(Zoom(app), zoom, zoom * 0.03);

    // The whole label: a rectangle dragged over the page is zoomed to; the cursor stays on the
    // page meanwhile.
    ASSERT_TRUE(app.Command(CMD_FIT_WHOLE));
    EXPECT_TRUE(SaveScreenshot(app.MainWindow(), "label_whole"));
    int whole = Zoom(app);
    h = ScrollBar(app, view, SB_HORZ), v = ScrollBar(app, view, SB_VERT);
    EXPECT_EQ(h.enabled + v.enabled, 0);
    POINT centre{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    int height = client.bottom - client.top;
    EXPECT_TRUE(Drag(app, {centre.x - 40, centre.y - 60}, {centre.x + 40, centre.y + 20}));
    EXPECT_FALSE(CursorConfined());
    EXPECT_NEAR(Zoom(app), whole * std::min(width, height) / 80.0, whole * 0.1);
    // A box taking the mouse mid-drag ends it without a zoom and frees the cursor.
    ASSERT_TRUE(app.Command(CMD_FIT_WHOLE));
    MouseTo(app, centre.x, centre.y);
    Button(app, true);
    MouseTo(app, centre.x + 30, centre.y + 30);
    EXPECT_TRUE(CursorConfined());
    SendWithTimeout(view, WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(CursorConfined());
    Button(app, false);
    EXPECT_EQ(Zoom(app), whole);

    // An edit repaints the label where it was, at the same zoom (at the page's foot, where the
    // system number is).
    ASSERT_TRUE(app.Command(CMD_FIT_WIDTH));
    MouseTo(app, 0, GetSystemMetrics(SM_CYSCREEN) - 1);
    key(VK_END);
    h = ScrollBar(app, view, SB_HORZ), v = ScrollBar(app, view, SB_VERT);
    std::vector<COLORREF> before = viewPixels();
    ASSERT_TRUE(EditSystemNumber(app, 7));
    Bar h2 = ScrollBar(app, view, SB_HORZ), v2 = ScrollBar(app, view, SB_VERT);
    EXPECT_TRUE(h2.pos == h.pos && h2.page == h.page && v2.pos == v.pos && v2.page == v.page);
    EXPECT_NE(viewPixels(), before) << "the label was not repainted";

    // Ctrl+C: a metafile picture of the whole label, 1000 : 1900 without a preferred size, and a
    // bitmap of 1100 x 2090 units on white at 300 dpi of the printed size (1900 units: 6.49 in).
    ASSERT_TRUE(app.Post(WM_CHAR, 3, 1));
    EXPECT_EQ(app.StatusText(0), "La etiqueta fue copiada al portapapeles.");
    // Another process gets a copy of the record; its size shows in the program only.
    EXPECT_EQ(app.ProbeCall(ProbeClipboardPictureSize, app.MainWindow(), 0), sizeof(METAFILEPICT));
    ASSERT_TRUE(OpenClipboard(nullptr));
    auto record = static_cast<HGLOBAL>(GetClipboardData(CF_METAFILEPICT));
    ASSERT_TRUE(record) << "no metafile picture on the clipboard";
    auto* picture = static_cast<METAFILEPICT*>(GlobalLock(record));
    ASSERT_TRUE(picture);
    EXPECT_EQ(std::tuple(picture->mm, picture->xExt, picture->yExt),
              std::tuple(MM_ANISOTROPIC, -1000L, -1900L));
    GlobalUnlock(record);
    auto dib = static_cast<HGLOBAL>(GetClipboardData(CF_DIB));
    ASSERT_TRUE(dib) << "no bitmap on the clipboard";
    auto* bitmap = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    ASSERT_TRUE(bitmap);
    const double dotsPerUnit = 6.49 * 300 / 1900;
    EXPECT_EQ(std::tuple(bitmap->biWidth, bitmap->biHeight, bitmap->biBitCount),
              std::tuple(std::lround(1100 * dotsPerUnit), std::lround(2090 * dotsPerUnit), 24));
    auto* corner = reinterpret_cast<unsigned char*>(bitmap + 1); // the bottom-left pixel
    EXPECT_EQ(corner[0] & corner[1] & corner[2], 0xFF) << "not on white";
    GlobalUnlock(dib);
    CloseClipboard();

    EXPECT_TRUE(MenuScreenshot(app, 'v', "menu_view"));
    // While another program holds the clipboard, the copy says it failed and the clipboard keeps
    // what it had.
    ASSERT_TRUE(OpenClipboard(nullptr));
    const DWORD held = GetClipboardSequenceNumber();
    ASSERT_TRUE(app.Post(WM_CHAR, 3, 1));
    ExpectBox(app, kDefaultCaption,
              W1252("No se pudo copiar la etiqueta al portapapeles. Puede que otro programa lo "
                    "esté usando."));
    EXPECT_EQ(GetClipboardSequenceNumber(), held);
    CloseClipboard();

    SaveQuestion(app, IDNO);
    EXPECT_TRUE(app.WaitForExit());
}

} // namespace
