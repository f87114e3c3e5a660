#pragma once
// The line to a controller that answers each request correctly but late, some poll periods after
// it and in two pieces, always before the answer time-out, or, where a time-out only has the
// program ask again, after it, so that both askings are answered. The input chooses the delays
// and the pieces; the answers are the simulator's, and the unit tests' fake host records the rest.
#include "conversation_fake_host.h"
#include "link/interrogation.h"
#include "sim_controller.h"

#include <algorithm>
#include <deque>

struct SlowLine : FakeConversationHost {
    SimController controller;
    bool answering = true;
    const uint8_t *next, *end;                       // the choices
    long now = 0, deadline = -1, period = 0;         // ms; deadline -1: the answer timer is stopped
    long lastArrival = 0;                            // answers come in the order of their requests
    size_t timerSeen = 0, requestsSeen = 0;          // of the fake host's records
    std::deque<std::pair<long, std::string>> pieces; // bytes on their way, by arrival
    BufferSource input;                              // bytes arrived
    PacketReceiver receiver;

    SlowLine(const uint8_t* from, const uint8_t* to) : next(from), end(to) {
        host.exchange.receivePacket = [](void* c, LinkPacket* p) {
            auto* line = static_cast<SlowLine*>(Self(c));
            return ReceivePacket(line->receiver, line->input.source, *p);
        };
        host.exchange.discardInput = [](void* c) {
            auto* line = static_cast<SlowLine*>(Self(c));
            line->input.pos = line->input.bytes.size();
            line->receiver.Reset();
        };
    }
    uint8_t Choice() { return next < end ? *next++ : 0; }

    // After each call into the program: follow the answer timer and answer what was sent.
    // `mayMiss`: a time-out now would only ask again.
    void Settle(bool mayMiss) {
        for (; timerSeen < timer.size(); ++timerSeen) {
            period = timer[timerSeen] == "stop" ? 0 : std::stol(timer[timerSeen].substr(6));
            deadline = period ? now + period : -1;
        }
        for (; answering && requestsSeen < sent.size(); ++requestsSeen) {
            LinkPacket answer;
            std::string note;
            if (!controller.Respond(sent[requestsSeen], answer, note)) continue;
            uint8_t delay = Choice(), cut = Choice();
            // Within half the time left, so that the answers after it fit in the rest.
            long ticks = deadline < 0 ? 1 : std::max(1L, (deadline - now - 1) / kPollPeriodMs / 2);
            long at = now + kPollPeriodMs * (1 + delay % ticks);
            if (mayMiss && deadline >= 0 && delay & 0x80)
                at = deadline + kPollPeriodMs * (1 + delay % 4);
            long first = std::max(lastArrival, at - (cut & 0x80 ? kPollPeriodMs : 0));
            at = lastArrival = std::max(at, first);
            std::string frame = Frame(answer);
            size_t split = cut % frame.size();
            pieces.push_back({first, frame.substr(0, split)});
            pieces.push_back({at, frame.substr(split)});
        }
    }

    // One poll period: the bytes due arrive; true when the answer timer fires.
    bool Tick() {
        now += kPollPeriodMs;
        for (; !pieces.empty() && pieces.front().first <= now; pieces.pop_front())
            input.Add(pieces.front().second);
        if (deadline < 0 || now < deadline) return false;
        deadline += period; // a window's timer goes on until it is stopped
        return true;
    }
};
