#pragma once
// Pieces shared by the driver's source files and the steps of the scenarios.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace e2e {

// A block of memory inside the process that owns `window` (VirtualAllocEx), freed on
// destruction: where common controls of another process write what they are asked for.
class RemoteMemory {
  public:
    RemoteMemory(HWND window, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    explicit operator bool() const { return address_ != nullptr; }
    LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
    bool Read(void* data, size_t size, size_t offset = 0) const;

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

std::string Environment(const char* name); // "" when not set
std::string ClassName(HWND window);
// Top-level windows front to back, of one thread (0: any) and class (nullptr: any).
std::vector<HWND> TopLevelWindows(DWORD thread, const char* className);
// Sends a message with a time-out so that a hung program fails the test instead of hanging it.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        DWORD timeoutMs = 5000);

} // namespace e2e
