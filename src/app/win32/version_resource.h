#pragma once
// The program file's own version block. Failures go to the debugger's output only.
#include "app/version_info.h"

#include <windows.h>

// The fixed part; true with zeros when the file has no version information.
bool ReadFixedVersionInfo(HINSTANCE instance, FixedVersionInfo* out);
// A string of the first translation, at most size - 1 characters; the buffer is empty on failure.
bool ReadVersionString(HINSTANCE instance, const char* key, char* out, int size);
