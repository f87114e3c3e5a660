#include "print/win32/cancel_dialog.h"

#include "base/win32/message_table.h"
#include "base/win32/static_pictures.h"
#include "res/resource.h"

#include <cstring>

namespace {

constexpr int kCancelTextSize = 60;

char g_cancelText[kCancelTextSize];
HWND g_cancelDialog;
bool g_userCancelled;

INT_PTR OnInitDialog(HWND dialog, WPARAM, LPARAM) {
    SetDlgItemTextA(dialog, IDC_PRINT_TEXT, g_cancelText);
    ShowWindow(dialog, SW_SHOW);
    g_userCancelled = false;
    SetFocus(dialog);
    return TRUE;
}

// Every command is the way out: the button, Esc and the close box.
INT_PTR OnCommand(HWND dialog, WPARAM, LPARAM) {
    g_userCancelled = true;
    DestroyWindow(dialog);
    g_cancelDialog = nullptr;
    return TRUE;
}

const DialogMessageHandler kHandlers[] = {
    {WM_INITDIALOG, OnInitDialog},
    {WM_COMMAND, OnCommand},
    {WM_DESTROY, ReleaseStaticPictures},
};

} // namespace

void SetCancelText(const char* text) {
    std::strncpy(g_cancelText, text, kCancelTextSize - 1);
    g_cancelText[kCancelTextSize - 1] = '\0';
}

HWND OpenCancelDialog(HINSTANCE instance, HWND owner) {
    g_cancelDialog = CreateDialogA(instance, MAKEINTRESOURCEA(IDD_PRINT_CANCEL), owner,
                                   DialogProcedure<kHandlers>);
    return g_cancelDialog;
}

void CloseCancelDialog() {
    if (g_cancelDialog) DestroyWindow(g_cancelDialog);
    g_cancelDialog = nullptr;
}

bool UserCancelled() {
    return g_userCancelled;
}

BOOL CALLBACK PrintAbortProc(HDC, int) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (g_cancelDialog && IsDialogMessageA(g_cancelDialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return !g_userCancelled;
}
