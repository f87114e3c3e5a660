#include "serial_line.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {
bool MakeRaw(int fd) {
    termios t;
    if (tcgetattr(fd, &t) != 0) return false;
    cfmakeraw(&t);
    cfsetispeed(&t, B19200);
    cfsetospeed(&t, B19200);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

std::string Reason(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}
} // namespace

uint64_t NowMs() {
    using namespace std::chrono;
    return (uint64_t)duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool SerialLine::OpenPseudoTerminal(std::string& path, std::string& error) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        error = Reason("posix_openpt");
        return false;
    }
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        error = Reason("unlockpt");
        close(master);
        return false;
    }
    const char* name = ptsname(master);
    if (!name) {
        error = Reason("ptsname");
        close(master);
        return false;
    }
    path = name;
    // Holding the terminal end open keeps the line up between the program's sessions, and
    // setting it raw stops the line discipline from echoing or rewriting bytes.
    int terminal = open(name, O_RDWR | O_NOCTTY);
    if (terminal < 0 || !MakeRaw(terminal)) {
        error = Reason(name);
        if (terminal >= 0) close(terminal);
        close(master);
        return false;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    handle = master;
    terminalEnd = terminal;
    return true;
}

bool SerialLine::OpenDevice(const std::string& path, std::string& error) {
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        error = Reason(path.c_str());
        return false;
    }
    if (isatty(fd) && !MakeRaw(fd)) {
        error = Reason(path.c_str());
        close(fd);
        return false;
    }
    handle = fd;
    return true;
}

int SerialLine::Read(uint8_t* buffer, int size) {
    ssize_t n = read((int)handle, buffer, size);
    if (n >= 0) return (int)n;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
}

void SerialLine::Wait(unsigned ms) {
    pollfd p{(int)handle, POLLIN, 0};
    poll(&p, 1, (int)ms);
}

bool SerialLine::Write(const uint8_t* bytes, int size) {
    int done = 0;
    uint64_t deadline = NowMs() + 2000;
    while (done < size) {
        ssize_t n = write((int)handle, bytes + done, size - done);
        if (n > 0) {
            done += (int)n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return false;
        if (NowMs() > deadline) return false;
        pollfd p{(int)handle, POLLOUT, 0};
        poll(&p, 1, 50);
    }
    return true;
}

void SerialLine::Close() {
    if (handle >= 0) close((int)handle);
    if (terminalEnd >= 0) close((int)terminalEnd);
    handle = terminalEnd = -1;
}
