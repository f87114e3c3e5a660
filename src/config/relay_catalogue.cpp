#include "config/relay_catalogue.h"

#include "base/res_string.h"
#include "base/string_ids.h"

#include <cstdio>

namespace {

// A missing entry reads as the empty text rather than the loader's error text.
void LoadOrEmpty(unsigned id, char* out, int size) {
    if (LoadResString(id, out, size) == 0 && size > 0) out[0] = '\0';
}
} // namespace

void RelayName(int code, char* out, int size) {
    if (code < 0 || code > kRelayCodeMax) {
        if (size > 0) out[0] = '\0';
        return;
    }
    LoadOrEmpty(str::RelayNames + code, out, size);
}

void RelayMnemonic(int code, char* out, int size) {
    if (code < 0 || code > kRelayCodeMax) {
        if (size > 0) out[0] = '\0';
        return;
    }
    LoadOrEmpty(str::RelayMnemonics + code, out, size);
}

bool RelayHasDescription(int code) {
    if (code < 0 || code > kRelayCodeMax) return false;
    char text[256];
    return LoadResString(str::RelayDescriptions + code, text, sizeof text) > 0;
}

void relayDescriptionText(int code, char* out, size_t size) {
    char mnemonic[256], name[256], description[256];
    if (!RelayHasDescription(code)) {
        std::snprintf(out, size, "%02d - %s", code, ResString(str::TextNoSpecification));
        return;
    }
    RelayMnemonic(code, mnemonic, sizeof mnemonic);
    RelayName(code, name, sizeof name);
    LoadResString(str::RelayDescriptions + code, description, sizeof description);
    std::snprintf(out, size, "%02d - %s  %s\r%s", code, mnemonic, name, description);
}

void relayReportText(int code, char* out, size_t size) {
    if (code == 0) {
        std::snprintf(out, size, "%02d - %s", code, ResString(str::TextDoesNothing));
    } else if (RelayHasDescription(code)) {
        char mnemonic[256], name[256];
        RelayMnemonic(code, mnemonic, sizeof mnemonic);
        RelayName(code, name, sizeof name);
        std::snprintf(out, size, "%02d - %s  %s", code, mnemonic, name);
    } else {
        std::snprintf(out, size, "%02d - %s", code, ResString(str::TextNoSpecification));
    }
}
