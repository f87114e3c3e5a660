// LoadResString on the program's own string-table resources.
#include "base/res_string.h"

#include <windows.h>

int LoadResString(unsigned id, char* buffer, int size) {
    if (size <= 0) return 0;
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, size);
    if (n <= 0) {
        FormatMissingString(id, buffer, size);
        n = 0;
    }
    buffer[size - 1] = '\0';
    return n;
}
