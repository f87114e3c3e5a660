#include "app/win32/port_watch.h"

#include "app/win32/app_globals.h"
#include "app/win32/main_commands.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "link/port_number.h"
#include "link/win32/serial_ports.h"

#include <dbt.h>

#include <cstdio>

namespace {

// Until the port opens again, the bar says that its adapter was pulled out.
bool g_adapterPulled = false;

} // namespace

void ShowPortState() {
    if (g_commLink.IsOpen()) {
        g_adapterPulled = false;
        g_statusBar.SetText(0, ResString(str::StatusHelpText));
        return;
    }
    char name[16], text[512];
    FormatPortName(g_commLink.port, name, sizeof name);
    std::snprintf(text, sizeof text,
                  ResString(g_adapterPulled ? str::AdapterDisconnected : str::PortMissing), name);
    g_statusBar.SetText(0, text);
}

// An exchange running when the port goes finds the link closed, and ends as on a silent line.
// Opening here shows no message: the port may be there and still refuse, which the bar says.
LRESULT OnDeviceChange(HWND window, WPARAM event, LPARAM) {
    if (event != DBT_DEVNODES_CHANGED && event != DBT_DEVICEARRIVAL &&
        event != DBT_DEVICEREMOVECOMPLETE)
        return TRUE;
    bool present = SerialPortPresent(g_commLink.port);
    if (g_commLink.IsOpen() && !present) {
        g_commLink.Close();
        g_adapterPulled = true;
    } else if (g_commLink.IsOpen() || !present || !g_commLink.OpenQuietly()) {
        return TRUE;
    }
    ShowPortState();
    UpdateCommandStates(window);
    return TRUE;
}
