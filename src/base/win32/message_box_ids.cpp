#include "base/win32/message_box_ids.h"

#include "base/box_texts.h"
#include "base/dialog_position.h"

int MessageBoxIds(HWND owner, unsigned textId, unsigned captionId, UINT flags) {
    BoxTexts box(textId, captionId);
    return MessageBoxA(owner, box.text, box.caption.Get(), flags);
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
