#include "app/win32/about_boxes.h"

#include "app/win32/app_globals.h"
#include "app/win32/version_resource.h"
#include "base/win32/message_box_ids.h"
#include "base/win32/message_table.h"
#include "base/win32/static_pictures.h"
#include "res/resource.h"

namespace {

constexpr UINT_PTR kSplashTimer = 11;
constexpr UINT kSplashMilliseconds = 500;
constexpr int kSplashTop = 100;
constexpr int kDateSize = 50;

INT_PTR OnSplashInit(HWND box, WPARAM, LPARAM) {
    RECT r;
    GetWindowRect(box, &r);
    int x = GetSystemMetrics(SM_CXSCREEN) / 2 - (r.right - r.left) / 2;
    SetWindowPos(box, HWND_TOPMOST, x, kSplashTop, 0, 0, SWP_NOSIZE);
    SetTimer(box, kSplashTimer, kSplashMilliseconds, nullptr);
    return TRUE;
}

INT_PTR OnSplashTimer(HWND box, WPARAM, LPARAM) {
    KillTimer(box, kSplashTimer);
    DestroyWindow(box);
    return TRUE;
}

const DialogMessageHandler kSplashHandlers[] = {
    {WM_INITDIALOG, OnSplashInit},
    {WM_TIMER, OnSplashTimer},
    {WM_DESTROY, ReleaseStaticPictures},
};

// Enter, Escape and the button close both boxes.
INT_PTR OnCloseCommand(HWND box, WPARAM wParam, LPARAM) {
    if (wParam != IDOK && wParam != IDCANCEL) return FALSE;
    EndDialog(box, (INT_PTR)wParam);
    return TRUE;
}

INT_PTR OnAboutInit(HWND box, WPARAM, LPARAM) {
    CenterDialog(box);
    FixedVersionInfo info;
    ReadFixedVersionInfo(g_instance, &info);
    char version[64];
    FormatVersionText(info, version, sizeof version);
    SetDlgItemTextA(box, IDC_ABOUT_VERSION, version);
    char date[kDateSize];
    ReadVersionString(g_instance, "Comments", date, sizeof date);
    SetDlgItemTextA(box, IDC_ABOUT_DATE, date);
    return TRUE;
}

const DialogMessageHandler kAboutHandlers[] = {
    {WM_INITDIALOG, OnAboutInit},
    {WM_COMMAND, OnCloseCommand},
    {WM_DESTROY, ReleaseStaticPictures},
};

INT_PTR OnMakerInit(HWND box, WPARAM, LPARAM) {
    CenterDialog(box);
    return TRUE;
}

const DialogMessageHandler kMakerHandlers[] = {
    {WM_INITDIALOG, OnMakerInit},
    {WM_COMMAND, OnCloseCommand},
    {WM_DESTROY, ReleaseStaticPictures},
};

} // namespace

void ShowSplashBox(HWND owner) {
    HWND box = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_SPLASH), owner,
                                  DialogProcedure<kSplashHandlers>, 0);
    // Start-up keeps the message loop waiting; paint the box now so it is seen meanwhile.
    if (box) UpdateWindow(box);
}

void ShowAboutBox(HWND owner) {
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, DialogProcedure<kAboutHandlers>,
                    0);
}

void ShowMakerBox(HWND owner) {
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_MAKER), owner, DialogProcedure<kMakerHandlers>,
                    0);
}
