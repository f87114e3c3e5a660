#include "app/win32/compare_dialog.h"

#include "app/win32/app_globals.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/win32/message_box_ids.h"
#include "base/win32/message_table.h"
#include "app/config_compare.h"
#include "res/resource.h"

#include <cstdio>

namespace {

// Dialog units from the list's left edge; the headings in the template sit above them.
const int kTabStops[] = {140, 360};

struct CompareDialog {
    const char* path;
    const std::vector<ConfigDifference>* differences;
};

void SetItemFromTable(HWND dialog, int id, unsigned textId) {
    SetDlgItemTextA(dialog, id, ResString(textId));
}

INT_PTR OnInitDialog(HWND dialog, WPARAM, LPARAM lParam) {
    const auto* d = reinterpret_cast<const CompareDialog*>(lParam);
    CenterDialog(dialog);
    SetWindowTextA(dialog, ResString(str::CompareTitle));
    char intro[256 + MAX_PATH];
    std::snprintf(intro, sizeof intro, ResString(str::CompareIntro), d->path);
    SetDlgItemTextA(dialog, IDC_CMP_INTRO, intro);
    SetItemFromTable(dialog, IDC_CMP_FIELD_HEADING, str::CompareFieldHeading);
    SetItemFromTable(dialog, IDC_CMP_CURRENT_HEADING, str::CompareCurrentHeading);
    SetItemFromTable(dialog, IDC_CMP_FILE_HEADING, str::CompareFileHeading);
    HWND list = GetDlgItem(dialog, IDC_CMP_LIST);
    SendMessageA(list, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(kTabStops));
    for (const ConfigDifference& difference : *d->differences) {
        char row[sizeof difference.label + sizeof difference.current + sizeof difference.file];
        std::snprintf(row, sizeof row, "%s\t%s\t%s", difference.label, difference.current,
                      difference.file);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    }
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam, LPARAM) {
    WORD id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL) return FALSE;
    EndDialog(dialog, id);
    return TRUE;
}

const DialogMessageHandler kHandlers[] = {
    {WM_INITDIALOG, OnInitDialog},
    {WM_COMMAND, OnCommand},
};

} // namespace

void CompareWithFile(HWND owner) {
    ControllerConfig file;
    char path[256];
    if (!g_document.ChooseAndRead(file, path, sizeof path)) return;
    const std::vector<ConfigDifference> differences = CompareConfigs(g_document.image, file);
    if (differences.empty()) {
        char text[256 + MAX_PATH];
        std::snprintf(text, sizeof text, ResString(str::CompareEqual), path);
        MessageBoxA(owner, text, ResString(str::CompareTitle), MB_ICONINFORMATION | MB_OK);
        return;
    }
    CompareDialog d{path, &differences};
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_COMPARE), owner, DialogProcedure<kHandlers>,
                    reinterpret_cast<LPARAM>(&d));
}
