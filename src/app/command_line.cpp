#include "app/command_line.h"

#include <cstring>

void StripEnclosingQuotes(char* s) {
    size_t n = std::strlen(s);
    if (n >= 2 && s[0] == '"' && s[n - 1] == '"') {
        std::memmove(s, s + 1, n - 2);
        s[n - 2] = '\0';
    }
}
