#pragma once
// Owned GDI objects and scoped device-context state. Every pen, brush, font and bitmap the
// program makes is deleted by its owner, and everything selected into a device context is put
// back when the scope ends, so that no drawing leaks an object or leaves a context changed.
#include <windows.h>

// The GDI objects and memory contexts that the owners below hold now. Wine's GetGuiResources
// gives 0, so the soak test reads this instead, through the program's export
// `ZrtLiveGdiObjects`.
inline long g_liveGdiObjects = 0;

// A created pen, brush, font or bitmap, deleted with its owner. Deselect it first: the scope
// that selected it does, when it is declared after the owner.
template <typename Handle> class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) { Reset(handle); }
    ~GdiObject() { Reset(nullptr); }
    GdiObject(GdiObject&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Takes `handle` in place of the object held, which is deleted.
    void Reset(Handle handle) {
        if (handle_) {
            DeleteObject(handle_);
            --g_liveGdiObjects;
        }
        handle_ = handle;
        if (handle_) ++g_liveGdiObjects;
    }

  private:
    Handle handle_ = nullptr;
};

using OwnedPen = GdiObject<HPEN>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedFont = GdiObject<HFONT>;
using OwnedBitmap = GdiObject<HBITMAP>;

// A memory device context compatible with another, deleted with its owner.
class MemoryDc {
  public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {
        if (dc_) ++g_liveGdiObjects;
    }
    ~MemoryDc() {
        if (dc_) {
            DeleteDC(dc_);
            --g_liveGdiObjects;
        }
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HDC dc_;
};

// A window's device context (GetDC), released with its owner.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint .. EndPaint.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_;
    HDC dc_;
};

// Selects an object for the scope and puts back what it replaced. A null object selects
// nothing.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() {
        if (previous_) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Text alignment for the scope.
class ScopedTextAlign {
  public:
    ScopedTextAlign(HDC dc, UINT align) : dc_(dc), previous_(SetTextAlign(dc, align)) {}
    ~ScopedTextAlign() {
        if (previous_ != GDI_ERROR) SetTextAlign(dc_, previous_);
    }
    ScopedTextAlign(const ScopedTextAlign&) = delete;
    ScopedTextAlign& operator=(const ScopedTextAlign&) = delete;

  private:
    HDC dc_;
    UINT previous_;
};

// Background mode for the scope.
class ScopedBkMode {
  public:
    ScopedBkMode(HDC dc, int mode) : dc_(dc), previous_(SetBkMode(dc, mode)) {}
    ~ScopedBkMode() {
        if (previous_) SetBkMode(dc_, previous_);
    }
    ScopedBkMode(const ScopedBkMode&) = delete;
    ScopedBkMode& operator=(const ScopedBkMode&) = delete;

  private:
    HDC dc_;
    int previous_;
};

// Text colour for the scope.
class ScopedTextColor {
  public:
    ScopedTextColor(HDC dc, COLORREF colour) : dc_(dc), previous_(SetTextColor(dc, colour)) {}
    ~ScopedTextColor() {
        if (previous_ != CLR_INVALID) SetTextColor(dc_, previous_);
    }
    ScopedTextColor(const ScopedTextColor&) = delete;
    ScopedTextColor& operator=(const ScopedTextColor&) = delete;

  private:
    HDC dc_;
    COLORREF previous_;
};

// Raster operation for the scope.
class ScopedRop2 {
  public:
    ScopedRop2(HDC dc, int rop) : dc_(dc), previous_(SetROP2(dc, rop)) {}
    ~ScopedRop2() {
        if (previous_) SetROP2(dc_, previous_);
    }
    ScopedRop2(const ScopedRop2&) = delete;
    ScopedRop2& operator=(const ScopedRop2&) = delete;

  private:
    HDC dc_;
    int previous_;
};
