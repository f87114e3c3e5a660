#include "link/win32/comm_monitor.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/win32/message_table.h"
#include "link/monitor_fields.h"
#include "link/port_number.h"
#include "res/resource.h"

#include <initializer_list>

namespace {

// The five fields of a group, in the order CD, CO, OR, LA, data.
struct Group {
    int cd, co, op, la, data;
};
constexpr Group kReceived = {IDC_MON_RX_CD, IDC_MON_RX_CO, IDC_MON_RX_OR, IDC_MON_RX_LA,
                             IDC_MON_RX_DATA};
constexpr Group kTransmitted = {IDC_MON_TX_CD, IDC_MON_TX_CO, IDC_MON_TX_OR, IDC_MON_TX_LA,
                                IDC_MON_TX_DATA};

void SetGroup(HWND window, const Group& g, const MonitorFields& f) {
    SetDlgItemTextA(window, g.cd, f.CD);
    SetDlgItemTextA(window, g.co, f.CO);
    SetDlgItemTextA(window, g.op, f.OR);
    SetDlgItemTextA(window, g.la, f.LA);
    SetDlgItemTextA(window, g.data, f.data);
}

void ClearGroup(HWND window, const Group& g) {
    for (int id : {g.cd, g.co, g.op, g.la, g.data})
        SetDlgItemTextA(window, id, "");
}

INT_PTR OnInitDialog(HWND window, WPARAM, LPARAM lParam) {
    const MonitoredPort& port = *reinterpret_cast<const MonitoredPort*>(lParam);
    ShowLinkInMonitor(window, port.number, port.open);
    return TRUE;
}

// Closing only hides it: it lives as long as the main window.
void Hide(HWND window) {
    ShowWindow(window, SW_HIDE);
}

INT_PTR OnClose(HWND window, WPARAM, LPARAM) {
    Hide(window);
    return TRUE;
}

INT_PTR OnCommand(HWND window, WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == IDCANCEL) {
        Hide(window);
        return TRUE;
    }
    if (LOWORD(wParam) == IDC_MON_CLEAR) {
        ClearGroup(window, kReceived);
        ClearGroup(window, kTransmitted);
        return TRUE;
    }
    return FALSE;
}

const DialogMessageHandler kHandlers[] = {
    {WM_INITDIALOG, OnInitDialog},
    {WM_CLOSE, OnClose},
    {WM_COMMAND, OnCommand},
};

} // namespace

HWND CreateCommMonitor(HINSTANCE instance, HWND owner, MonitoredPort port) {
    return CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MONITOR), owner,
                              DialogProcedure<kHandlers>, reinterpret_cast<LPARAM>(&port));
}

void ShowLinkInMonitor(HWND monitor, uint32_t port, bool open) {
    char name[16];
    FormatPortName(port, name, sizeof name);
    SetDlgItemTextA(monitor, IDC_MON_PORT, name);
    SetDlgItemTextA(monitor, IDC_MON_STATE, ResString(open ? str::Valid : str::NotValid));
}

void ShowPacketInMonitor(HWND monitor, const LinkPacket& packet, bool received) {
    SetGroup(monitor, received ? kReceived : kTransmitted, FormatMonitorFields(packet));
}
