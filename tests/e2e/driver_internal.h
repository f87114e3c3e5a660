#pragma once
// Pieces shared by the driver's source files; tests use driver.h only.
#include <windows.h>

#include <cstddef>
#include <string>

namespace e2e {

// A block of memory inside another process (VirtualAllocEx), freed on destruction.
class RemoteMemory {
  public:
    RemoteMemory(HANDLE process, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    explicit operator bool() const { return address_ != nullptr; }
    void* Address() const { return address_; }
    bool Write(const void* data, size_t size, size_t offset = 0) const;
    bool Read(void* data, size_t size, size_t offset = 0) const;

  private:
    HANDLE process_;
    void* address_;
};

// An open handle on the process that owns `window`, closed on destruction.
class WindowProcess {
  public:
    explicit WindowProcess(HWND window);
    ~WindowProcess();
    WindowProcess(const WindowProcess&) = delete;
    WindowProcess& operator=(const WindowProcess&) = delete;
    HANDLE Handle() const { return handle_; }

  private:
    HANDLE handle_;
};

std::string WideTo1252(const wchar_t* text);
std::string ClassName(HWND window);
// Sends a message with a time-out so that a hung program fails the test instead of hanging it.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        DWORD timeoutMs = 5000);
// The name of the running test, "Suite.Test", or "" outside a test.
std::string CurrentTestName();

} // namespace e2e
