#include "app/win32/history_dialog.h"

#include "app/history_index.h"
#include "app/win32/app_globals.h"
#include "app/win32/history_file.h"
#include "app/win32/receive_archive_win32.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/win32/message_box_ids.h"
#include "base/win32/message_table.h"
#include "help/win32/help.h"
#include "res/resource.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD kDialogHelpContext = 413;
constexpr int kOperationField = 1, kCopyField = 6;

// Column titles and widths in pixels, in the order of the file's fields.
const struct {
    unsigned titleId;
    int width;
} kColumns[kHistoryFields] = {
    {str::HistoryColumnDate, 120},   {str::HistoryColumnOperation, 110},
    {str::HistoryColumnSystem, 60},  {str::HistoryColumnCabin, 50},
    {str::HistoryColumnVersion, 50}, {str::HistoryColumnResult, 300},
    {str::HistoryColumnCopy, 220},
};

struct HistoryDialog {
    HistoryIndex index;
    std::vector<uint32_t> rows; // the records shown, newest first
};

HistoryDialog* DataOf(HWND dialog) {
    return reinterpret_cast<HistoryDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

// The whole file read once; a history that is not there yet is an empty one.
void ReadHistory(HistoryIndex* index) {
    char path[MAX_PATH];
    if (!HistoryPath(g_settings.dataFolder, path, sizeof path)) return;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER size{};
    std::string text;
    if (GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000) {
        text.resize((size_t)size.QuadPart);
        DWORD read = 0;
        if (!ReadFile(file, text.data(), (DWORD)text.size(), &read, nullptr)) read = 0;
        text.resize(read);
    }
    CloseHandle(file);
    BuildHistoryIndex(text.data(), text.size(), index);
}

void ShowRows(HWND dialog, HistoryDialog& d) {
    char system[32];
    GetDlgItemTextA(dialog, IDC_HIST_SYSTEM, system, sizeof system);
    FilterHistory(d.index, system, &d.rows);
    HWND list = GetDlgItem(dialog, IDC_HIST_LIST);
    SendMessageA(list, LVM_SETITEMCOUNT, d.rows.size(), 0);
    InvalidateRect(list, nullptr, TRUE);
}

// Received copies lie in one folder, sent ones in the other; only a name is taken from the file,
// whatever was edited into it.
bool CopyPath(const HistoryDialog& d, uint32_t record, char* path, int size) {
    const char* name = d.index.Field(record, kCopyField);
    if (!*name || std::strpbrk(name, "\\/:")) return false;
    const bool sent =
        !std::strcmp(d.index.Field(record, kOperationField), ResString(str::HistoryTransmitOp));
    char folder[MAX_PATH];
    if (!ProgramDataFolder(g_settings.dataFolder, folder, sizeof folder)) return false;
    int n =
        std::snprintf(path, size, "%s\\%s\\%s", folder, sent ? kSentFolder : kReceivedFolder, name);
    return n > 0 && n < size;
}

void OpenCopy(HWND dialog, HistoryDialog& d) {
    int item =
        (int)SendDlgItemMessageA(dialog, IDC_HIST_LIST, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    if (item < 0 || item >= (int)d.rows.size()) return;
    char path[MAX_PATH];
    if (!CopyPath(d, d.rows[item], path, sizeof path)) {
        MessageBoxIds(dialog, str::HistoryNoCopy, str::CaptionConfigurator, MB_ICONINFORMATION);
        return;
    }
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        char text[MAX_PATH + 256];
        std::snprintf(text, sizeof text, ResString(str::HistoryCopyMissing), path);
        MessageBoxA(dialog, text, ResString(str::CaptionConfigurator), MB_ICONSTOP);
        return;
    }
    if (!g_document.QuerySave(true)) return;
    if (g_document.OpenPath(path)) EndDialog(dialog, IDOK);
}

void OpenFolder(HWND dialog) {
    char folder[MAX_PATH];
    if (ProgramDataFolder(g_settings.dataFolder, folder, sizeof folder))
        ShellExecuteA(dialog, "open", folder, nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR OnInitDialog(HWND dialog, WPARAM, LPARAM lParam) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
    HistoryDialog& d = *reinterpret_cast<HistoryDialog*>(lParam);
    CenterDialog(dialog);
    HWND list = GetDlgItem(dialog, IDC_HIST_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < kHistoryFields; ++i) {
        char title[64];
        LoadResString(kColumns[i].titleId, title, sizeof title);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = title;
        column.cx = kColumns[i].width;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, (LPARAM)&column);
    }
    ReadHistory(&d.index);
    ShowRows(dialog, d);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam, LPARAM) {
    HistoryDialog* d = DataOf(dialog);
    if (!d) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_HIST_SYSTEM:
        if (HIWORD(wParam) == EN_CHANGE) ShowRows(dialog, *d);
        return TRUE;
    case IDC_HIST_OPEN: OpenCopy(dialog, *d); return TRUE;
    case IDC_HIST_FOLDER: OpenFolder(dialog); return TRUE;
    case IDOK: OpenCopy(dialog, *d); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    case IDC_HELP_BUTTON:
        ProgramHelp(dialog, kHelpFile, HELP_CONTEXT, kDialogHelpContext);
        return TRUE;
    }
    return FALSE;
}

// The list asks for each cell it draws: only the lines in sight are ever formatted.
INT_PTR OnNotify(HWND dialog, WPARAM, LPARAM lParam) {
    HistoryDialog* d = DataOf(dialog);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!d || header->idFrom != IDC_HIST_LIST) return FALSE;
    if (header->code == LVN_GETDISPINFOA) {
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
        if ((item.mask & LVIF_TEXT) && item.iItem >= 0 && item.iItem < (int)d->rows.size() &&
            item.iSubItem >= 0 && item.iSubItem < kHistoryFields && item.cchTextMax > 0)
            lstrcpynA(item.pszText, d->index.Field(d->rows[item.iItem], item.iSubItem),
                      item.cchTextMax);
        return TRUE;
    }
    if (header->code == NM_DBLCLK) OpenCopy(dialog, *d);
    return FALSE;
}

const DialogMessageHandler kHandlers[] = {
    {WM_INITDIALOG, OnInitDialog},
    {WM_COMMAND, OnCommand},
    {WM_NOTIFY, OnNotify},
};

} // namespace

void ShowHistoryDialog(HWND owner) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HistoryDialog d;
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_HISTORY), owner, DialogProcedure<kHandlers>,
                    reinterpret_cast<LPARAM>(&d));
}
