// The string list compiled into the native builds, converted once from its UTF-8 source to the
// Windows-1252 bytes that the resource compiler produces for the program.
#include "base/res_string.h"
#include "base/text_encoding.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Entry {
    unsigned id;
    const char* utf8;
};

const Entry kEntries[] = {
#define STR(id, name, text) {id, text},
#define ROW(id, text) {id, text},
#define BASE(id, name)
#include "res/strings.inc"
#undef STR
#undef ROW
#undef BASE
};

struct Table {
    std::vector<std::pair<unsigned, std::string>> rows;
    Table() {
        for (const Entry& e : kEntries)
            rows.emplace_back(e.id, Utf8ToCp1252(e.utf8, std::strlen(e.utf8)));
        std::sort(rows.begin(), rows.end());
    }
};

} // namespace

const char* StringTableText(unsigned id) {
    static const Table table;
    auto it = std::lower_bound(table.rows.begin(), table.rows.end(), id,
                               [](const auto& row, unsigned key) { return row.first < key; });
    if (it == table.rows.end() || it->first != id) return nullptr;
    return it->second.c_str();
}
