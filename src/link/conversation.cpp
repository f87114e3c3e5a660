#include "link/conversation.h"

#include "base/box_texts.h"
#include "base/message_box.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "link/version_answer.h"
#include "link/wire_encoding.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr unsigned kVersionPeriodMs = 1000;
constexpr unsigned kExchangePeriodMs = 2000;
constexpr unsigned kReadBackPeriodMs = 1000;
constexpr unsigned kPart2ReceivePeriodMs = 4000;
constexpr unsigned kPart2ReadBackPeriodMs = 5000;
constexpr uint8_t kSinglePartReadBacks = 4;
constexpr uint8_t kTwoPartReadBacks = 5;

void Send(Conversation& c, const ConversationHost& host, char command) {
    SendRequest(c.exchange, host.exchange, command);
}

void TakeVersion(Conversation& c, const LinkPacket& answer) {
    c.controllerMinor = VersionMinor(answer);
    c.controllerMajor = VersionMajor(answer);
}

bool MatchesPart1(const Conversation& c, const LinkPacket& answer) {
    return std::memcmp(c.outgoingPart1, answer.data, kPart1Length) == 0;
}

bool MatchesPart2(const Conversation& c, const LinkPacket& answer) {
    return std::memcmp(c.outgoingPart2, answer.data, kPart2Length) == 0;
}

// --- Version query ---------------------------------------------------------------------------

StepResult VersionQueryStep(Conversation& c, const LinkPacket& answer) {
    if (answer.OR != 'w') return Fail(c.exchange, "V - %s", str::VersionNotReceived);
    if (!HasModelMark(answer)) return Fail(c.exchange, "V - %s", str::NotThisModel);
    TakeVersion(c, answer);
    std::snprintf(c.exchange.statusText, kStatusTextSize, ResString(str::VersionIs),
                  c.controllerMajor, c.controllerMinor);
    return StepFinished;
}

// --- Receive ---------------------------------------------------------------------------------

// The document takes the received image, or refuses it with a message of its own: then the
// receive fails without a second one.
StepResult HandOver(Conversation& c, const ConversationHost& host) {
    c.boxOpen = true;
    bool taken = host.replaceImage(host.exchange.context, c.stagingConfig);
    c.boxOpen = false;
    if (!taken) {
        c.exchange.statusText[0] = '\0';
        return StepFailed;
    }
    SetStatus(c.exchange, str::Received);
    return StepFinished;
}

StepResult ReceiveVersionStep(Conversation& c, const ConversationHost& host,
                              const LinkPacket& answer) {
    if (answer.OR != 'w') return Fail(c.exchange, "R - %s.", str::VerificationError);
    if (!HasModelMark(answer))
        return Fail(c.exchange, "R - %s. ", str::NotThisModel, str::CannotTransmit);
    TakeVersion(c, answer);
    Send(c, host, 'b');
    SetStatus(c.exchange, "%s (1).", str::RequestingConfig);
    c.conversationState = ReceivePart1;
    return StepContinue;
}

StepResult ReceivePart1Step(Conversation& c, const ConversationHost& host,
                            const LinkPacket& answer) {
    if (answer.OR != 'c') return Fail(c.exchange, "R1 - %s ", str::WrongAnswerCode, str::InReceive);
    if (answer.LA != kPart1Length)
        return Fail(c.exchange, "R1 - %s ", str::WrongLength, str::InReceive);
    StopAnswerTimer(host.exchange);
    DecodePart1(answer, c.stagingConfig);
    if (c.controllerMajor >= kTwoPartMajor) {
        Send(c, host, 'f');
        SetStatus(c.exchange, "%s (2).", str::RequestingConfig);
        StartAnswerTimer(host.exchange, kPart2ReceivePeriodMs);
        c.conversationState = ReceivePart2;
        return StepContinue;
    }
    // An older controller has no part 2: those fields keep the empty configuration's values,
    // but it serves all of its stops, so the served range follows its stop count.
    if (c.stagingConfig.stopCount >= 2 && c.stagingConfig.stopCount <= kMaxStops) {
        c.stagingConfig.firstServedStop = 1;
        c.stagingConfig.lastServedStop = c.stagingConfig.stopCount;
        rebuildServedStopFlags(c.stagingConfig);
    }
    StepResult result = HandOver(c, host);
    if (result == StepFinished) AppendStatus(c.exchange, str::OldControllerNotice);
    return result;
}

StepResult ReceivePart2Step(Conversation& c, const ConversationHost& host,
                            const LinkPacket& answer) {
    if (answer.OR != 'c') return Fail(c.exchange, "R2 - %s ", str::WrongAnswerCode, str::InReceive);
    if (answer.LA != kPart2Length)
        return Fail(c.exchange, "R2 - %s ", str::WrongLength, str::InReceive);
    StopAnswerTimer(host.exchange);
    DecodePart2(answer, c.stagingConfig);
    return HandOver(c, host);
}

// --- Transmit --------------------------------------------------------------------------------

StepResult TransmitVersionStep(Conversation& c, const ConversationHost& host,
                               const LinkPacket& answer) {
    if (answer.OR != 'w') return Fail(c.exchange, "T1 - %s. ", str::VerificationError);
    if (!HasModelMark(answer))
        return Fail(c.exchange, "T1 - %s. ", str::NotThisModel, str::CannotTransmit);
    TakeVersion(c, answer);
    Send(c, host, 'b');
    SetStatus(c.exchange, str::RequestingConfig);
    c.conversationState = TransmitIdentityCheck;
    return StepContinue;
}

void CabinText(int cabin, char (&out)[16]) {
    if (cabin == 0)
        std::snprintf(out, sizeof out, "E");
    else
        std::snprintf(out, sizeof out, "%u", (unsigned)cabin);
}

// Asks before overwriting a controller set up for another system or cabin; true to go on.
bool ConfirmIdentity(Conversation& c, const ConversationHost& host, const LinkPacket& answer,
                     const ControllerConfig& image) {
    int system = Part1SystemNumber(answer);
    int cabin = Part1Cabin(answer);
    if (system == image.systemNumber && cabin == image.cabinNumber) return true;

    char controllerCabin[16], imageCabin[16];
    CabinText(cabin, controllerCabin);
    CabinText(image.cabinNumber, imageCabin);
    std::snprintf(c.exchange.statusText, kStatusTextSize, ResString(str::IdentityQuestion),
                  (unsigned)system, controllerCabin, (unsigned)image.systemNumber, imageCabin);
    StopAnswerTimer(host.exchange);
    BoxCaption caption(str::CaptionConfigurator);
    c.boxOpen = true;
    int reply = host.askQuestion(host.exchange.context, c.exchange.statusText, caption.Get(),
                                 mb::YesNo | mb::IconQuestion);
    c.boxOpen = false;
    return reply == mb::IdYes;
}

StepResult TransmitIdentityStep(Conversation& c, const ConversationHost& host,
                                const LinkPacket& answer) {
    if (answer.OR != 'c') return Fail(c.exchange, "T2 - %s. ", str::WrongAnswerCode);
    if (answer.LA != kPart1Length) return Fail(c.exchange, "T2 - %s. ", str::WrongLength);
    bool go = ConfirmIdentity(c, host, answer, c.outgoing);
    if (c.ended) {
        // The dialog was closed while the question was open: nothing more goes to the line.
        c.exchange.statusText[0] = '\0';
        return StepFailed;
    }
    if (!go) {
        SetStatus(c.exchange, str::TransmitStopped);
        return StepFinished;
    }
    bool twoParts = c.controllerMajor >= kTwoPartMajor;
    LinkPacket request = MakeRequest(twoParts ? 'h' : 'a');
    request.LA = kPart1Length;
    std::memcpy(request.data, c.outgoingPart1, kPart1Length);
    SetStatus(c.exchange, twoParts ? "%s (1)." : "%s.", str::Transmitting);
    SendRequest(c.exchange, host.exchange, request);
    StartAnswerTimer(host.exchange, kExchangePeriodMs);
    c.conversationState = twoParts ? TransmitPart1 : TransmitSinglePart;
    return StepContinue;
}

// From the controller's first acceptance of a part on, it no longer holds what it held before:
// a failure must not say that it was not configured.
bool ControllerWritten(int state) {
    return state == TransmitPart2 || state == VerifySinglePart || state == VerifyPart1 ||
           state == VerifyPart2;
}

// The controller's reply to a configuration it was given: true for 'e' with no data; otherwise
// statusText says what it objected to.
bool Accepted(Conversation& c, const LinkPacket& answer) {
    switch (answer.OR) {
    case 'e':
        if (answer.LA == 0) return true;
        SetStatus(c.exchange, "T3- %s.", str::WrongLength);
        return false;
    case 'f': SetStatus(c.exchange, "T3- %s", str::FixedConfig); return false;
    case 'm':
        SetStatus(c.exchange, "T3- %s", str::OutOfRange);
        if (!ControllerWritten(c.conversationState)) AppendStatus(c.exchange, str::NotConfigured);
        return false;
    case 'M':
        SetStatus(c.exchange, "T3- %s", str::WrongDataType);
        if (!ControllerWritten(c.conversationState)) AppendStatus(c.exchange, str::NotConfigured);
        return false;
    default: SetStatus(c.exchange, "T3- %s.", str::WrongAnswerType); return false;
    }
}

void SetVerifyingText(Conversation& c) {
    const char* format = c.conversationState == VerifySinglePart ? "%s - %d." : "%s (1) - %d.";
    std::snprintf(c.exchange.statusText, kStatusTextSize, format, ResString(str::Verifying),
                  c.retriesLeft);
}

StepResult TransmitSinglePartStep(Conversation& c, const ConversationHost& host,
                                  const LinkPacket& answer) {
    if (!Accepted(c, answer)) return StepFailed;
    Send(c, host, 'b');
    c.conversationState = VerifySinglePart;
    StartAnswerTimer(host.exchange, kReadBackPeriodMs);
    c.retriesLeft = kSinglePartReadBacks;
    SetVerifyingText(c);
    return StepContinue;
}

StepResult TransmitPart1Step(Conversation& c, const ConversationHost& host,
                             const LinkPacket& answer) {
    if (!Accepted(c, answer)) return StepFailed;
    LinkPacket request = MakeRequest('e');
    request.LA = kPart2Length;
    std::memcpy(request.data, c.outgoingPart2, kPart2Length);
    SetStatus(c.exchange, "%s (2).", str::Transmitting);
    SendRequest(c.exchange, host.exchange, request);
    StartAnswerTimer(host.exchange, kExchangePeriodMs);
    c.conversationState = TransmitPart2;
    return StepContinue;
}

StepResult TransmitPart2Step(Conversation& c, const ConversationHost& host,
                             const LinkPacket& answer) {
    if (!Accepted(c, answer)) return StepFailed;
    Send(c, host, 'b');
    StartAnswerTimer(host.exchange, kReadBackPeriodMs);
    c.retriesLeft = kTwoPartReadBacks;
    c.conversationState = VerifyPart1;
    SetVerifyingText(c);
    return StepContinue;
}

StepResult VerifySinglePartStep(Conversation& c, const LinkPacket& answer) {
    if (answer.OR != 'c') return Fail(c.exchange, "T4- %s.", str::WrongAnswerCode);
    if (answer.LA != kPart1Length) return Fail(c.exchange, "T4- %s.", str::WrongLength);
    if (!MatchesPart1(c, answer)) {
        SetStatus(c.exchange, str::NotVerified);
        return StepFailed;
    }
    SetStatus(c.exchange, str::Configured);
    AppendStatus(c.exchange, str::OldControllerNotice);
    c.verified = true;
    return StepFinished;
}

StepResult VerifyPart1Step(Conversation& c, const ConversationHost& host,
                           const LinkPacket& answer) {
    if (answer.OR != 'c') return Fail(c.exchange, "T5- %s.", str::WrongAnswerCode);
    if (answer.LA != kPart1Length) return Fail(c.exchange, "T5- %s.", str::WrongLength);
    if (!MatchesPart1(c, answer)) {
        SetStatus(c.exchange, str::Part1NotVerified);
        return StepFailed;
    }
    Send(c, host, 'f');
    StartAnswerTimer(host.exchange, kPart2ReadBackPeriodMs);
    c.conversationState = VerifyPart2;
    SetStatus(c.exchange, "%s (2).", str::Verifying);
    return StepContinue;
}

StepResult VerifyPart2Step(Conversation& c, const LinkPacket& answer) {
    if (answer.OR != 'c') return Fail(c.exchange, "T7- %s.", str::WrongAnswerCode);
    if (answer.LA != kPart2Length) return Fail(c.exchange, "T7- %s.", str::WrongLength);
    if (!MatchesPart2(c, answer)) {
        SetStatus(c.exchange, str::Part2NotVerified);
        return StepFailed;
    }
    SetStatus(c.exchange, str::Configured);
    c.verified = true;
    return StepFinished;
}

// The step of the state the conversation is in.
StepResult Dispatch(Conversation& c, const ConversationHost& host, const LinkPacket& answer) {
    if (answer.CD != 'c' || answer.CO != 'o') {
        SetStatus(c.exchange, str::WrongAddress);
        return StepFailed;
    }
    switch (c.conversationState) {
    case VersionQuery: return VersionQueryStep(c, answer);
    case ReceiveVersionCheck: return ReceiveVersionStep(c, host, answer);
    case ReceivePart1: return ReceivePart1Step(c, host, answer);
    case ReceivePart2: return ReceivePart2Step(c, host, answer);
    case TransmitVersionCheck: return TransmitVersionStep(c, host, answer);
    case TransmitIdentityCheck: return TransmitIdentityStep(c, host, answer);
    case TransmitSinglePart: return TransmitSinglePartStep(c, host, answer);
    case VerifySinglePart: return VerifySinglePartStep(c, answer);
    case TransmitPart1: return TransmitPart1Step(c, host, answer);
    case TransmitPart2: return TransmitPart2Step(c, host, answer);
    case VerifyPart1: return VerifyPart1Step(c, host, answer);
    case VerifyPart2: return VerifyPart2Step(c, answer);
    default: SetStatus(c.exchange, str::SequenceError); return StepFailed;
    }
}

} // namespace

bool BeginConversation(Conversation& c, const ConversationHost& host,
                       const ControllerConfig& outgoing) {
    c.outgoing = outgoing;
    EncodePart1(outgoing, c.outgoingPart1);
    EncodePart2(outgoing, c.outgoingPart2);
    c.ended = false;
    c.boxOpen = false;
    c.verified = false;
    c.controllerMajor = c.controllerMinor = 0;
    int state = c.conversationState;
    if (state != VersionQuery && state != ReceiveVersionCheck && state != TransmitVersionCheck) {
        std::snprintf(c.exchange.statusText, kStatusTextSize, ResString(str::InvalidCommand),
                      state);
        return false;
    }
    if (state == ReceiveVersionCheck) c.stagingConfig = MakeEmptyConfig();
    BeginExchange(c.exchange, host.exchange);
    SetStatus(c.exchange, str::RequestingVersion);
    Send(c, host, 'v');
    StartAnswerTimer(host.exchange, state == VersionQuery ? kVersionPeriodMs : kExchangePeriodMs);
    return true;
}

StepResult ConversationStep(Conversation& c, const ConversationHost& host,
                            const LinkPacket& answer) {
    // Whatever went wrong once the controller took a part, it must be given the whole again.
    bool written = ControllerWritten(c.conversationState);
    StepResult result = Dispatch(c, host, answer);
    if (result == StepFailed && written) AppendStatus(c.exchange, str::ConfigChanged);
    return result;
}

bool ConversationTimeout(Conversation& c, const ConversationHost& host) {
    bool readingBack =
        c.conversationState == VerifySinglePart || c.conversationState == VerifyPart1;
    if (readingBack && c.retriesLeft > 1) {
        --c.retriesLeft;
        StartAnswerTimer(host.exchange, kReadBackPeriodMs);
        ResendRequest(c.exchange, host.exchange);
        SetVerifyingText(c);
        return true;
    }
    if (readingBack) c.retriesLeft = 0;
    StopAnswerTimer(host.exchange);
    SetStatus(c.exchange, str::NoAnswer);
    if (ControllerWritten(c.conversationState)) AppendStatus(c.exchange, str::ConfigChanged);
    return false;
}
