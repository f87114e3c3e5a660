// The help book: parsing its source, finding topics, the contents list, the index and search,
// and the books the program carries.
#include "help/help_book.h"
#include "help/help_layout.h"

#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

HelpBook Parse(const char* source) {
    HelpBook book;
    std::string error;
    EXPECT_TRUE(book.Parse(source, std::strlen(source), &error)) << error;
    return book;
}

std::string ParseError(const char* source) {
    HelpBook book;
    std::string error;
    EXPECT_FALSE(book.Parse(source, std::strlen(source), &error));
    return error;
}

std::string SourceFile(const std::string& path) {
    std::ifstream in(std::string(ZRT_SOURCE_DIR) + path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << path;
    return text.str();
}

// Two topics linked from a contents topic; one line of its text ends in CR LF.
HelpBook SmallBook() {
    return Parse(SourceFile("/tests/unit/data/small_book.txt").c_str());
}

TEST(HelpBook, RefusesFaultyBooksNamingTheLine) {
    const char* const cases[][2] = {
        {"@topic 1\n@title A\nVer [otro](2).\n", "line 3: link to unknown topic '2'"},
        {"@topic 1\n@title A\n@topic 1\n@title B\n", "line 3: topic '1' given twice"},
        {"@topic 707\n@title A\n@topic 0707\n@title B\n", "line 3: context 707 given twice"},
        {"@topic 1\nSin título\n@topic 2\n@title B\n", "line 3: topic '1' has no title"},
        {"Texto suelto\n", "line 1: text outside a topic"},
        {"@topic 1\n@title A\n@autor x\n", "line 3: unknown directive @autor"},
        {"@topic 4294967296\n", "line 1: bad topic key '4294967296'"}, // 2 to the 32nd
        {"@contents nada\n@topic 1\n@title A\n", "line 1: unknown contents topic 'nada'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseError(c[0]), c[1]);
}

// The contents list follows the contents topic; keywords that repeat their own topic's title or
// each other are listed once in the index. Paragraphs, bullets and links show in the plain text;
// where a link's words stand in a laid-out topic is the help fuzzer's.
TEST(HelpBook, TopicsContentsAndIndex) {
    HelpBook book = SmallBook();
    EXPECT_EQ(book.title, "Ayuda de prueba");
    ASSERT_EQ(book.topics.size(), 3u);
    EXPECT_EQ(book.topics[0].context, 410);
    EXPECT_EQ(book.topics[0].blocks[1].kind, HelpBlockKind::Heading);
    EXPECT_EQ(book.topics[1].context, -1);
    EXPECT_EQ(book.FindContext(202), -1); // a topic's own context and key are the fuzzer's
    std::vector<std::string> items;       // "label topic/level"
    for (const HelpContentsItem& i : book.ContentsItems())
        items.push_back(i.label + " " + std::to_string(i.topic) + "/" + std::to_string(i.level));
    EXPECT_EQ(items, (std::vector<std::string>{"Programa -1/0", W1252("Configuración 0/1"),
                                               "Empresa 2/2"}));
    std::vector<std::string> labels;
    for (const HelpIndexEntry& e : book.Index())
        labels.push_back(e.label);
    EXPECT_EQ(labels,
              (std::vector<std::string>{W1252("Configuración del programa"), "Contenido", "Empresa",
                                        W1252("empresa (Configuración del programa)"), "etiqueta",
                                        "puerto serie"}));
}

TEST(HelpBook, SearchMatchesWordBeginningsWithoutCaseOrAccents) {
    HelpBook book = SmallBook();
    EXPECT_EQ(book.Search("  ").size(), book.Index().size());
    auto found = book.Search(W1252("CONFIGURACIÓN"));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].topic, 0);
    EXPECT_EQ(found[1].topic, 1); // "Configuración" is in the contents topic's text only
    // A word of the text alone finds its topic, listed by title.
    found = book.Search(W1252("lÍnea etiq"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].label, "Empresa");
    EXPECT_TRUE(book.Search("ascensor").empty());
}

// Pop-ups show a topic as plain text; a control without a topic gets the missing-help text. A
// template's control of id -1 finds the table's 65535 entry.
TEST(HelpBook, PlainTextAndControlTables) {
    EXPECT_EQ(HelpPlainText(MissingHelpTopic()), "No hay ayuda para este elemento.");
    EXPECT_EQ(HelpPlainText(SmallBook().topics[0]),
              std::string(W1252("Elija el puerto con que se abre la línea.\r\n\r\nCampos")) +
                  "\r\n\r\n\x95 Empresa, primera l\xEDnea\r\n\x95 Puerto");
    const uint32_t table[] = {560, 204, 65535, 402, 0, 0};
    uint32_t context = 0;
    EXPECT_TRUE(HelpContextForControl(table, 0xFFFFFFFF, &context) && context == 402u);
    EXPECT_FALSE(HelpContextForControl(table, 561, &context));
}

TEST(HelpBook, LinkedTopicsAreCheckedAgainstTheBookTheyWereMadeFor) {
    HelpBook book = SmallBook(), other = SmallBook();
    const std::tuple<const HelpBook*, uint64_t, int> cases[] = {
        {&book, 0, 0},           {&book, 2, 2},
        {&book, 3, -1},          {&book, 0x100000002, -1}, // 2 in its low 32 bits
        {&book, UINT64_MAX, -1}, {&other, 1, -1},
        {nullptr, 1, -1},
    };
    for (const auto& [madeFor, index, topic] : cases)
        EXPECT_EQ(book.LinkedTopic(madeFor, index), topic) << index;
}

// Letters 10 wide (bold 12), lines 20 high (headings 30, titles 40), 200 wide: words wrap at
// blanks, a link and its comma stay one word, list items hang 25 in behind their bullet.
TEST(HelpLayout, WrapsWordsAndFindsLinks) {
    HelpMeasure measure{
        nullptr,
        [](void*, HelpFont f, const char*, int n) { return n * (f == HelpFont::Bold ? 12 : 10); },
        [](void*, HelpFont f) {
            return f == HelpFont::Title ? 40 : f == HelpFont::Heading ? 30 : 20;
        }};
    HelpLayout layout = LayOutHelpTopic(SmallBook().topics[0], true, 200, measure);
    using F = HelpFont;
    const std::tuple<int, int, int, int, HelpFont, int, std::string> pieces[] = {
        {0, 0, 170, 40, F::Title, -1, W1252("Configuración del")},
        {0, 40, 80, 40, F::Title, -1, "programa"},
        {0, 90, 80, 20, F::Body, -1, "Elija el"},
        {90, 90, 72, 20, F::Bold, -1, "puerto"},
        {0, 110, 180, 20, F::Body, -1, "con que se abre la"},
        {0, 130, 60, 20, F::Body, -1, W1252("línea.")},
        {0, 165, 60, 30, F::Heading, -1, "Campos"},
        {6, 198, 10, 20, F::Body, -1, "\x95"},
        {25, 198, 70, 20, F::Link, 2, "Empresa"},
        {95, 198, 90, 20, F::Body, -1, ", primera"},
        {25, 218, 50, 20, F::Body, -1, W1252("línea")},
        {6, 241, 10, 20, F::Body, -1, "\x95"},
        {25, 241, 60, 20, F::Body, -1, "Puerto"},
    };
    ASSERT_EQ(layout.pieces.size(), std::size(pieces));
    for (size_t i = 0; i < std::size(pieces); ++i) {
        const HelpPiece& p = layout.pieces[i];
        EXPECT_EQ(std::tie(p.x, p.y, p.width, p.height, p.font, p.target, p.text), pieces[i]) << i;
    }
    EXPECT_EQ(LayOutHelpTopic(SmallBook().topics[0], true, 170, measure).pieces[0].text,
              W1252("Configuración del"))
        << "a line filled to the width";
    EXPECT_EQ(layout.width, 185);
    EXPECT_EQ(layout.height, 261);
    const int hits[][3] = {{25, 198, 2},  {94, 217, 2},  {95, 198, -1},
                           {24, 198, -1}, {25, 197, -1}, {25, 218, -1}};
    for (const auto& h : hits)
        EXPECT_EQ(HelpLinkAt(layout, h[0], h[1]), h[2]) << h[0] << "," << h[1];
}

HelpBook ProgramBook(const char* file) {
    return Parse(SourceFile(std::string("/src/res/help/") + file).c_str());
}

TEST(ProgramHelpBooks, EveryContextTheProgramAsksForHasATopic) {
    HelpBook book = ProgramBook("cnfzrt94.txt");
    // The settings dialog, the editor's help button, the event log and history dialogs.
    std::vector<uint32_t> contexts = {201, 202, 203, 204, 410, 411, 412, 413, 999};
    // The editor pages' controls and the event log's.
    const uint32_t ranges[] = {100, 113, 300, 306, 400, 404, 500,
                               515, 600, 613, 700, 713, 800, 806};
    for (size_t i = 0; i < std::size(ranges); i += 2)
        for (uint32_t c = ranges[i]; c <= ranges[i + 1]; ++c)
            contexts.push_back(c);
    for (uint32_t c : contexts)
        EXPECT_GE(book.FindContext(c), 0) << c;
    ProgramBook("winhelp.txt"); // the help on help parses too
}

} // namespace
