#include "label/win32/label_clipboard.h"

#include "label/win32/label_gdi.h"

namespace {

// The picture spans the label with a margin of 50 units left and right and 95 above and below.
HMETAFILE RecordLabel(const ControllerConfig& config, const char* company1, const char* company2) {
    HDC dc = CreateMetaFileA(nullptr);
    if (!dc) return nullptr;
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1100, 2090, nullptr);
    SetWindowOrgEx(dc, -50, -95, nullptr);
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

} // namespace

void CopyLabelToClipboard(HWND owner, const ControllerConfig& config, const char* company1,
                          const char* company2) {
    HMETAFILE picture = RecordLabel(config, company1, company2);
    if (!picture) return;
    HGLOBAL record = PictureRecord(picture);
    bool placed = false;
    if (record && OpenClipboard(owner)) {
        EmptyClipboard();
        // From here on the clipboard owns the record and the picture.
        placed = SetClipboardData(CF_METAFILEPICT, record) != nullptr;
        CloseClipboard();
    }
    if (placed) return;
    if (record) GlobalFree(record);
    DeleteMetaFile(picture);
}
