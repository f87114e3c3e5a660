// The configuration conversations fed arbitrary answers in any state, with any document image:
// every step leaves a terminated status text and sends well-formed requests.
#include "link/conversation.h"
#include "link/interrogation.h"

#include "base/message_box.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
struct Fuzz {
    ControllerConfig document;
    bool yes;
};

const int kStates[] = {10, 30, 31, 32, 201, 202, 213, 215, 223, 224, 226, 227, 0, 99};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(ControllerConfig) + 2) return 0;
    Fuzz f;
    std::memcpy(&f.document, data, sizeof f.document);
    f.yes = data[sizeof f.document] & 1;
    ConversationHost host{};
    host.exchange.context = &f;
    host.exchange.sendPacket = [](void*, const LinkPacket& p) {
        if (p.CD != 'o' || p.CO != 'c') std::abort();
        if (p.LA != 0 && p.LA != 226 && p.LA != 40) std::abort();
        return true;
    };
    host.exchange.receivePacket = [](void*, LinkPacket*) { return false; };
    host.exchange.startAnswerTimer = [](void*, unsigned) {};
    host.exchange.stopAnswerTimer = [](void*) {};
    host.exchange.discardInput = [](void*) {};
    host.askQuestion = [](void* c, const char*, const char*, unsigned) {
        return static_cast<Fuzz*>(c)->yes ? mb::IdYes : mb::IdNo;
    };
    host.replaceImage = [](void*, const ControllerConfig& image) { return image.stopCount < 25; };
    host.readImage = [](void* c, ControllerConfig* image) {
        *image = static_cast<Fuzz*>(c)->document;
    };

    Conversation conv;
    conv.conversationState = kStates[data[sizeof f.document + 1] % 14];
    ConversationStart(conv, host);
    size_t at = sizeof f.document + 2;
    while (at + 3 <= size) {
        LinkPacket p{};
        p.CD = data[at] & 1 ? 'c' : 'o';
        p.CO = data[at] & 2 ? 'o' : 'c';
        if (data[at] & 4) ConversationAnswerTimer(conv, host);
        p.OR = data[at + 1];
        p.LA = data[at + 2];
        at += 3;
        size_t n = size - at < p.LA ? size - at : p.LA;
        std::memcpy(p.data, data + at, n);
        at += n;
        DialogAction a = ConversationAnswer(conv, host, p);
        if (std::strlen(conv.exchange.statusText) >= sizeof conv.exchange.statusText) std::abort();
        if (a.kind == DialogAction::EndDialog) {
            conv.conversationState = kStates[p.OR % 14];
            ConversationStart(conv, host);
        }
    }
    return 0;
}
