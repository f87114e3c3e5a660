#include "label/win32/label_clipboard.h"

#include "base/win32/gdi_objects.h"
#include "label/label_renderer.h"
#include "label/label_size.h"
#include "label/win32/label_gdi.h"

#include <cmath>
#include <cstring>

namespace {

// Both pictures span the label with a margin of 50 units left and right and 95 above and below.
constexpr int kSpanX = 1100, kSpanY = 2090, kOriginX = -50, kOriginY = -95;

HMETAFILE RecordLabel(const ControllerConfig& config, const char* company1, const char* company2) {
    HDC dc = CreateMetaFileA(nullptr);
    if (!dc) return nullptr;
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, kSpanX, kSpanY, nullptr);
    SetWindowOrgEx(dc, kOriginX, kOriginY, nullptr);
    DrawLabelOnDc(dc, config, company1, company2);
    return CloseMetaFile(dc);
}

// The picture record: anisotropic, negative extents give the proportions (1000 : 1900) without
// a preferred size. Its size is the platform's: a 64-bit handle makes it larger than 16 bytes.
HGLOBAL PictureRecord(HMETAFILE picture) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(METAFILEPICT));
    if (!memory) return nullptr;
    auto* record = static_cast<METAFILEPICT*>(GlobalLock(memory));
    if (!record) {
        GlobalFree(memory);
        return nullptr;
    }
    record->mm = MM_ANISOTROPIC;
    record->xExt = -1000;
    record->yExt = -1900;
    record->hMF = picture;
    GlobalUnlock(memory);
    return memory;
}

// The bitmap as the clipboard takes it: the header, then the rows bottom-up, 24 bits a pixel.
// The label is drawn at its printed size (the 1900 units as high as on paper) at 300 dpi.
HGLOBAL LabelBitmap(const ControllerConfig& config, const char* company1, const char* company2) {
    const double inches = NeedsExpansionBoard(config) ? kExpandedLabelInches : kBasicLabelInches;
    const double dotsPerUnit = inches * kClipboardDotsPerInch / 1900;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = (LONG)std::lround(kSpanX * dotsPerUnit);
    header.biHeight = (LONG)std::lround(kSpanY * dotsPerUnit);
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biXPelsPerMeter = header.biYPelsPerMeter =
        (LONG)std::lround(kClipboardDotsPerInch / 0.0254);
    const DWORD stride = ((DWORD)header.biWidth * 3 + 3) & ~3u;
    header.biSizeImage = stride * (DWORD)header.biHeight;

    BITMAPINFO info{};
    info.bmiHeader = header;
    void* bits = nullptr;
    OwnedBitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc memory(nullptr);
    if (!picture || !bits || !memory.Get()) return nullptr;
    {
        ScopedSelect drawInto(memory.Get(), picture.Get());
        PatBlt(memory.Get(), 0, 0, header.biWidth, header.biHeight, WHITENESS);
        SetMapMode(memory.Get(), MM_ANISOTROPIC);
        SetWindowExtEx(memory.Get(), kSpanX, kSpanY, nullptr);
        SetWindowOrgEx(memory.Get(), kOriginX, kOriginY, nullptr);
        SetViewportExtEx(memory.Get(), header.biWidth, header.biHeight, nullptr);
        DrawLabelOnDc(memory.Get(), config, company1, company2);
        GdiFlush();
    }
    HGLOBAL packed = GlobalAlloc(GMEM_MOVEABLE, sizeof header + header.biSizeImage);
    if (!packed) return nullptr;
    auto* out = static_cast<unsigned char*>(GlobalLock(packed));
    if (!out) {
        GlobalFree(packed);
        return nullptr;
    }
    std::memcpy(out, &header, sizeof header);
    std::memcpy(out + sizeof header, bits, header.biSizeImage);
    GlobalUnlock(packed);
    return packed;
}

} // namespace

bool CopyLabelToClipboard(HWND owner, const ControllerConfig& config, const char* company1,
                          const char* company2) {
    HMETAFILE picture = RecordLabel(config, company1, company2);
    HGLOBAL record = picture ? PictureRecord(picture) : nullptr;
    HGLOBAL bitmap = LabelBitmap(config, company1, company2);
    // What the clipboard took is its own, the rest still ours.
    bool recordPlaced = false, bitmapPlaced = false;
    if (record && bitmap && OpenClipboard(owner)) {
        EmptyClipboard();
        recordPlaced = SetClipboardData(CF_METAFILEPICT, record) != nullptr;
        bitmapPlaced = recordPlaced && SetClipboardData(CF_DIB, bitmap) != nullptr;
        // One format alone would be half a copy: emptied, the clipboard frees what it took.
        if (!bitmapPlaced) EmptyClipboard();
        CloseClipboard();
    }
    if (bitmapPlaced) return true;
    if (!recordPlaced) {
        if (record) GlobalFree(record);
        if (picture) DeleteMetaFile(picture);
    }
    if (bitmap) GlobalFree(bitmap);
    return false;
}
