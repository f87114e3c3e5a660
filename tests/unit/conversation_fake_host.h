#pragma once
// A scripted host for the exchanges: records what goes to the line, the timer and the question
// box, and holds the document's image.
#include "link/conversation.h"
#include "link/interrogation.h"
#include "link/wire_encoding.h"
#include "link_test_support.h"

#include "base/message_box.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct FakeConversationHost {
    std::vector<LinkPacket> sent;
    std::vector<std::string> timer; // "start 1000", "stop"
    std::deque<LinkPacket> incoming;
    std::vector<std::string> questions; // their texts; the caption is the Link scenario's
    int reply = mb::IdYes;
    std::function<void()> duringQuestion;
    ControllerConfig document = MakeEmptyConfig();
    bool acceptImage = true;
    std::vector<ControllerConfig> replaced;
    std::function<void()> duringReplace; // while the document shows its box about the image
    int discards = 0;                    // times the line's input was emptied
    ConversationHost host{};

    FakeConversationHost() {
        ExchangeHost& x = host.exchange;
        x.context = this;
        x.sendPacket = [](void* c, const LinkPacket& p) {
            Self(c)->sent.push_back(p);
            return true;
        };
        x.receivePacket = [](void* c, LinkPacket* p) {
            auto* self = Self(c);
            if (self->incoming.empty()) return false;
            *p = self->incoming.front();
            self->incoming.pop_front();
            return true;
        };
        x.startAnswerTimer = [](void* c, unsigned ms) {
            Self(c)->timer.push_back("start " + std::to_string(ms));
        };
        x.stopAnswerTimer = [](void* c) { Self(c)->timer.push_back("stop"); };
        x.discardInput = [](void* c) {
            Self(c)->incoming.clear();
            ++Self(c)->discards;
        };
        host.askQuestion = [](void* c, const char* text, const char*, unsigned) {
            auto* self = Self(c);
            self->questions.push_back(text);
            if (self->duringQuestion) self->duringQuestion();
            return self->reply;
        };
        host.replaceImage = [](void* c, const ControllerConfig& image) {
            auto* self = Self(c);
            if (self->duringReplace) self->duringReplace();
            if (!self->acceptImage) return false;
            self->replaced.push_back(image);
            self->document = image;
            return true;
        };
    }
    static FakeConversationHost* Self(void* c) { return static_cast<FakeConversationHost*>(c); }

    // The letters of the requests sent so far, e.g. "vbhe"; the timer's steps, e.g.
    // "start 2000, stop".
    std::string Letters() const {
        std::string s;
        for (auto& p : sent)
            s += (char)p.OR;
        return s;
    }
    std::string TimerLog() const {
        std::string s;
        for (auto& t : timer)
            s += (s.empty() ? "" : ", ") + t;
        return s;
    }
};

// Answers the controller gives.
inline LinkPacket VersionAnswer(const std::string& version = "03.07",
                                const std::string& mark = "94VK") {
    return Answer('w', version + mark);
}

inline LinkPacket Part1Answer(const ControllerConfig& c) {
    return Answer('c', EncodeParts(c).part1);
}
inline LinkPacket Part2Answer(const ControllerConfig& c) {
    return Answer('c', EncodeParts(c).part2);
}
