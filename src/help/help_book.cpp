#include "help/help_book.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/text_encoding.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

namespace {

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool StartsWith(const std::string& s, const char* prefix) {
    return s.compare(0, std::strlen(prefix), prefix) == 0;
}

std::string Fold(const std::string& s) {
    std::string out(s);
    for (char& c : out)
        c = FoldForSearch(c);
    return out;
}

std::vector<std::string> Words(const std::string& folded) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < folded.size()) {
        size_t b = folded.find_first_not_of(' ', i);
        if (b == std::string::npos) break;
        size_t e = folded.find(' ', b);
        if (e == std::string::npos) e = folded.size();
        words.push_back(folded.substr(b, e - b));
        i = e;
    }
    return words;
}

// True when every word asked for begins some word of the text.
bool CoversAll(const std::vector<std::string>& asked, const std::vector<std::string>& text) {
    for (const std::string& a : asked) {
        bool found = false;
        for (const std::string& w : text)
            if (w.compare(0, a.size(), a) == 0) {
                found = true;
                break;
            }
        if (!found) return false;
    }
    return true;
}

bool ParseContextNumber(const std::string& key, int64_t* context) {
    if (key.empty() || key.size() > 10) return false;
    int64_t value = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > 0xFFFFFFFFll) return false;
    *context = value;
    return true;
}

// A name has a letter or a dash somewhere, so that it never looks like a context number.
bool IsTopicName(const std::string& key) {
    bool letter = false;
    for (char c : key) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')) return false;
        letter = letter || c < '0' || c > '9';
    }
    return letter;
}

struct PendingLink {
    int topic, block, run, line;
    std::string key;
};

// The parser's state between lines.
struct Parser {
    HelpBook& book;
    std::string* error;
    int line = 0;
    int topic = -1;
    HelpBlockKind kind = HelpBlockKind::Paragraph;
    std::string text; // the paragraph or list item being gathered
    int textLine = 0;
    std::vector<PendingLink> links;
    std::string contentsKey;
    int contentsLine = 0;

    Parser(HelpBook& b, std::string* e) : book(b), error(e) {}

    bool Fail(int at, const std::string& what) {
        if (error) *error = "line " + std::to_string(at) + ": " + what;
        return false;
    }

    void AddRun(HelpBlock& block, std::string s, HelpRunStyle style) {
        if (s.empty()) return;
        block.runs.push_back({std::move(s), style, -1});
    }

    // Turns the gathered text into a block of runs.
    void Flush() {
        if (text.empty()) return;
        HelpTopic& t = book.topics[topic];
        t.blocks.push_back({kind, {}});
        HelpBlock& block = t.blocks.back();
        std::string plain;
        size_t i = 0;
        while (i < text.size()) {
            if (text[i] == '*' && text.compare(i, 2, "**") == 0) {
                size_t close = text.find("**", i + 2);
                if (close != std::string::npos && close > i + 2) {
                    AddRun(block, plain, HelpRunStyle::Plain);
                    plain.clear();
                    AddRun(block, text.substr(i + 2, close - i - 2), HelpRunStyle::Bold);
                    i = close + 2;
                    continue;
                }
            }
            if (text[i] == '[') {
                size_t mid = text.find("](", i);
                size_t close = mid == std::string::npos ? mid : text.find(')', mid);
                if (close != std::string::npos && mid > i + 1 && text.find('[', i + 1) > mid) {
                    AddRun(block, plain, HelpRunStyle::Plain);
                    plain.clear();
                    AddRun(block, text.substr(i + 1, mid - i - 1), HelpRunStyle::Link);
                    links.push_back({topic, (int)t.blocks.size() - 1, (int)block.runs.size() - 1,
                                     textLine, Trim(text.substr(mid + 2, close - mid - 2))});
                    i = close + 1;
                    continue;
                }
            }
            plain += text[i++];
        }
        AddRun(block, plain, HelpRunStyle::Plain);
        text.clear();
    }

    void Gather(HelpBlockKind k, const std::string& s) {
        if (text.empty()) {
            kind = k;
            textLine = line;
            text = s;
        } else {
            text += ' ';
            text += s;
        }
    }

    bool StartTopic(const std::string& key) {
        Flush();
        if (topic >= 0 && book.topics[topic].title.empty())
            return Fail(line, "topic '" + book.topics[topic].key + "' has no title");
        HelpTopic t;
        t.key = key;
        if (!ParseContextNumber(key, &t.context) && !IsTopicName(key))
            return Fail(line, "bad topic key '" + key + "'");
        if (book.FindKey(key) >= 0) return Fail(line, "topic '" + key + "' given twice");
        // "0707" is another key but the same context as "707": the second could never be shown.
        if (t.context >= 0 && book.FindContext((uint32_t)t.context) >= 0)
            return Fail(line, "context " + std::to_string(t.context) + " given twice");
        book.topics.push_back(std::move(t));
        topic = (int)book.topics.size() - 1;
        return true;
    }

    bool Directive(const std::string& name, const std::string& value) {
        if (name == "topic") return StartTopic(value);
        if (name == "book" || name == "contents") {
            if (topic >= 0) return Fail(line, "@" + name + " after the first topic");
            if (name == "book") {
                book.title = value;
            } else {
                contentsKey = value;
                contentsLine = line;
            }
            return true;
        }
        if (topic < 0) return Fail(line, "@" + name + " outside a topic");
        Flush();
        HelpTopic& t = book.topics[topic];
        if (name == "title") {
            t.title = value;
            return true;
        }
        if (name == "keywords") {
            size_t b = 0;
            while (b <= value.size()) {
                size_t e = value.find(';', b);
                if (e == std::string::npos) e = value.size();
                std::string k = Trim(value.substr(b, e - b));
                if (!k.empty()) t.keywords.push_back(k);
                b = e + 1;
            }
            return true;
        }
        return Fail(line, "unknown directive @" + name);
    }

    bool Line(const std::string& raw) {
        ++line;
        std::string s = Trim(raw);
        if (s.empty()) {
            if (topic >= 0) Flush();
            return true;
        }
        if (StartsWith(s, "##")) {
            if (topic < 0) return Fail(line, "text outside a topic");
            Flush();
            Gather(HelpBlockKind::Heading, Trim(s.substr(2)));
            Flush();
            return true;
        }
        if (s[0] == '#') return true;
        if (s[0] == '@') {
            size_t sp = s.find_first_of(" \t");
            std::string name = s.substr(1, sp == std::string::npos ? std::string::npos : sp - 1);
            return Directive(name, sp == std::string::npos ? std::string() : Trim(s.substr(sp)));
        }
        if (topic < 0) return Fail(line, "text outside a topic");
        if (StartsWith(s, "- ")) {
            Flush();
            Gather(HelpBlockKind::Bullet, Trim(s.substr(2)));
            return true;
        }
        Gather(text.empty() ? HelpBlockKind::Paragraph : kind, s);
        return true;
    }

    bool Finish() {
        if (topic < 0) return Fail(line, "the book has no topics");
        Flush();
        if (book.topics[topic].title.empty())
            return Fail(line, "topic '" + book.topics[topic].key + "' has no title");
        for (const PendingLink& l : links) {
            int target = book.FindKey(l.key);
            if (target < 0) return Fail(l.line, "link to unknown topic '" + l.key + "'");
            book.topics[l.topic].blocks[l.block].runs[l.run].target = target;
        }
        if (!contentsKey.empty()) {
            book.contents = book.FindKey(contentsKey);
            if (book.contents < 0)
                return Fail(contentsLine, "unknown contents topic '" + contentsKey + "'");
        }
        return true;
    }
};

} // namespace

bool HelpBook::Parse(const char* utf8, std::size_t size, std::string* error) {
    *this = HelpBook{};
    std::string text = Utf8ToCp1252(utf8, size);
    Parser parser(*this, error);
    size_t b = 0;
    while (b < text.size()) {
        size_t e = text.find('\n', b);
        if (e == std::string::npos) e = text.size();
        std::string line = text.substr(b, e - b);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!parser.Line(line)) return false;
        b = e + 1;
    }
    return parser.Finish();
}

int HelpBook::LinkedTopic(const HelpBook* madeFor, uint64_t index) const {
    return madeFor == this && index < topics.size() ? (int)index : -1;
}

int HelpBook::FindContext(uint32_t context) const {
    for (size_t i = 0; i < topics.size(); ++i)
        if (topics[i].context == (int64_t)context) return (int)i;
    return -1;
}

int HelpBook::FindKey(const std::string& key) const {
    for (size_t i = 0; i < topics.size(); ++i)
        if (topics[i].key == key) return (int)i;
    return -1;
}

std::vector<HelpContentsItem> HelpBook::ContentsItems() const {
    std::vector<HelpContentsItem> items;
    if (contents < 0 || contents >= (int)topics.size()) return items;
    for (const HelpBlock& block : topics[contents].blocks) {
        if (block.kind == HelpBlockKind::Heading) {
            std::string label;
            for (const HelpRun& r : block.runs)
                label += r.text;
            items.push_back({label, -1, 0});
            continue;
        }
        for (const HelpRun& r : block.runs)
            if (r.style == HelpRunStyle::Link)
                items.push_back({r.text, r.target, block.kind == HelpBlockKind::Bullet ? 2 : 1});
    }
    return items;
}

namespace {

struct IndexRow {
    std::string folded; // the title or keyword alone, folded for comparing
    HelpIndexEntry entry;
};

std::vector<IndexRow> IndexRows(const std::vector<HelpTopic>& topics) {
    struct Row {
        IndexRow row;
        bool keyword;
    };
    std::vector<Row> rows;
    for (size_t i = 0; i < topics.size(); ++i) {
        // A keyword that only repeats the topic's title or another of its keywords adds nothing.
        std::set<std::string> seen{Fold(topics[i].title)};
        rows.push_back({{Fold(topics[i].title), {topics[i].title, (int)i}}, false});
        for (const std::string& k : topics[i].keywords)
            if (seen.insert(Fold(k)).second) rows.push_back({{Fold(k), {k, (int)i}}, true});
    }
    // A keyword shared by several topics names its topic, so the reader can tell them apart.
    for (Row& r : rows) {
        if (!r.keyword) continue;
        for (const Row& other : rows)
            if (other.row.entry.topic != r.row.entry.topic && other.row.folded == r.row.folded) {
                r.row.entry.label += " (" + topics[r.row.entry.topic].title + ")";
                break;
            }
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.row.folded != b.row.folded) return a.row.folded < b.row.folded;
        if (a.row.entry.label != b.row.entry.label) return a.row.entry.label < b.row.entry.label;
        return a.row.entry.topic < b.row.entry.topic;
    });
    std::vector<IndexRow> index;
    for (size_t i = 0; i < rows.size(); ++i)
        if (i == 0 || rows[i].row.entry.label != rows[i - 1].row.entry.label ||
            rows[i].row.entry.topic != rows[i - 1].row.entry.topic)
            index.push_back(rows[i].row);
    return index;
}

} // namespace

std::vector<HelpIndexEntry> HelpBook::Index() const {
    std::vector<HelpIndexEntry> index;
    for (const IndexRow& r : IndexRows(topics))
        index.push_back(r.entry);
    return index;
}

std::vector<HelpIndexEntry> HelpBook::Search(const char* query) const {
    std::vector<std::string> asked = Words(Fold(query ? query : ""));
    std::vector<HelpIndexEntry> found, inText;
    if (asked.empty()) return Index();
    std::set<int> listed;
    for (const IndexRow& r : IndexRows(topics))
        if (CoversAll(asked, Words(r.folded))) {
            found.push_back(r.entry);
            listed.insert(r.entry.topic);
        }
    for (size_t i = 0; i < topics.size(); ++i) {
        if (listed.count((int)i)) continue;
        std::string all = topics[i].title + ' ' + HelpPlainText(topics[i]);
        for (const std::string& k : topics[i].keywords)
            all += ' ' + k;
        if (CoversAll(asked, Words(Fold(all)))) inText.push_back({topics[i].title, (int)i});
    }
    std::stable_sort(inText.begin(), inText.end(),
                     [](const HelpIndexEntry& a, const HelpIndexEntry& b) {
                         return Fold(a.label) < Fold(b.label);
                     });
    found.insert(found.end(), inText.begin(), inText.end());
    return found;
}

HelpTopic MissingHelpTopic() {
    HelpTopic t;
    t.title = ResString(str::MissingHelpTitle);
    t.blocks.push_back({HelpBlockKind::Paragraph, {{ResString(str::MissingHelpText)}}});
    return t;
}

std::string HelpPlainText(const HelpTopic& topic) {
    std::string out;
    const HelpBlock* previous = nullptr;
    for (const HelpBlock& block : topic.blocks) {
        if (previous) {
            bool list =
                previous->kind == HelpBlockKind::Bullet && block.kind == HelpBlockKind::Bullet;
            out += list ? "\r\n" : "\r\n\r\n";
        }
        if (block.kind == HelpBlockKind::Bullet) out += "\x95 ";
        for (const HelpRun& r : block.runs)
            out += r.text;
        previous = &block;
    }
    return out;
}

bool HelpContextForControl(const uint32_t* pairs, uint32_t controlId, uint32_t* context) {
    if (!pairs) return false;
    for (; pairs[0] != 0 || pairs[1] != 0; pairs += 2)
        if ((pairs[0] & 0xFFFF) == (controlId & 0xFFFF)) {
            *context = pairs[1];
            return true;
        }
    return false;
}

const char* HelpBookResource(const char* helpFile) {
    static const struct {
        const char* file;
        const char* resource;
    } kBooks[] = {{"cnfzrt94.hlp", "HELP_CNFZRT94"}, {"winhelp.hlp", "HELP_WINHELP"}};
    if (!helpFile) return nullptr;
    const char* name = helpFile;
    for (const char* p = helpFile; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    for (const auto& b : kBooks) {
        size_t i = 0;
        for (; name[i] && b.file[i]; ++i) {
            char c = name[i] >= 'A' && name[i] <= 'Z' ? (char)(name[i] - 'A' + 'a') : name[i];
            if (c != b.file[i]) break;
        }
        if (!name[i] && !b.file[i]) return b.resource;
    }
    return nullptr;
}
