#include "config/win32/control_utils.h"

void SetControlEnabled(HWND dialog, int id, bool enabled) {
    HWND control = GetDlgItem(dialog, id);
    if (control && (IsWindowEnabled(control) != FALSE) != enabled) EnableWindow(control, enabled);
}

void ShowControl(HWND dialog, int id, bool shown) {
    if (HWND control = GetDlgItem(dialog, id)) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

bool IsControlVisible(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE);
}

void enableAllChildren(HWND dialog, bool enabled) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((IsWindowEnabled(child) != FALSE) != enabled) EnableWindow(child, enabled);
}

namespace {

HWND Dialog(void* context) {
    return static_cast<HWND>(context);
}

LRESULT Send(void* context, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(Dialog(context), id, message, wParam, lParam);
}

} // namespace

PageControls DialogPageControls(HWND dialog) {
    PageControls c{};
    c.context = dialog;
    c.setText = [](void* d, int id, const char* text) { SetDlgItemTextA(Dialog(d), id, text); };
    c.getText = [](void* d, int id, char* buffer, int size) {
        if (size <= 0) return;
        buffer[0] = '\0';
        GetDlgItemTextA(Dialog(d), id, buffer, size);
    };
    c.clearList = [](void* d, int id) { Send(d, id, CB_RESETCONTENT); };
    c.addListItem = [](void* d, int id, const char* text) {
        Send(d, id, CB_ADDSTRING, 0, (LPARAM)text);
    };
    // An index outside the list, -1 included, clears the selection (not every combo box
    // clears it by itself).
    c.selectListItem = [](void* d, int id, int index) {
        if (index >= (int)Send(d, id, CB_GETCOUNT)) index = -1;
        Send(d, id, CB_SETCURSEL, index < 0 ? (WPARAM)-1 : (WPARAM)index);
    };
    c.listSelection = [](void* d, int id) {
        LRESULT index = Send(d, id, CB_GETCURSEL);
        return index == CB_ERR ? -1 : (int)index;
    };
    c.setCheck = [](void* d, int id, bool checked) {
        CheckDlgButton(Dialog(d), id, checked ? BST_CHECKED : BST_UNCHECKED);
    };
    c.isChecked = [](void* d, int id) { return IsDlgButtonChecked(Dialog(d), id) == BST_CHECKED; };
    c.enable = [](void* d, int id, bool enabled) { SetControlEnabled(Dialog(d), id, enabled); };
    c.enableAll = [](void* d, bool enabled) { enableAllChildren(Dialog(d), enabled); };
    c.show = [](void* d, int id, bool shown) { ShowControl(Dialog(d), id, shown); };
    c.isVisible = [](void* d, int id) { return IsControlVisible(Dialog(d), id); };
    c.setFocus = [](void* d, int id) { SetFocus(GetDlgItem(Dialog(d), id)); };
    c.messageBox = [](void* d, const char* text, const char* caption, unsigned flags) {
        return MessageBoxA(Dialog(d), text, caption, flags);
    };
    return c;
}
