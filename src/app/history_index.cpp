#include "app/history_index.h"

#include "base/text_encoding.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kResultField = 5;

// A number as typed or stored; -1 for anything that is not one.
long SystemNumber(const char* text) {
    while (*text == ' ')
        ++text;
    if (*text < '0' || *text > '9') return -1;
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    while (*end == ' ')
        ++end;
    return *end ? -1 : n;
}

} // namespace

const char* HistoryIndex::Field(std::size_t record, int field) const {
    const char* p = pool.data() + records[record];
    for (int i = 0; i < field; ++i)
        p += std::strlen(p) + 1;
    return p;
}

void BuildHistoryIndex(const char* text, std::size_t size, HistoryIndex* index) {
    index->pool.clear();
    index->records.clear();
    std::string fields[kHistoryFields];
    bool first = true;
    for (std::size_t at = 0; at < size;) {
        bool whole = ReadHistoryRecord(text, size, &at, fields);
        bool header = first && whole && fields[0] == "Fecha";
        first = false;
        if (header || (!whole && fields[kResultField].empty())) continue;
        index->records.push_back((uint32_t)index->pool.size());
        for (const std::string& field : fields) {
            std::string shown = Utf8ToCp1252(field.data(), field.size());
            for (char& c : shown)
                if (c == '\0') c = ' '; // the pool's separator
            index->pool += shown;
            index->pool += '\0';
        }
        if (index->pool.size() > UINT32_MAX / 2) break; // far beyond any history
    }
}

void FilterHistory(const HistoryIndex& index, const char* system, std::vector<uint32_t>* rows) {
    rows->clear();
    const long wanted = system && *system ? SystemNumber(system) : -2;
    if (wanted == -1) return; // no number: no system has it
    for (std::size_t i = index.records.size(); i-- > 0;) {
        if (wanted != -2 && SystemNumber(index.Field(i, 2)) != wanted) continue;
        rows->push_back((uint32_t)i);
    }
}
