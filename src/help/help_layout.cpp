#include "help/help_layout.h"

#include <algorithm>

namespace {

struct Segment {
    const HelpRun* run;
    std::string text;
};

// Words end at blanks only: the runs of "**cierre**," make one word.
std::vector<std::vector<Segment>> SplitWords(const HelpBlock& block) {
    std::vector<std::vector<Segment>> words;
    bool inWord = false;
    for (const HelpRun& run : block.runs)
        for (char c : run.text) {
            if (c == ' ') {
                inWord = false;
                continue;
            }
            if (!inWord) words.emplace_back();
            inWord = true;
            auto& word = words.back();
            if (word.empty() || word.back().run != &run) word.push_back({&run, {}});
            word.back().text += c;
        }
    return words;
}

HelpFont FontOf(HelpFont base, const HelpRun& run) {
    if (base != HelpFont::Body) return base;
    if (run.style == HelpRunStyle::Bold) return HelpFont::Bold;
    if (run.style == HelpRunStyle::Link) return HelpFont::Link;
    return HelpFont::Body;
}

struct Layouter {
    const HelpMeasure& m;
    int width;
    HelpLayout out;
    int y = 0;

    int Width(HelpFont font, const std::string& s) {
        return m.textWidth(m.context, font, s.data(), (int)s.size());
    }

    // Lays one block from `left`, wrapping at the layout's width.
    void Block(const HelpBlock& block, HelpFont base, int left) {
        int lineHeight = m.lineHeight(m.context, base);
        int space = Width(base, " ");
        int x = left;
        bool lineStart = true;
        for (const auto& word : SplitWords(block)) {
            int wordWidth = 0;
            for (const Segment& s : word)
                wordWidth += Width(FontOf(base, *s.run), s.text);
            if (!lineStart && x + space + wordWidth > width) {
                y += lineHeight;
                x = left;
                lineStart = true;
            }
            bool spaced = !lineStart;
            int end = x; // where the text before this word ends
            if (spaced) x += space;
            for (const Segment& s : word) {
                HelpFont font = FontOf(base, *s.run);
                int w = Width(font, s.text);
                Place(end, x, w, lineHeight, font, s.run->target, s.text, spaced);
                spaced = false;
                x += w;
                end = x;
            }
            lineStart = false;
            out.width = std::max(out.width, x);
        }
        y += lineHeight;
        out.height = y;
    }

    // Adds a piece, joining it to the previous one when that is the same kind of text and ends
    // where this text's blank (if any) begins.
    void Place(int end, int x, int w, int h, HelpFont font, int target, const std::string& text,
               bool spaced) {
        if (!out.pieces.empty()) {
            HelpPiece& p = out.pieces.back();
            if (p.y == y && p.x + p.width == end && p.font == font && p.target == target) {
                if (spaced) p.text += ' ';
                p.text += text;
                p.width = x + w - p.x;
                return;
            }
        }
        out.pieces.push_back({x, y, w, h, font, target, text});
    }
};

} // namespace

HelpLayout LayOutHelpTopic(const HelpTopic& topic, bool withTitle, int width,
                           const HelpMeasure& measure) {
    Layouter l{measure, width, {}};
    int gap = measure.lineHeight(measure.context, HelpFont::Body) / 2;
    int listGap = gap / 3;
    int bulletLeft = measure.lineHeight(measure.context, HelpFont::Body) * 5 / 4;
    if (withTitle && !topic.title.empty()) {
        HelpBlock title{HelpBlockKind::Paragraph, {{topic.title}}};
        l.Block(title, HelpFont::Title, 0);
        l.y += gap;
    }
    const HelpBlock* previous = nullptr;
    for (const HelpBlock& block : topic.blocks) {
        bool bullet = block.kind == HelpBlockKind::Bullet;
        if (previous && previous->kind == HelpBlockKind::Bullet && !bullet) l.y += gap - listGap;
        if (block.kind == HelpBlockKind::Heading) {
            if (previous) l.y += gap / 2;
            l.Block(block, HelpFont::Heading, 0);
            l.y += listGap;
        } else if (bullet) {
            int lineHeight = measure.lineHeight(measure.context, HelpFont::Body);
            l.out.pieces.push_back({bulletLeft / 4, l.y, l.Width(HelpFont::Body, "\x95"),
                                    lineHeight, HelpFont::Body, -1, "\x95"});
            l.Block(block, HelpFont::Body, bulletLeft);
            l.y += listGap;
        } else {
            l.Block(block, HelpFont::Body, 0);
            l.y += gap;
        }
        previous = &block;
    }
    return l.out;
}

int HelpLinkAt(const HelpLayout& layout, int x, int y) {
    for (const HelpPiece& p : layout.pieces)
        if (p.target >= 0 && x >= p.x && x < p.x + p.width && y >= p.y && y < p.y + p.height)
            return p.target;
    return -1;
}
