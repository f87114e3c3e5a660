#include "base/win32/message_box_ids.h"

#include "base/dialog_position.h"
#include "base/res_string.h"

int MessageBoxIds(HWND owner, unsigned textId, unsigned captionId, UINT flags) {
    char text[256], caption[30];
    LoadResString(textId, text, sizeof text);
    if (captionId) LoadResString(captionId, caption, sizeof caption);
    return MessageBoxA(owner, text, captionId ? caption : nullptr, flags);
}

void CenterDialog(HWND dialog) {
    RECT desktop, box;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(dialog, &box);
    int width = box.right - box.left, height = box.bottom - box.top;
    DialogPosition p = CenteredDialogPosition(desktop.right - desktop.left,
                                              desktop.bottom - desktop.top, width, height);
    MoveWindow(dialog, p.x, p.y, width, height, TRUE);
}
