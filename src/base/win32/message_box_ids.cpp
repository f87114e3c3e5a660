#include "base/win32/message_box_ids.h"

#include "base/box_texts.h"
#include "base/dialog_position.h"
#include "base/message_box.h"

// The core asks its questions with these flags and reads these answers; the boxes take them as
// they are.
static_assert(mb::YesNoCancel == MB_YESNOCANCEL && mb::YesNo == MB_YESNO, "buttons");
static_assert(mb::IconStop == MB_ICONSTOP && mb::IconQuestion == MB_ICONQUESTION &&
                  mb::IconExclamation == MB_ICONEXCLAMATION &&
                  mb::IconInformation == MB_ICONINFORMATION,
              "icons");
static_assert(mb::IdOk == IDOK && mb::IdCancel == IDCANCEL && mb::IdYes == IDYES &&
                  mb::IdNo == IDNO,
              "answers");

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
