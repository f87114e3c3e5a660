#include "owned_link.h"

#include <sys/stat.h>
#include <unistd.h>

bool OwnedLink::Make(const std::string& at, const std::string& to, std::string& error) {
    struct stat st;
    if (lstat(at.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = at + " exists and is not a symbolic link; it is left as it is";
            return false;
        }
        unlink(at.c_str());
    }
    if (symlink(to.c_str(), at.c_str()) != 0 || lstat(at.c_str(), &st) != 0) {
        error = "cannot link " + at;
        return false;
    }
    path = at;
    target = to;
    device = st.st_dev;
    inode = st.st_ino;
    return true;
}

void OwnedLink::Remove() {
    if (path.empty()) return;
    struct stat st;
    char text[4096];
    ssize_t n = readlink(path.c_str(), text, sizeof text);
    bool ours = lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && st.st_dev == device &&
                st.st_ino == inode &&
                target.compare(0, std::string::npos, text, n > 0 ? n : 0) == 0;
    if (ours) unlink(path.c_str());
    path.clear();
}
