#include "base/win32/static_pictures.h"

namespace {

BOOL CALLBACK ReleasePicture(HWND control, LPARAM) {
    char cls[16] = "";
    GetClassNameA(control, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") != 0 ||
        (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
        return TRUE;
    // Taken out first, so that the control neither paints nor deletes it afterwards.
    auto picture = reinterpret_cast<HGDIOBJ>(
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(nullptr)));
    if (picture) DeleteObject(picture);
    return TRUE;
}

} // namespace

INT_PTR ReleaseStaticPictures(HWND dialog, WPARAM, LPARAM) {
    EnumChildWindows(dialog, ReleasePicture, 0);
    return FALSE;
}
