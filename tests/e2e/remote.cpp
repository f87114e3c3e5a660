// Cross-process reads of controls.
#include "driver.h"
#include "driver_internal.h"

#include <commctrl.h>

namespace e2e {

RemoteMemory::RemoteMemory(HWND window, size_t size) {
    DWORD pid = 0;
    if (GetWindowThreadProcessId(window, &pid))
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                   PROCESS_QUERY_INFORMATION,
                               FALSE, pid);
    if (process_)
        address_ =
            VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

bool RemoteMemory::Read(void* data, size_t size, size_t offset) const {
    SIZE_T done = 0;
    return ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) &&
           done == size;
}

std::string ClassName(HWND window) {
    char name[128] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

std::string ControlText(HWND control) {
    std::vector<char> text(65536, '\0'); // more than any control here holds
    if (control) SendWithTimeout(control, WM_GETTEXT, text.size() - 1, (LPARAM)text.data());
    return text.data();
}

std::string StatusBarText(HWND statusBar, int part) {
    // SB_GETTEXT writes the whole text without a size: the buffer is far larger than any part's
    // text, which may also have grown since its length was asked.
    constexpr size_t kTextSize = 4096;
    RemoteMemory buffer(statusBar, kTextSize);
    std::vector<char> text(kTextSize + 1, '\0');
    if (!buffer) return "";
    SendWithTimeout(statusBar, SB_GETTEXTA, part, buffer.Address());
    return buffer.Read(text.data(), kTextSize) ? text.data() : "";
}

std::vector<std::string> ListItems(HWND list) {
    // Wine marshals these messages between processes, but only the wide forms come back right.
    bool combo = !lstrcmpiA(ClassName(list).c_str(), "ComboBox");
    UINT count = combo ? CB_GETCOUNT : LB_GETCOUNT,
         length = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, get = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::string> items;
    for (LRESULT i = 0, n = SendWithTimeout(list, count, 0, 0); i < n; ++i) {
        DWORD_PTR size = 0, ignored = 0;
        SendMessageTimeoutW(list, length, i, 0, SMTO_NORMAL, 5000, &size);
        std::vector<wchar_t> wide(size + 1, L'\0');
        SendMessageTimeoutW(list, get, i, reinterpret_cast<LPARAM>(wide.data()), SMTO_NORMAL, 5000,
                            &ignored);
        std::vector<char> text(2 * size + 2, '\0');
        WideCharToMultiByte(1252, 0, wide.data(), -1, text.data(), (int)text.size(), nullptr,
                            nullptr);
        items.push_back(text.data());
    }
    return items;
}

} // namespace e2e
