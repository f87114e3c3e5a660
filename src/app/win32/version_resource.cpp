#include "app/win32/version_resource.h"

#include "base/cp1252.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

void Debug(const char* line) {
    OutputDebugStringA(line);
    OutputDebugStringA("\r\n");
}

DWORD VersionSize(HINSTANCE instance, char (&path)[301]) {
    GetModuleFileNameA(instance, path, sizeof path - 1);
    path[sizeof path - 1] = '\0';
    DWORD ignored = 0;
    return GetFileVersionInfoSizeA(path, &ignored);
}

} // namespace

bool ReadFixedVersionInfo(HINSTANCE instance, FixedVersionInfo* out) {
    *out = FixedVersionInfo{};
    char path[301];
    DWORD size = VersionSize(instance, path);
    if (size == 0) return true;
    std::unique_ptr<char[]> block(new (std::nothrow) char[size]);
    if (!block || !GetFileVersionInfoA(path, 0, size, block.get())) {
        Debug(W1252("No se encuentra información de versión."));
        return false;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.get(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof *fixed) {
        Debug(W1252("No se encuentra información del archivo."));
        return false;
    }
    static_assert(sizeof *fixed == sizeof *out, "the fixed record has 13 values");
    std::memcpy(out, fixed, sizeof *out);
    return true;
}

bool ReadVersionString(HINSTANCE instance, const char* key, char* out, int size) {
    if (size <= 0) return false;
    out[0] = '\0';
    char path[301];
    DWORD total = VersionSize(instance, path);
    if (total == 0) {
        Debug(W1252("No se encuentra información de versión (largo 0)."));
        return false;
    }
    std::unique_ptr<char[]> block(new (std::nothrow) char[total]);
    if (!block) {
        Debug(W1252("No hay memoria suficiente para obtener la información de versión."));
        return false;
    }
    if (!GetFileVersionInfoA(path, 0, total, block.get())) {
        Debug(W1252("No se encuentra información de versión."));
        return false;
    }
    WORD* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.get(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &length)) {
        Debug(W1252("No se encuentra información de Idioma."));
        return false;
    }
    if (!translations || length < 2 * sizeof(WORD)) return true;
    char query[128];
    FormatVersionQuery(translations[0], translations[1], key, query, sizeof query);
    char* value = nullptr;
    if (!VerQueryValueA(block.get(), query, reinterpret_cast<void**>(&value), &length) || !value) {
        Debug(W1252("No se encuentra la información solicitada:"));
        Debug(key);
        return false;
    }
    lstrcpynA(out, value, size);
    out[size - 1] = '\0';
    return true;
}
