#include "app/history_line.h"

const char kHistoryHead[] =
    "\xEF\xBB\xBF"
    "Fecha;Operaci\xC3\xB3n;Sistema;Cabina;Versi\xC3\xB3n;Resultado;Archivo\r\n";

namespace {

constexpr int kResultField = 5;

bool NeedsQuotes(const std::string& field) {
    return field.find_first_of(";\"\r\n") != std::string::npos;
}

} // namespace

std::string BuildHistoryLine(const std::string (&fields)[kHistoryFields]) {
    std::string line;
    for (int i = 0; i < kHistoryFields; ++i) {
        if (i) line += ';';
        const std::string& field = fields[i];
        if (!NeedsQuotes(field)) {
            line += field;
            continue;
        }
        line += '"';
        for (char c : field) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    return line + "\r\n";
}

bool ReadHistoryRecord(const char* text, std::size_t size, std::size_t* at,
                       std::string (&fields)[kHistoryFields]) {
    std::size_t i = *at;
    if (i == 0 && size >= 3 && text[0] == '\xEF' && text[1] == '\xBB' && text[2] == '\xBF') i = 3;
    const std::size_t start = i;
    for (std::string& f : fields)
        f.clear();
    int count = 0;
    bool overflow = false;
    std::string field;
    bool quoted = false, wasQuoted = false;
    for (; i < size; ++i) {
        char c = text[i];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < size && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        if (c == '"' && field.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == ';' || c == '\n') {
            if (count < kHistoryFields)
                fields[count].swap(field);
            else
                overflow = true;
            ++count;
            field.clear();
            wasQuoted = false;
            if (c == '\n') break;
        } else if (c != '\r') {
            field += c;
        }
    }
    if (i >= size && (count > 0 || !field.empty() || quoted)) {
        // The last record, without its line break (or cut inside a quoted field).
        if (count < kHistoryFields)
            fields[count].swap(field);
        else
            overflow = true;
        ++count;
    }
    std::size_t end = i < size ? i + 1 : size;
    *at = end;
    if (count == kHistoryFields && !overflow && !quoted) return true;
    // Shown as it is: the raw text without its line break.
    std::size_t rawEnd = end;
    while (rawEnd > start && (text[rawEnd - 1] == '\n' || text[rawEnd - 1] == '\r'))
        --rawEnd;
    for (std::string& f : fields)
        f.clear();
    fields[kResultField].assign(text + start, rawEnd - start);
    return false;
}
