#include "app/win32/about_boxes.h"

#include "app/win32/app_globals.h"
#include "app/win32/version_resource.h"
#include "base/win32/message_box_ids.h"
#include "res/resource.h"

namespace {

constexpr UINT_PTR kSplashTimer = 11;
constexpr UINT kSplashMilliseconds = 500;
constexpr int kSplashTop = 100;
constexpr int kDateSize = 50;

INT_PTR CALLBACK SplashProc(HWND box, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        RECT r;
        GetWindowRect(box, &r);
        int x = GetSystemMetrics(SM_CXSCREEN) / 2 - (r.right - r.left) / 2;
        SetWindowPos(box, HWND_TOPMOST, x, kSplashTop, 0, 0, SWP_NOSIZE);
        SetTimer(box, kSplashTimer, kSplashMilliseconds, nullptr);
        return TRUE;
    }
    case WM_TIMER:
        KillTimer(box, kSplashTimer);
        DestroyWindow(box);
        return TRUE;
    }
    return FALSE;
}

// Enter, Escape and the button close both boxes.
bool IsCloseCommand(UINT message, WPARAM wParam) {
    return message == WM_COMMAND && (wParam == IDOK || wParam == IDCANCEL);
}

INT_PTR CALLBACK AboutProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
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
    if (IsCloseCommand(message, wParam)) {
        EndDialog(box, (INT_PTR)wParam);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK MakerProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        CenterDialog(box);
        return TRUE;
    }
    if (IsCloseCommand(message, wParam)) {
        EndDialog(box, (INT_PTR)wParam);
        return TRUE;
    }
    return FALSE;
}

} // namespace

void ShowSplashBox(HWND owner) {
    HWND box = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_SPLASH), owner, SplashProc, 0);
    // Start-up keeps the message loop waiting; paint the box now so it is seen meanwhile.
    if (box) UpdateWindow(box);
}

void ShowAboutBox(HWND owner) {
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}

void ShowMakerBox(HWND owner) {
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_MAKER), owner, MakerProc, 0);
}
