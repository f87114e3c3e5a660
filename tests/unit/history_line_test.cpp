// The history's lines: what is written reads back as it was, quoted as spreadsheets read it, and
// damaged text reads without harm, shown as it is.
#include "app/history_index.h"
#include "app/history_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

// Each case: the file's text, then each record read from it ("!" before a record that did not
// read as seven fields: its raw text is then in the result field).
struct Case {
    const char* what;
    std::string text;
    std::vector<Fields> records;
};

const Case kCases[] = {
    {"plain line after the header with its byte-order mark",
     std::string(kHistoryHead) + "2026-12-07 09:15:02;Versión;;;3.7;ok;\r\n",
     {{"Fecha", "Operación", "Sistema", "Cabina", "Versión", "Resultado", "Archivo"},
      {"2026-12-07 09:15:02", "Versión", "", "", "3.7", "ok", ""}}},
    {"quoted fields with ; \" and a line break",
     "a;b;c;d;e;\"x;y \"\"z\"\"\r\nw\";\"f.Z94\"\n",
     {{"a", "b", "c", "d", "e", "x;y \"z\"\r\nw", "f.Z94"}}},
    {"last line cut short without its break",
     "a;b;c;d;e;f;g\na;b;c",
     {{"a", "b", "c", "d", "e", "f", "g"}, {"!", "a;b;c"}}},
    {"cut inside a quoted field",
     "a;b;c;d;e;\"open\r\nand on",
     {{"!", "a;b;c;d;e;\"open\r\nand on"}}},
    {"too many fields, then an empty line",
     "1;2;3;4;5;6;7;8\r\n\r\n",
     {{"!", "1;2;3;4;5;6;7;8"}, {"!", ""}}},
    {"another encoding's bytes pass as they are",
     "a;b\xF1;c;d;e;f\xE9;g\n",
     {{"a", "b\xF1", "c", "d", "e", "f\xE9", "g"}}},
    {"a built line reads back as its fields, whatever they hold",
     BuildHistoryLine({"t", "Transmisión", "1", "2", "", "T2 - \"mal\"; otra\r\nlínea", ";"}),
     {{"t", "Transmisión", "1", "2", "", "T2 - \"mal\"; otra\r\nlínea", ";"}}},
    {"nothing but the byte-order mark", "\xEF\xBB\xBF", {{"!", ""}}},
    {"a line of any length", std::string(100000, 'x') + "\n", {{"!", std::string(100000, 'x')}}},
};

TEST(HistoryLine, ReadsWhatIsThere) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        std::vector<Fields> read;
        std::size_t at = 0;
        while (at < c.text.size()) {
            std::string fields[kHistoryFields];
            std::size_t before = at;
            bool whole = ReadHistoryRecord(c.text.data(), c.text.size(), &at, fields);
            ASSERT_GT(at, before);
            if (whole)
                read.emplace_back(fields, fields + kHistoryFields);
            else
                read.push_back({"!", fields[5]});
        }
        EXPECT_EQ(read, c.records);
    }
}

// The list's index: the header and empty lines left out, newest first, in Windows-1252, and the
// filter by system number.
TEST(HistoryLine, IndexNewestFirstAndFilteredBySystem) {
    const std::string text = std::string(kHistoryHead) + "t1;Versión;;;3.7;ok;\r\n\r\n" +
                             "t2;Recepción;345;2;3.7;ok;A.Z94\r\n" +
                             std::string("roto\0aquí\n", 11) +
                             "t3;Transmisión;0345;1;3.7;\"a;b\";B.Z94\n";
    HistoryIndex index;
    BuildHistoryIndex(text.data(), text.size(), &index);
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"", {"t3", "", "t2", "t1"}},
        {" 345", {"t3", "t2"}},
        {"abc", {}},
    };
    for (const auto& [system, dates] : cases) {
        std::vector<uint32_t> rows;
        FilterHistory(index, system, &rows);
        std::vector<std::string> shown;
        for (uint32_t row : rows)
            shown.push_back(index.Field(row, 0));
        EXPECT_EQ(shown, dates) << system;
    }
    EXPECT_STREQ(index.Field(3, 1), "Transmisi\xF3n");
    EXPECT_STREQ(index.Field(3, 5), "a;b");
    EXPECT_STREQ(index.Field(2, 5), "roto aqu\xED");
}

} // namespace
