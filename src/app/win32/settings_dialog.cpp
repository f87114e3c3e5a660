#include "app/win32/settings_dialog.h"

#include "app/win32/app_globals.h"
#include "app/win32/port_search.h"
#include "app/win32/port_watch.h"
#include "app/win32/settings_file.h"
#include "base/message_box.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/win32/message_box_ids.h"
#include "base/win32/message_table.h"
#include "help/win32/help.h"
#include "link/port_number.h"
#include "link/win32/serial_ports.h"
#include "res/resource.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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
    IDC_SETTINGS_OTHER,
    203,
    IDC_SETTINGS_OTHER_PORT,
    203,
    IDC_SETTINGS_PRESENT,
    203,
    IDC_SETTINGS_SEARCH,
    203,
    IDC_SETTINGS_SEARCH_STATE,
    203,
    0,
    0,
};

struct SettingsDialog {
    ProgramSettings* settings = nullptr;
    uint32_t pendingPort = 0; // a numbered button's port, stored only on "Aceptar"
    bool accepted = false;
    PortSearch search;
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

// Checks the button of `port`, or "Otro" with the port's name; no button for an invalid port.
void ChoosePort(HWND dialog, SettingsDialog* d, uint32_t port) {
    d->pendingPort = port;
    bool numbered = false;
    for (const auto& b : kPortButtons) {
        CheckDlgButton(dialog, b.button, b.port == (int)port ? BST_CHECKED : BST_UNCHECKED);
        numbered |= b.port == (int)port;
    }
    bool other = !numbered && IsValidPortNumber(port);
    CheckDlgButton(dialog, IDC_SETTINGS_OTHER, other ? BST_CHECKED : BST_UNCHECKED);
    if (!other) return;
    char name[16];
    FormatPortName(port, name, sizeof name);
    SetDlgItemTextA(dialog, IDC_SETTINGS_OTHER_PORT, name);
}

// "Presentes: COM3, COM12", and the ports from 10 up in the drop-down of "Otro".
void ListPortsPresent(HWND dialog) {
    std::string list;
    for (uint32_t port : SerialPortsPresent()) {
        char name[16];
        FormatPortName(port, name, sizeof name);
        list += (list.empty() ? "" : ", ") + std::string(name);
        if (port >= 10)
            SendDlgItemMessageA(dialog, IDC_SETTINGS_OTHER_PORT, CB_ADDSTRING, 0, (LPARAM)name);
    }
    char text[1024];
    if (list.empty())
        LoadResString(str::NoPortPresent, text, sizeof text);
    else
        std::snprintf(text, sizeof text, ResString(str::PortsPresent), list.c_str());
    SetDlgItemTextA(dialog, IDC_SETTINGS_PRESENT, text);
}

INT_PTR OnInitDialog(HWND dialog, WPARAM, LPARAM lParam) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
    SettingsDialog* d = DataOf(dialog);
    CenterDialog(dialog);
    ListPortsPresent(dialog);
    ChoosePort(dialog, d, PortOfSetting(d->settings->port));
    SetDlgItemTextA(dialog, IDC_SETTINGS_LINE1, d->settings->companyLine1);
    SetDlgItemTextA(dialog, IDC_SETTINGS_LINE2, d->settings->companyLine2);
    SendDlgItemMessageA(dialog, IDC_SETTINGS_LINE1, EM_LIMITTEXT, kCompanyLineMax, 0);
    SendDlgItemMessageA(dialog, IDC_SETTINGS_LINE2, EM_LIMITTEXT, kCompanyLineMax, 0);
    SetDlgItemTextA(dialog, IDC_SETTINGS_DATA_FOLDER, d->settings->dataFolder);
    SendDlgItemMessageA(dialog, IDC_SETTINGS_DATA_FOLDER, EM_LIMITTEXT, kDataFolderSize - 1, 0);
    return TRUE;
}

// A controller found by the search is chosen as the user would.
INT_PTR OnTimer(HWND dialog, WPARAM wParam, LPARAM) {
    SettingsDialog* d = DataOf(dialog);
    if (!d || wParam != kSearchTimer) return FALSE;
    uint32_t found;
    if (SearchTick(d->search, dialog, g_commLink, &found)) ChoosePort(dialog, d, found);
    return TRUE;
}

// The port chosen: a numbered button's, or the number typed or picked beside "Otro"; a typed
// number that is refused is said, and nothing is stored.
bool ReadChosenPort(HWND dialog, SettingsDialog* d, uint32_t* port) {
    *port = d->pendingPort;
    if (IsDlgButtonChecked(dialog, IDC_SETTINGS_OTHER) != BST_CHECKED) return true;
    char text[64];
    GetDlgItemTextA(dialog, IDC_SETTINGS_OTHER_PORT, text, sizeof text);
    TypedPort typed = ParseTypedPort(text);
    if (typed.refusal == 0) {
        *port = typed.port;
        return true;
    }
    MessageBoxIds(dialog, typed.refusal, str::CaptionConfigurator, MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(dialog, IDC_SETTINGS_OTHER_PORT));
    return false;
}

void Accept(HWND dialog, SettingsDialog* d) {
    uint32_t port;
    if (!ReadChosenPort(dialog, d, &port)) return;
    EndSearch(d->search, dialog);
    ReadCompanyLine(dialog, IDC_SETTINGS_LINE1, d->settings->companyLine1);
    ReadCompanyLine(dialog, IDC_SETTINGS_LINE2, d->settings->companyLine2);
    GetDlgItemTextA(dialog, IDC_SETTINGS_DATA_FOLDER, d->settings->dataFolder,
                    sizeof d->settings->dataFolder);
    d->pendingPort = port;
    d->settings->port = (int8_t)port;
    SaveSettingsFile(*d->settings);
    d->accepted = true;
    EndDialog(dialog, IDOK);
}

// Typing or picking a port beside "Otro" chooses "Otro".
void ChooseOther(HWND dialog) {
    for (const auto& b : kPortButtons)
        CheckDlgButton(dialog, b.button, BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SETTINGS_OTHER, BST_CHECKED);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam, LPARAM) {
    SettingsDialog* d = DataOf(dialog);
    if (!d) return FALSE;
    WORD id = LOWORD(wParam);
    if (id == IDC_SETTINGS_OTHER_PORT) {
        if (HIWORD(wParam) == CBN_EDITCHANGE || HIWORD(wParam) == CBN_SELCHANGE)
            ChooseOther(dialog);
        return TRUE;
    }
    if (HIWORD(wParam) != BN_CLICKED) return FALSE;
    for (const auto& b : kPortButtons)
        if (b.button == id) {
            d->pendingPort = b.port;
            return TRUE;
        }
    switch (id) {
    case IDOK: Accept(dialog, d); return TRUE;
    case IDCANCEL:
        EndSearch(d->search, dialog);
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_SETTINGS_SEARCH: StartOrStopSearch(d->search, dialog, g_commLink); return TRUE;
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
    {WM_TIMER, OnTimer},
};

} // namespace

void ShowSettingsDialog(HWND owner) {
    SettingsDialog d;
    d.settings = &g_settings;
    d.pendingPort = PortOfSetting(g_settings.port);
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, DialogProcedure<kHandlers>,
                    reinterpret_cast<LPARAM>(&d));
    // The port chosen is used at once; accepting the same port tries a missing one again.
    uint32_t port = PortOfSetting(g_settings.port);
    if (!d.accepted || (port == g_commLink.port && g_commLink.IsOpen())) return;
    g_commLink.SwitchPort(port);
    ShowPortState();
}
