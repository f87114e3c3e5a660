// A help book's source, as an author may write it, with a search query. A source is refused with
// the line at fault, or every link, contents entry, index entry and search result names one of
// its topics, and each topic lays out with its links where a click finds them.
//
// Input: the search query on the first line, then the book's UTF-8 source.
#include "help/help_book.h"
#include "help/help_layout.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool Names(const HelpBook& book, int topic) {
    return topic >= 0 && topic < (int)book.topics.size();
}

HelpMeasure Measure() {
    return {nullptr,
            [](void*, HelpFont font, const char*, int length) {
                return length * (font == HelpFont::Body ? 6 : 7);
            },
            [](void*, HelpFont font) { return font == HelpFont::Title ? 18 : 12; }};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char *text = (const char*)data, *end = (const char*)std::memchr(text, '\n', size);
    if (!end) return 0;
    std::string query(text, end);

    HelpBook book;
    std::string error;
    if (!book.Parse(end + 1, text + size - end - 1, &error)) {
        if (error.compare(0, 5, "line ") != 0) std::abort();
        return 0;
    }
    if (!Names(book, book.contents)) std::abort();
    for (const HelpContentsItem& item : book.ContentsItems())
        if (item.level == 0 ? item.topic != -1 : !Names(book, item.topic)) std::abort();
    for (const HelpIndexEntry& entry : book.Index())
        if (!Names(book, entry.topic)) std::abort();
    for (const HelpIndexEntry& entry : book.Search(query.c_str()))
        if (!Names(book, entry.topic)) std::abort();

    int width = 40 + (int)(size % 600);
    for (size_t t = 0; t < book.topics.size(); ++t) {
        const HelpTopic& topic = book.topics[t];
        if (book.FindKey(topic.key) != (int)t) std::abort();
        if (topic.context >= 0 && book.FindContext((uint32_t)topic.context) != (int)t) std::abort();
        HelpLayout layout = LayOutHelpTopic(topic, true, width, Measure());
        for (const HelpPiece& piece : layout.pieces) {
            if (piece.target != -1 && !Names(book, piece.target)) std::abort();
            if (piece.width > 0 && HelpLinkAt(layout, piece.x + piece.width / 2,
                                              piece.y + piece.height / 2) != piece.target)
                std::abort();
        }
        HelpPlainText(topic);
    }
    return 0;
}
