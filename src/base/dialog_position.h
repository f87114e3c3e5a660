#pragma once
// Where a centred dialog goes: across the middle, a quarter of the free height from the top.
// Signed arithmetic, so a dialog larger than the desktop gets a negative position.
struct DialogPosition {
    int x, y;
};

inline DialogPosition CenteredDialogPosition(int desktopWidth, int desktopHeight, int width,
                                             int height) {
    return {(desktopWidth - width) / 2, (desktopHeight - height) / 4};
}
