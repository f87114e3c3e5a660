// The settings file with arbitrary values, as the profile functions hand them over. Only one
// file is read (the user's, or the old one while the user's does not exist), the company lines
// stay within their fields, and whatever was loaded, saved again, loads back the same.
//
// Input: a byte saying which files exist (bit 0 the user's, bit 1 the old one), then one value a
// line, in the order the keys are read; a key without its line is missing from the file.
#include "app/settings_store.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const kKeys[] = {"CommPort", "Empresa1", "Empresa2", "Status",
                             "OrgWinL",  "OrgWinR",  "OrgWinT",  "OrgWinB"};

struct File {
    bool exists;
    std::map<std::string, std::string> values; // by key; the sections hold different keys
    bool read = false;
};

// As the platform's profile functions: the value or the fallback, cut to the buffer.
ProfileStore Store(File& file) {
    return {&file, [](void* c) { return static_cast<File*>(c)->exists; },
            [](void* c, const char*, const char* key, const char* fallback, char* out, int size) {
                File& f = *static_cast<File*>(c);
                f.read = true;
                auto found = f.values.find(key);
                std::string value = found == f.values.end() ? fallback : found->second.c_str();
                out[value.copy(out, (size_t)size - 1)] = '\0';
            },
            [](void* c, const char*, const char* key, const char* value) {
                static_cast<File*>(c)->values[key] = value;
            }};
}

bool LineFits(const char* line) {
    size_t n = strnlen(line, kCompanyLineSize);
    return n <= (size_t)kCompanyLineMax;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    File user{(data[0] & 1) != 0, {}}, legacy{(data[0] & 2) != 0, {}};
    File& present = !user.exists && legacy.exists ? legacy : user;
    std::string text((const char*)data + 1, size - 1);
    size_t at = 0;
    for (const char* key : kKeys) {
        if (at > text.size()) break;
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        present.values[key] = text.substr(at, end - at);
        at = end + 1;
    }

    ProgramSettings settings;
    LoadProgramSettings(settings, Store(user), Store(legacy));
    if ((&present == &user ? legacy.read : user.read) || !present.read) std::abort();
    if (!LineFits(settings.companyLine1) || !LineFits(settings.companyLine2)) std::abort();

    File saved{true, {}}, none{false, {}};
    SaveProgramSettings(settings, Store(saved));
    ProgramSettings back;
    LoadProgramSettings(back, Store(saved), Store(none));
    if (back.port != settings.port || back.windowState != settings.windowState ||
        back.left != settings.left || back.top != settings.top || back.right != settings.right ||
        back.bottom != settings.bottom ||
        std::strcmp(back.companyLine1, settings.companyLine1) != 0 ||
        std::strcmp(back.companyLine2, settings.companyLine2) != 0)
        std::abort();
    return 0;
}
