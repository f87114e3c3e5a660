#include "config/win32/config_editor.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/win32/message_table.h"
#include "config/page_table.h"
#include "config/win32/control_utils.h"
#include "help/win32/help.h"
#include "res/resource.h"

#include <commctrl.h>
#include <windowsx.h>

static_assert(BN_CLICKED == kNotifyClicked, "button notification");
static_assert(CBN_SELCHANGE == kNotifySelectionChanged, "list notification");

namespace {

// What each page's window knows: its page and the editor that holds the working copy.
struct PageBinding {
    ConfigEditor* editor;
    EditorPage* page;
};

PageBinding* BindingOf(HWND window) {
    return reinterpret_cast<PageBinding*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Trace(const char* line) {
    if (line) OutputDebugStringA(line);
}

INT_PTR Answer(HWND window, LONG_PTR result) {
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

// Pop-up and context-menu help for one control. The table stays valid after the call, as the
// help window may read it while it is open.
void ControlHelp(HWND control, const EditorPageRow& row, int controlId, UINT command) {
    static uint32_t scratch[4];
    const uint32_t* table = EditorHelpTable(row, controlId, scratch);
    ProgramHelp(control, kHelpFile, command, reinterpret_cast<ULONG_PTR>(table));
}

// The smallest visible child under a screen point: a control inside a group box wins over it.
HWND ChildAt(HWND window, POINT screen) {
    HWND best = nullptr;
    LONG bestArea = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        if (!IsWindowVisible(child) || !GetWindowRect(child, &r) || !PtInRect(&r, screen)) continue;
        LONG area = (r.right - r.left) * (r.bottom - r.top);
        if (!best || area < bestArea) best = child, bestArea = area;
    }
    return best;
}

INT_PTR OnInitDialog(HWND window, WPARAM, LPARAM lParam) {
    auto* sheetPage = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
    auto* binding = reinterpret_cast<PageBinding*>(sheetPage->lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(binding));
    Trace(binding->page->row->trace.init);
    return TRUE; // the system places the focus
}

INT_PTR OnNotify(HWND window, WPARAM, LPARAM lParam) {
    PageBinding* b = BindingOf(window);
    if (!b) return FALSE;
    const PageTrace& trace = b->page->row->trace;
    PageControls controls = DialogPageControls(window);
    switch (reinterpret_cast<NMHDR*>(lParam)->code) {
    case PSN_SETACTIVE:
        b->page->Activate(controls, b->editor->session.working);
        Trace(trace.setActive);
        return Answer(window, 0);
    case PSN_KILLACTIVE:
        Trace(trace.killActive);
        return Answer(window, b->page->Leave(controls, b->editor->session.working) ? FALSE : TRUE);
    case PSN_HELP:
        Trace(trace.help);
        ProgramHelp(window, kHelpFile, HELP_CONTEXT, kEditorHelpContext);
        return TRUE;
    case PSN_APPLY:
        // Only OK sends it (there is no apply button); the active page has already accepted.
        b->editor->accepted = true;
        return Answer(window, PSNRET_NOERROR);
    default: return FALSE;
    }
}

INT_PTR OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    PageBinding* b = BindingOf(window);
    if (!b || !lParam) return FALSE;
    b->page->OnCommand(DialogPageControls(window), LOWORD(wParam), HIWORD(wParam));
    return TRUE;
}

INT_PTR OnVScroll(HWND window, WPARAM wParam, LPARAM lParam) {
    PageBinding* b = BindingOf(window);
    if (!b || !lParam) return FALSE;
    SpinStep step = LOWORD(wParam) == SB_LINEUP     ? SpinStep::Up
                    : LOWORD(wParam) == SB_LINEDOWN ? SpinStep::Down
                                                    : SpinStep::Other;
    b->page->OnSpin(DialogPageControls(window), GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), step);
    return TRUE;
}

INT_PTR OnHelp(HWND window, WPARAM, LPARAM lParam) {
    PageBinding* b = BindingOf(window);
    auto* info = reinterpret_cast<HELPINFO*>(lParam);
    if (!b || info->iContextType != HELPINFO_WINDOW) return FALSE;
    Trace(b->page->row->trace.controlHelp);
    ControlHelp(static_cast<HWND>(info->hItemHandle), *b->page->row, info->iCtrlId, HELP_WM_HELP);
    return TRUE;
}

INT_PTR OnContextMenu(HWND window, WPARAM wParam, LPARAM lParam) {
    PageBinding* b = BindingOf(window);
    if (!b) return FALSE;
    Trace(b->page->row->trace.contextMenu);
    // Disabled controls and labels leave the click to the page: find what lies under it.
    HWND control = reinterpret_cast<HWND>(wParam);
    if (control == window) {
        POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        control = ChildAt(window, at);
        if (!control) return TRUE;
    }
    ControlHelp(control, *b->page->row, GetDlgCtrlID(control), HELP_CONTEXTMENU);
    return TRUE;
}

const DialogMessageHandler kHandlers[] = {
    {WM_INITDIALOG, OnInitDialog}, {WM_NOTIFY, OnNotify}, {WM_COMMAND, OnCommand},
    {WM_VSCROLL, OnVScroll},       {WM_HELP, OnHelp},     {WM_CONTEXTMENU, OnContextMenu},
};

} // namespace

bool ConfigEditor::Edit(HWND owner, ControllerConfig& config) {
    session.Begin(config);
    accepted = false;
    HINSTANCE instance = GetModuleHandleA(nullptr);

    PageBinding bindings[kEditorPageCount];
    PROPSHEETPAGEA pages[kEditorPageCount] = {};
    for (int i = 0; i < kEditorPageCount; ++i) {
        bindings[i] = {this, &session.pages[i]};
        PROPSHEETPAGEA& p = pages[i];
        p.dwSize = sizeof p;
        p.dwFlags = PSP_HASHELP;
        p.hInstance = instance;
        p.pszTemplate = MAKEINTRESOURCEA(session.pages[i].row->dialogId);
        p.pfnDlgProc = DialogProcedure<kHandlers>;
        p.lParam = reinterpret_cast<LPARAM>(&bindings[i]);
    }

    char caption[256];
    LoadResString(str::SheetCaption, caption, sizeof caption);
    PROPSHEETHEADERA sheet = {};
    sheet.dwSize = sizeof sheet;
    // The program's icon in the caption, loaded here and freed below: given by its id, the
    // sheet's own copy is never freed, a few kilobytes at every opening.
    HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP | PSH_USEHICON;
    sheet.hwndParent = owner;
    sheet.hInstance = instance;
    sheet.hIcon = icon;
    sheet.pszCaption = caption;
    sheet.nPages = kEditorPageCount;
    sheet.nStartPage = 0;
    sheet.ppsp = pages;

    INT_PTR result = PropertySheetA(&sheet);
    if (icon) DestroyIcon(icon);
    if (!accepted && result <= 0) return false;
    config = session.working;
    return true;
}
