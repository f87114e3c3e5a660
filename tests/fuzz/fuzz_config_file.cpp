// The .Z94 file and the document that opens it. Arbitrary bytes either are refused or load an
// image that, saved again, loads back the same. Opening a file, whatever its name, its bytes or
// the read's failure, changes the document only when it reports success, and then to exactly the
// file's image; the document's own saved file opens back to its image.
//
// Input: a flags byte (bit 0: the read fails, bit 1: the document is modified, bit 2: the saved
// file exists already, bit 3: the technician agrees to overwrite it), the length of the name,
// the name, then the file's bytes.
#include "app/config_document.h"
#include "app/config_file.h"
#include "base/message_box.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Disk {
    std::string name, bytes;
    bool fails;
    uint8_t flags;
};

DocumentHost Host(Disk& disk) {
    DocumentHost h{};
    h.context = &disk;
    h.messageBox = [](void* c, const char*, const char*, unsigned) {
        return static_cast<Disk*>(c)->flags & 8 ? mb::IdYes : mb::IdNo;
    };
    h.fileExists = [](void* c, const char*) { return (static_cast<Disk*>(c)->flags & 4) != 0; };
    h.readFile = [](void* c, const char* path, unsigned char* buffer, int size, int* read) {
        Disk& d = *static_cast<Disk*>(c);
        if (d.fails || d.name != path) return false;
        *read = (int)d.bytes.copy((char*)buffer, (size_t)size);
        return true;
    };
    h.writeFile = [](void* c, const char* path, const unsigned char* data, int size) {
        Disk& d = *static_cast<Disk*>(c);
        d.name = path;
        d.bytes.assign((const char*)data, size);
        return !d.fails;
    };
    h.postChanged = [](void*) {};
    h.fullPath = [](void*, const char* p, char* f, int n) { std::snprintf(f, n, "%s", p); };
    h.showStatus = [](void*, const char*) {};
    return h;
}

bool Same(const ControllerConfig& a, const ControllerConfig& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    uint8_t flags = data[0];
    size_t nameLength = data[1] < size - 2 ? data[1] : size - 2;
    std::string name((const char*)data + 2, nameLength);
    name = name.c_str(); // a path ends at its first NUL
    std::string bytes((const char*)data + 2 + nameLength, size - 2 - nameLength);

    ControllerConfig loaded;
    bool isFile = DecodeConfigFile((const unsigned char*)bytes.data(), (int)bytes.size(), loaded);
    if (isFile) {
        unsigned char file[kConfigFileSize];
        EncodeConfigFile(loaded, flags, file);
        ControllerConfig again;
        if (!DecodeConfigFile(file, sizeof file, again) || !Same(again, loaded)) std::abort();
    }

    // The file lies where the upper-cased name points.
    std::string path = name;
    for (char& c : path)
        if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
    Disk disk{path, bytes, (flags & 1) != 0, flags};
    DocumentHost host = Host(disk);
    ConfigDocument document;
    document.Init(&host, 4, 2);
    document.image.systemNumber = 4321; // not the empty configuration a load starts from
    document.modified = (flags & 2) != 0;
    ControllerConfig before = document.image;
    uint32_t wasModified = document.modified;
    if (!document.OpenPath(name.c_str())) {
        if (!Same(document.image, before) || document.modified != wasModified) std::abort();
        return 0;
    }
    // Only the first 262 bytes are read.
    ControllerConfig expected;
    if (!DecodeConfigFile((const unsigned char*)bytes.data(),
                          (int)(bytes.size() < kConfigFileSize ? bytes.size() : kConfigFileSize),
                          expected) ||
        !Same(document.image, expected) || document.modified || disk.fails)
        std::abort();

    // Saved under its recommended name and opened again; declined, nothing is written.
    disk = Disk{"", "", false, flags};
    document.modified = 1;
    SaveResult saved = document.Save();
    if (saved == SaveResult::Declined) {
        if (!disk.name.empty() || !document.modified) std::abort();
        return 0;
    }
    before = document.image;
    if (saved != SaveResult::Saved || disk.bytes.size() != (size_t)kConfigFileSize) std::abort();
    document.image = MakeEmptyConfig();
    if (!document.OpenPath(disk.name.c_str()) || !Same(document.image, before)) std::abort();
    return 0;
}
