#include "app/win32/settings_dialog.h"

#include "app/win32/app_globals.h"
#include "app/win32/settings_file.h"
#include "base/message_box.h"
#include "base/string_ids.h"
#include "base/win32/message_box_ids.h"
#include "base/win32/message_table.h"
#include "help/win32/help.h"
#include "res/resource.h"

#include <cstring>

namespace {

constexpr DWORD kDialogHelpContext = 410;

const struct {
    int button, port;
} kPortButtons[] = {
    {IDC_SETTINGS_COM1, 1}, {IDC_SETTINGS_COM2, 2}, {IDC_SETTINGS_COM3, 3},
    {IDC_SETTINGS_COM4, 4}, {IDC_SETTINGS_COM5, 5}, {IDC_SETTINGS_COM6, 6},
    {IDC_SETTINGS_COM7, 7}, {IDC_SETTINGS_COM8, 8}, {IDC_SETTINGS_COM9, 9},
};

// Control id and help context, for the pop-up help of each control.
const DWORD kHelpTable[] = {
    IDC_SETTINGS_COMPANY,
    204,
    IDC_SETTINGS_LINE1,
    201,
    IDC_SETTINGS_LINE2,
    202,
    IDC_SETTINGS_PORT,
    203,
    IDC_SETTINGS_COM1,
    203,
    IDC_SETTINGS_COM2,
    203,
    IDC_SETTINGS_COM3,
    203,
    IDC_SETTINGS_COM4,
    203,
    IDC_SETTINGS_COM5,
    203,
    IDC_SETTINGS_COM6,
    203,
    IDC_SETTINGS_COM7,
    203,
    IDC_SETTINGS_COM8,
    203,
    IDC_SETTINGS_COM9,
    203,
    0,
    0,
};

struct SettingsDialog {
    ProgramSettings* settings;
    int pendingPort; // chosen, and stored only on "Aceptar"
};

SettingsDialog* DataOf(HWND dialog) {
    return reinterpret_cast<SettingsDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void ReadCompanyLine(HWND dialog, int id, char (&line)[kCompanyLineSize]) {
    char text[kCompanyLineMax + 1];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    text[kCompanyLineMax] = '\0';
    std::memcpy(line, text, sizeof text);
}

INT_PTR OnInitDialog(HWND dialog, WPARAM, LPARAM lParam) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
    SettingsDialog* d = DataOf(dialog);
    CenterDialog(dialog);
    d->pendingPort = d->settings->port;
    for (const auto& b : kPortButtons)
        if (b.port == d->pendingPort) CheckDlgButton(dialog, b.button, BST_CHECKED);
    SetDlgItemTextA(dialog, IDC_SETTINGS_LINE1, d->settings->companyLine1);
    SetDlgItemTextA(dialog, IDC_SETTINGS_LINE2, d->settings->companyLine2);
    SendDlgItemMessageA(dialog, IDC_SETTINGS_LINE1, EM_LIMITTEXT, kCompanyLineMax, 0);
    SendDlgItemMessageA(dialog, IDC_SETTINGS_LINE2, EM_LIMITTEXT, kCompanyLineMax, 0);
    return TRUE;
}

void Accept(HWND dialog, SettingsDialog* d) {
    ReadCompanyLine(dialog, IDC_SETTINGS_LINE1, d->settings->companyLine1);
    ReadCompanyLine(dialog, IDC_SETTINGS_LINE2, d->settings->companyLine2);
    if (d->pendingPort != d->settings->port)
        MessageBoxIds(dialog, str::PortChanged, str::CaptionConfigurator,
                      mb::IconInformation | mb::Ok);
    d->settings->port = (int8_t)d->pendingPort;
    SaveSettingsFile(*d->settings);
    EndDialog(dialog, IDOK);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam, LPARAM) {
    SettingsDialog* d = DataOf(dialog);
    if (!d || HIWORD(wParam) != BN_CLICKED) return FALSE;
    WORD id = LOWORD(wParam);
    for (const auto& b : kPortButtons)
        if (b.button == id) {
            d->pendingPort = b.port;
            return TRUE;
        }
    switch (id) {
    case IDOK: Accept(dialog, d); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    case IDC_HELP_BUTTON:
        ProgramHelp(dialog, kHelpFile, HELP_CONTEXT, kDialogHelpContext);
        return TRUE;
    }
    return FALSE;
}

INT_PTR OnHelp(HWND dialog, WPARAM, LPARAM lParam) {
    if (!DataOf(dialog)) return FALSE;
    auto* info = reinterpret_cast<HELPINFO*>(lParam);
    ProgramHelp(static_cast<HWND>(info->hItemHandle), kHelpFile, HELP_WM_HELP,
                reinterpret_cast<ULONG_PTR>(kHelpTable));
    return TRUE;
}

const DialogMessageHandler kHandlers[] = {
    {WM_INITDIALOG, OnInitDialog},
    {WM_COMMAND, OnCommand},
    {WM_HELP, OnHelp},
};

} // namespace

void ShowSettingsDialog(HWND owner) {
    SettingsDialog d{&g_settings, g_settings.port};
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, DialogProcedure<kHandlers>,
                    reinterpret_cast<LPARAM>(&d));
}
