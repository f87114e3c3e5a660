// Cross-process reads of common controls, and the plumbing for the probe library.
#include "driver.h"
#include "driver_internal.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

namespace e2e {

RemoteMemory::RemoteMemory(HANDLE process, size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteMemory::~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(const void* data, size_t size, size_t offset) const {
    SIZE_T done = 0;
    return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) &&
           done == size;
}

bool RemoteMemory::Read(void* data, size_t size, size_t offset) const {
    SIZE_T done = 0;
    return ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) &&
           done == size;
}

WindowProcess::WindowProcess(HWND window) : handle_(nullptr) {
    DWORD pid = 0;
    if (GetWindowThreadProcessId(window, &pid))
        handle_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                  PROCESS_QUERY_INFORMATION,
                              FALSE, pid);
}

WindowProcess::~WindowProcess() {
    if (handle_) CloseHandle(handle_);
}

std::string WideTo1252(const wchar_t* text) {
    int size = WideCharToMultiByte(1252, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return "";
    std::string out(size - 1, '\0');
    WideCharToMultiByte(1252, 0, text, -1, &out[0], size, nullptr, nullptr);
    return out;
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
    if (!control) return "";
    // The text may change between asking its length and reading it: a read that fills the
    // buffer may be cut, and is made again with a larger one.
    size_t size = static_cast<size_t>(SendWithTimeout(control, WM_GETTEXTLENGTH, 0, 0)) + 64;
    for (;; size *= 2) {
        std::vector<char> text(size, '\0');
        SendWithTimeout(control, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text.data()));
        if (std::strlen(text.data()) + 1 < size) return text.data();
    }
}

std::string StatusBarText(HWND statusBar, int part) {
    WindowProcess process(statusBar);
    if (!statusBar || !process.Handle()) return "";
    // SB_GETTEXT writes the whole text into the program's memory without a size: the buffer is
    // far larger than any part's text, which may also have grown since its length was asked.
    constexpr size_t kTextSize = 4096;
    RemoteMemory buffer(process.Handle(), kTextSize);
    if (!buffer) return "";
    SendWithTimeout(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buffer.Address()));
    std::vector<char> text(kTextSize + 1, '\0');
    if (!buffer.Read(text.data(), kTextSize)) return "";
    return text.data();
}

std::string ListViewItemText(HWND listView, int item, int column) {
    WindowProcess process(listView);
    if (!listView || !process.Handle()) return "";
    constexpr int kTextSize = 1024;
    RemoteMemory memory(process.Handle(), sizeof(LVITEMA) + kTextSize);
    if (!memory) return "";
    LVITEMA request{};
    request.iSubItem = column;
    request.cchTextMax = kTextSize;
    request.pszText = static_cast<char*>(memory.Address()) + sizeof(LVITEMA);
    if (!memory.Write(&request, sizeof request)) return "";
    SendWithTimeout(listView, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(memory.Address()));
    std::vector<char> text(kTextSize + 1, '\0');
    memory.Read(text.data(), kTextSize, sizeof(LVITEMA));
    return text.data();
}

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    std::string cls = ClassName(list);
    // List and combo boxes: Wine marshals these messages between processes, but only the wide
    // forms come back right (the ANSI ones return wide text).
    struct Messages {
        UINT count, length, text;
    };
    std::optional<Messages> messages;
    if (!lstrcmpiA(cls.c_str(), "ListBox") || !lstrcmpiA(cls.c_str(), "ComboLBox"))
        messages = Messages{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT};
    else if (!lstrcmpiA(cls.c_str(), "ComboBox"))
        messages = Messages{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT};
    if (messages) {
        LRESULT count = SendWithTimeout(list, messages->count, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            DWORD_PTR length = 0;
            SendMessageTimeoutW(list, messages->length, i, 0, SMTO_NORMAL, 5000, &length);
            std::vector<wchar_t> text(length + 1, L'\0');
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(list, messages->text, i, reinterpret_cast<LPARAM>(text.data()),
                                SMTO_NORMAL, 5000, &ignored);
            items.push_back(WideTo1252(text.data()));
        }
    } else if (!lstrcmpiA(cls.c_str(), WC_LISTVIEWA)) {
        LRESULT count = SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i)
            items.push_back(ListViewItemText(list, static_cast<int>(i), 0));
    }
    return items;
}

} // namespace e2e
