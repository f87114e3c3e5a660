// The program's command line, as a file association or a user may write it: one enclosing pair
// of quotes comes off and nothing else changes; the document then opens exactly that path, upper
// cased and never cut, and changes only when it reports success.
//
// Input: the command line.
#include "app/command_line.h"
#include "app/config_document.h"
#include "app/config_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The one file on the disk: a configuration of system 123, cabin 2.
struct Disk {
    std::string asked;
    int boxes = 0;
};
const char kFilePath[] = "C:\\OBRAS\\A00123_2.Z94";

DocumentHost Host(Disk& disk) {
    DocumentHost h{};
    h.context = &disk;
    h.messageBox = [](void* c, const char*, const char*, unsigned) {
        ++static_cast<Disk*>(c)->boxes;
        return 0;
    };
    h.readFile = [](void* c, const char* path, unsigned char* buffer, int size, int* read) {
        static_cast<Disk*>(c)->asked = path;
        if (std::strcmp(path, kFilePath) != 0) return false;
        ControllerConfig image = MakeEmptyConfig();
        image.systemNumber = 123, image.cabinNumber = 2;
        unsigned char file[kConfigFileSize];
        EncodeConfigFile(image, 4, file);
        *read = size < kConfigFileSize ? size : kConfigFileSize;
        std::memcpy(buffer, file, *read);
        return true;
    };
    h.postChanged = [](void*) {};
    h.fullPath = [](void*, const char* p, char* f, int n) { std::snprintf(f, n, "%s", p); };
    return h;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string given((const char*)data, size);
    given = given.c_str();
    std::string line = given;
    StripEnclosingQuotes(line.data());
    line = line.c_str();
    bool quoted = given.size() >= 2 && given.front() == '"' && given.back() == '"';
    if (line != (quoted ? given.substr(1, given.size() - 2) : given)) std::abort();

    Disk disk;
    DocumentHost host = Host(disk);
    ConfigDocument document;
    document.Init(&host, 4, 2);
    ControllerConfig before = document.image;
    bool opened = document.OpenPath(line.c_str());
    if (!opened && (std::memcmp(&before, &document.image, sizeof before) != 0 || disk.boxes != 1))
        std::abort();
    if (opened && (document.image.systemNumber != 123 || disk.boxes != 0)) std::abort();
    // Asked for at all, the path is the whole line in capitals.
    std::string upper = line;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
    if (!disk.asked.empty() && disk.asked != upper) std::abort();
    return 0;
}
