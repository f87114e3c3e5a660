#pragma once
// A help book: the program's help text, parsed from its UTF-8 source into Windows-1252 topics
// that are found by context number or by name, listed in a contents list and searched by
// keyword or by the words of their text.
//
// Source format, one book per file:
//   # text              a comment line
//   @book Title         the book's title, once, before the first topic
//   @contents key       the topic that opens the book (default: the first topic)
//   @topic key          starts a topic; the key is a context number or a name (a-z, 0-9, -)
//   @title Text         the topic's title
//   @keywords a; b      the topic's entries in the keyword index
//   ## Text             a sub-heading
//   - text              a list item; the lines that follow continue it
//   other lines         paragraph text; consecutive lines join, a blank line ends the paragraph
// Inside text, **bold** and [shown text](key) for a link to another topic.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class HelpBlockKind : uint8_t { Heading, Paragraph, Bullet };
enum class HelpRunStyle : uint8_t { Plain, Bold, Link };

struct HelpRun {
    std::string text;
    HelpRunStyle style = HelpRunStyle::Plain;
    int target = -1; // topic index of a link
};

struct HelpBlock {
    HelpBlockKind kind = HelpBlockKind::Paragraph;
    std::vector<HelpRun> runs;
};

struct HelpTopic {
    std::string key;
    int64_t context = -1; // -1 for a topic known only by name
    std::string title;
    std::vector<std::string> keywords;
    std::vector<HelpBlock> blocks;
};

struct HelpIndexEntry {
    std::string label;
    int topic;
};

struct HelpContentsItem {
    std::string label;
    int topic; // -1 for a heading
    int level; // 0 heading, 1 paragraph link, 2 list-item link
};

struct HelpBook {
    std::string title;
    std::vector<HelpTopic> topics;
    int contents = 0;

    // Replaces the book with the parsed source. On a fault, false and `error` names the line.
    bool Parse(const char* utf8, std::size_t size, std::string* error);

    int FindContext(uint32_t context) const; // topic index, or -1
    int FindKey(const std::string& key) const;
    // The topic index of a link reported by a message, which any window can post and which may
    // arrive after the window has turned to another book: -1 unless the link was made for this
    // book (`madeFor`) and the index lies within it.
    int LinkedTopic(const HelpBook* madeFor, uint64_t index) const;

    // The links of the contents topic, in order, with its sub-headings.
    std::vector<HelpContentsItem> ContentsItems() const;
    // Every title and keyword, sorted as a reader looks them up.
    std::vector<HelpIndexEntry> Index() const;
    // Index entries whose words begin with all the words asked for, then the other topics whose
    // text holds them all. An empty query gives the whole index. `query` is Windows-1252.
    std::vector<HelpIndexEntry> Search(const char* query) const;
};

// The page shown for a context that has no topic.
HelpTopic MissingHelpTopic();

// A topic's body as plain text: blocks separated by blank lines, list items led by a bullet.
std::string HelpPlainText(const HelpTopic& topic);

// The context of a control in a table of (control id, context) pairs ending in 0, 0. Control ids
// are compared in their 16 bits, as dialog templates store them. False when the control is absent.
bool HelpContextForControl(const uint32_t* pairs, uint32_t controlId, uint32_t* context);

// The resource that holds the book of a help file name (folder and case do not matter), or
// nullptr when the program has no such book.
const char* HelpBookResource(const char* helpFile);
