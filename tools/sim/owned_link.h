#pragma once
// The symbolic link that `--link` makes to the simulator's line (POSIX). It replaces only a link
// that is there already, never a file, and goes at the end only while it is still the one made.
#include <string>

struct OwnedLink {
    // Makes `at` a link to `target`; false with a message in `error` when something other than
    // a symbolic link stands at `at`, which is then left as it is.
    bool Make(const std::string& at, const std::string& target, std::string& error);
    // Removes the link if nobody has put anything else in its place meanwhile.
    void Remove();

    std::string path, target;
    unsigned long long device = 0, inode = 0;
};
