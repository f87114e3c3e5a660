// The configuration conversations, fed arbitrary answers in any state with any document image, or
// talking to a correct controller that answers late, in pieces or each retry of a read-back.
// Requests are well formed; nothing goes to the line once the dialog ended (even from a step
// whose box was open as it ended); every ending stops the answer timer; only an image that the
// document took is marked saved; and the correct controller's conversation ends, never in failure.
#include "slow_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
const int kStates[] = {10, 30, 31, 32, 201, 202, 213, 215, 223, 224, 226, 227, 0, 99};
// The flags byte after the image.
enum : uint8_t { Yes = 1, Correct = 2, Refuse = 4, CancelInBox = 8, OtherIdentity = 16, Old = 32 };
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t header = sizeof(ControllerConfig) + 2;
    if (size < header) return 0;
    const uint8_t flags = data[header - 2], state = data[header - 1];
    SlowLine line(data + header, data + size);
    std::memcpy(&line.document, data, sizeof line.document);
    line.reply = flags & Yes ? mb::IdYes : mb::IdNo;
    line.acceptImage = !(flags & Refuse);
    Conversation conv;
    bool ended = false;
    size_t sentAtEnd = 0, taken = 0;
    auto end = [&] {
        ConversationEnded(conv);
        ended = true;
        sentAtEnd = line.sent.size();
    };
    if (flags & CancelInBox) line.duringQuestion = line.duringReplace = end;
    // What the dialog does with each action.
    auto carry = [&](const DialogAction& a) {
        bool readBack =
            conv.conversationState == VerifySinglePart || conv.conversationState == VerifyPart1;
        line.Settle(readBack && conv.retriesLeft > 1);
        const LinkPacket* p = line.sent.empty() ? nullptr : &line.sent.back();
        if (p && (p->CD != 'o' || p->CO != 'c' || (p->LA != 0 && p->LA != 226 && p->LA != 40)))
            std::abort();
        if (std::strlen(conv.exchange.statusText) >= kStatusTextSize) std::abort();
        if (ended && line.sent.size() != sentAtEnd) std::abort();
        if (a.kind != DialogAction::EndDialog) return;
        if (line.deadline >= 0 || (a.markSaved && line.replaced.size() == taken)) std::abort();
        if (flags & Correct && a.text && (a.boxFlags & 0xF0) != mb::IconInformation) std::abort();
        end();
    };
    auto start = [&](int s) {
        conv.conversationState = s;
        ended = false;
        taken = line.replaced.size();
        carry(ConversationStart(conv, line.host, line.document));
    };

    if (flags & Correct) {
        // The document as a controller holds it: values outside their fields' ranges, which a
        // document never has, would not read back as they were sent.
        DecodePart1(Part1Answer(line.document), line.document);
        DecodePart2(Part2Answer(line.document), line.document);
        line.controller.config = line.document;
        if (flags & OtherIdentity) line.controller.config.systemNumber ^= 1;
        if (flags & Old) line.controller.version = "02.40";
        const int kOpenings[] = {VersionQuery, ReceiveVersionCheck, TransmitVersionCheck};
        start(kOpenings[state % 3]);
        for (int tick = 0; tick < 150 && !ended; ++tick) {
            if (line.Tick()) carry(ConversationAnswerTimer(conv, line.host));
            if (!ended) carry(ConversationPoll(conv, line.host));
        }
        if (!ended) std::abort();
        return 0;
    }

    line.answering = false;
    start(kStates[state % 14]);
    const uint8_t* at = data + header;
    // Each answer: control bits (address letters, the answer timer first, "Cancelar" first), OR,
    // LA, the data.
    while (at + 3 <= data + size) {
        LinkPacket p{};
        p.CD = at[0] & 1 ? 'c' : 'o';
        p.CO = at[0] & 2 ? 'o' : 'c';
        if (at[0] & 8 && !ended) end(), line.deadline = -1;
        if (at[0] & 4) carry(ConversationAnswerTimer(conv, line.host));
        p.OR = at[1];
        p.LA = at[2];
        at += 3;
        size_t n = std::min<size_t>(data + size - at, p.LA);
        std::memcpy(p.data, at, n);
        at += n;
        line.input.Add(Frame(p));
        carry(ConversationPoll(conv, line.host));
        if (ended) start(kStates[p.OR % 14]);
    }
    return 0;
}
