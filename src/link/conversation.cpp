#include "link/conversation.h"

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

// statusText builders; ResString's buffer is shared, so each text is used before the next load.
void SetString(Conversation& c, unsigned id) {
    LoadResString(id, c.statusText, kStatusTextSize);
}

void SetFormatted(Conversation& c, const char* format, unsigned id) {
    std::snprintf(c.statusText, kStatusTextSize, format, ResString(id));
}

void AppendString(Conversation& c, unsigned id) {
    size_t used = std::strlen(c.statusText);
    std::snprintf(c.statusText + used, kStatusTextSize - used, "%s", ResString(id));
}

void AppendText(Conversation& c, const char* text) {
    size_t used = std::strlen(c.statusText);
    std::snprintf(c.statusText + used, kStatusTextSize - used, "%s", text);
}

StepResult Fail(Conversation& c, const char* format, unsigned id) {
    SetFormatted(c, format, id);
    return StepFailed;
}

StepResult FailWithTail(Conversation& c, const char* format, unsigned id, unsigned tail) {
    SetFormatted(c, format, id);
    AppendString(c, tail);
    return StepFailed;
}

void Send(Conversation& c, const ConversationHost& host) {
    host.sendPacket(host.context, c.request);
}

void SendRequest(Conversation& c, const ConversationHost& host, char command) {
    c.request = MakeRequest(command);
    Send(c, host);
}

void TakeVersion(Conversation& c, const LinkPacket& answer) {
    c.controllerMinor = VersionMinor(answer);
    c.controllerMajor = VersionMajor(answer);
}

ControllerConfig DocumentImage(const ConversationHost& host) {
    ControllerConfig image;
    host.readImage(host.context, &image);
    return image;
}

bool MatchesPart1(const ConversationHost& host, const LinkPacket& answer) {
    return std::memcmp(EncodeParts(DocumentImage(host)).part1.data(), answer.data, kPart1Length) ==
           0;
}

bool MatchesPart2(const ConversationHost& host, const LinkPacket& answer) {
    return std::memcmp(EncodeParts(DocumentImage(host)).part2.data(), answer.data, kPart2Length) ==
           0;
}

// --- Version query ---------------------------------------------------------------------------

StepResult VersionQueryStep(Conversation& c, const LinkPacket& answer) {
    if (answer.OR != 'w') return Fail(c, "V - %s", str::VersionNotReceived);
    if (!HasModelMark(answer)) return Fail(c, "V - %s", str::NotThisModel);
    TakeVersion(c, answer);
    std::snprintf(c.statusText, kStatusTextSize, ResString(str::VersionIs), c.controllerMajor,
                  c.controllerMinor);
    return StepFinished;
}

// --- Receive ---------------------------------------------------------------------------------

// The document takes the received image, or refuses it with a message of its own: then the
// receive fails without a second one.
StepResult HandOver(Conversation& c, const ConversationHost& host) {
    c.boxOpen = true;
    bool taken = host.replaceImage(host.context, c.stagingConfig);
    c.boxOpen = false;
    if (!taken) {
        c.statusText[0] = '\0';
        return StepFailed;
    }
    SetString(c, str::Received);
    return StepFinished;
}

StepResult ReceiveVersionStep(Conversation& c, const ConversationHost& host,
                              const LinkPacket& answer) {
    if (answer.OR != 'w') return Fail(c, "R - %s.", str::VerificationError);
    if (!HasModelMark(answer))
        return FailWithTail(c, "R - %s. ", str::NotThisModel, str::CannotTransmit);
    TakeVersion(c, answer);
    SendRequest(c, host, 'b');
    SetFormatted(c, "%s (1).", str::RequestingConfig);
    c.conversationState = ReceivePart1;
    return StepContinue;
}

StepResult ReceivePart1Step(Conversation& c, const ConversationHost& host,
                            const LinkPacket& answer) {
    if (answer.OR != 'c') return FailWithTail(c, "R1 - %s ", str::WrongAnswerCode, str::InReceive);
    if (answer.LA != kPart1Length)
        return FailWithTail(c, "R1 - %s ", str::WrongLength, str::InReceive);
    host.stopAnswerTimer(host.context);
    DecodePart1(answer, c.stagingConfig);
    if (c.controllerMajor >= kTwoPartMajor) {
        SendRequest(c, host, 'f');
        SetFormatted(c, "%s (2).", str::RequestingConfig);
        host.startAnswerTimer(host.context, kPart2ReceivePeriodMs);
        c.conversationState = ReceivePart2;
        return StepContinue;
    }
    // An older controller has no part 2: those fields keep what the staging image held.
    StepResult result = HandOver(c, host);
    if (result == StepFinished) AppendString(c, str::OldControllerNotice);
    return result;
}

StepResult ReceivePart2Step(Conversation& c, const ConversationHost& host,
                            const LinkPacket& answer) {
    if (answer.OR != 'c' || answer.LA != kPart2Length) {
        std::snprintf(c.statusText, kStatusTextSize, "R2 - ");
        AppendString(c, answer.OR != 'c' ? str::WrongAnswerCode : str::WrongLength);
        AppendText(c, " ");
        AppendString(c, str::InReceive);
        return StepFailed;
    }
    host.stopAnswerTimer(host.context);
    DecodePart2(answer, c.stagingConfig);
    return HandOver(c, host);
}

// --- Transmit --------------------------------------------------------------------------------

StepResult TransmitVersionStep(Conversation& c, const ConversationHost& host,
                               const LinkPacket& answer) {
    if (answer.OR != 'w') return Fail(c, "T1 - %s. ", str::VerificationError);
    if (!HasModelMark(answer))
        return FailWithTail(c, "T1 - %s. ", str::NotThisModel, str::CannotTransmit);
    TakeVersion(c, answer);
    SendRequest(c, host, 'b');
    SetString(c, str::RequestingConfig);
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

    char controllerCabin[16], imageCabin[16], caption[30];
    CabinText(cabin, controllerCabin);
    CabinText(image.cabinNumber, imageCabin);
    std::snprintf(c.statusText, kStatusTextSize, ResString(str::IdentityQuestion), (unsigned)system,
                  controllerCabin, (unsigned)image.systemNumber, imageCabin);
    host.stopAnswerTimer(host.context);
    LoadResString(str::CaptionConfigurator, caption, sizeof caption);
    c.boxOpen = true;
    int reply = host.askQuestion(host.context, c.statusText, caption, mb::YesNo | mb::IconQuestion);
    c.boxOpen = false;
    return reply == mb::IdYes;
}

StepResult TransmitIdentityStep(Conversation& c, const ConversationHost& host,
                                const LinkPacket& answer) {
    if (answer.OR != 'c') return Fail(c, "T2 - %s. ", str::WrongAnswerCode);
    if (answer.LA != kPart1Length) return Fail(c, "T2 - %s. ", str::WrongLength);
    bool go = ConfirmIdentity(c, host, answer, DocumentImage(host));
    if (c.ended) {
        // The dialog was closed while the question was open: nothing more goes to the line.
        c.statusText[0] = '\0';
        return StepFailed;
    }
    if (!go) {
        SetString(c, str::TransmitStopped);
        return StepFinished;
    }
    c.request = MakeRequest('h');
    c.request.LA = kPart1Length;
    std::memcpy(c.request.data, EncodeParts(DocumentImage(host)).part1.data(), kPart1Length);
    if (c.controllerMajor >= kTwoPartMajor) {
        SetFormatted(c, "%s (1).", str::Transmitting);
        Send(c, host);
        host.startAnswerTimer(host.context, kExchangePeriodMs);
        c.conversationState = TransmitPart1;
    } else {
        c.request.OR = 'a';
        SetFormatted(c, "%s.", str::Transmitting);
        Send(c, host);
        host.startAnswerTimer(host.context, kExchangePeriodMs);
        c.conversationState = TransmitSinglePart;
    }
    return StepContinue;
}

// The controller's reply to a configuration it was given: true for 'e' with no data; otherwise
// statusText says what it objected to.
bool Accepted(Conversation& c, const LinkPacket& answer) {
    switch (answer.OR) {
    case 'e':
        if (answer.LA == 0) return true;
        SetFormatted(c, "T3- %s.", str::WrongLength);
        return false;
    case 'f': SetFormatted(c, "T3- %s", str::FixedConfig); return false;
    case 'm':
        SetFormatted(c, "T3- %s", str::OutOfRange);
        AppendString(c, str::NotConfigured);
        return false;
    case 'M':
        SetFormatted(c, "T3- %s", str::WrongDataType);
        AppendString(c, str::NotConfigured);
        return false;
    default: SetFormatted(c, "T3- %s.", str::WrongAnswerType); return false;
    }
}

void SetVerifyingText(Conversation& c) {
    const char* format = c.conversationState == VerifySinglePart ? "%s - %d." : "%s (1) - %d.";
    std::snprintf(c.statusText, kStatusTextSize, format, ResString(str::Verifying), c.retriesLeft);
}

StepResult TransmitSinglePartStep(Conversation& c, const ConversationHost& host,
                                  const LinkPacket& answer) {
    if (!Accepted(c, answer)) return StepFailed;
    SendRequest(c, host, 'b');
    c.conversationState = VerifySinglePart;
    host.startAnswerTimer(host.context, kReadBackPeriodMs);
    c.retriesLeft = kSinglePartReadBacks;
    SetVerifyingText(c);
    return StepContinue;
}

StepResult TransmitPart1Step(Conversation& c, const ConversationHost& host,
                             const LinkPacket& answer) {
    if (!Accepted(c, answer)) return StepFailed;
    c.request = MakeRequest('e');
    c.request.LA = kPart2Length;
    std::memcpy(c.request.data, EncodeParts(DocumentImage(host)).part2.data(), kPart2Length);
    SetFormatted(c, "%s (2).", str::Transmitting);
    Send(c, host);
    host.startAnswerTimer(host.context, kExchangePeriodMs);
    c.conversationState = TransmitPart2;
    return StepContinue;
}

StepResult TransmitPart2Step(Conversation& c, const ConversationHost& host,
                             const LinkPacket& answer) {
    if (!Accepted(c, answer)) return StepFailed;
    SendRequest(c, host, 'b');
    host.startAnswerTimer(host.context, kReadBackPeriodMs);
    c.retriesLeft = kTwoPartReadBacks;
    c.conversationState = VerifyPart1;
    SetVerifyingText(c);
    return StepContinue;
}

StepResult VerifySinglePartStep(Conversation& c, const ConversationHost& host,
                                const LinkPacket& answer) {
    if (answer.OR != 'c') return Fail(c, "T4- %s.", str::WrongAnswerCode);
    if (answer.LA != kPart1Length) return Fail(c, "T4- %s.", str::WrongLength);
    if (!MatchesPart1(host, answer)) {
        SetString(c, str::NotVerified);
        AppendString(c, str::NotConfigured);
        return StepFailed;
    }
    SetString(c, str::Configured);
    AppendString(c, str::OldControllerNotice);
    return StepFinished;
}

StepResult VerifyPart1Step(Conversation& c, const ConversationHost& host,
                           const LinkPacket& answer) {
    if (answer.OR != 'c') return Fail(c, "T5- %s.", str::WrongAnswerCode);
    if (answer.LA != kPart1Length) return Fail(c, "T5- %s.", str::WrongLength);
    if (!MatchesPart1(host, answer)) {
        SetString(c, str::Part1NotVerified);
        AppendString(c, str::NotConfigured);
        return StepFailed;
    }
    SendRequest(c, host, 'f');
    host.startAnswerTimer(host.context, kPart2ReadBackPeriodMs);
    c.conversationState = VerifyPart2;
    SetFormatted(c, "%s (2).", str::Verifying);
    return StepContinue;
}

StepResult VerifyPart2Step(Conversation& c, const ConversationHost& host,
                           const LinkPacket& answer) {
    if (answer.OR != 'c') return Fail(c, "T7- %s.", str::WrongAnswerCode);
    if (answer.LA != kPart2Length) return Fail(c, "T7- %s.", str::WrongLength);
    if (!MatchesPart2(host, answer)) {
        SetString(c, str::Part2NotVerified);
        AppendString(c, str::NotConfigured);
        return StepFailed;
    }
    SetString(c, str::Configured);
    return StepFinished;
}

} // namespace

bool BeginConversation(Conversation& c, const ConversationHost& host) {
    c.ended = false;
    c.boxOpen = false;
    int state = c.conversationState;
    if (state != VersionQuery && state != ReceiveVersionCheck && state != TransmitVersionCheck) {
        std::snprintf(c.statusText, kStatusTextSize, ResString(str::InvalidCommand), state);
        return false;
    }
    c.request = MakeRequest('v');
    SetString(c, str::RequestingVersion);
    Send(c, host);
    host.startAnswerTimer(host.context,
                          state == VersionQuery ? kVersionPeriodMs : kExchangePeriodMs);
    return true;
}

StepResult ConversationStep(Conversation& c, const ConversationHost& host,
                            const LinkPacket& answer) {
    if (answer.CD != 'c' || answer.CO != 'o') {
        SetString(c, str::WrongAddress);
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
    case VerifySinglePart: return VerifySinglePartStep(c, host, answer);
    case TransmitPart1: return TransmitPart1Step(c, host, answer);
    case TransmitPart2: return TransmitPart2Step(c, host, answer);
    case VerifyPart1: return VerifyPart1Step(c, host, answer);
    case VerifyPart2: return VerifyPart2Step(c, host, answer);
    default: SetString(c, str::SequenceError); return StepFailed;
    }
}

bool ConversationTimeout(Conversation& c, const ConversationHost& host) {
    bool readingBack =
        c.conversationState == VerifySinglePart || c.conversationState == VerifyPart1;
    if (readingBack && c.retriesLeft > 1) {
        --c.retriesLeft;
        c.request = MakeRequest('b');
        host.startAnswerTimer(host.context, kReadBackPeriodMs);
        Send(c, host);
        SetVerifyingText(c);
        return true;
    }
    if (readingBack) c.retriesLeft = 0;
    host.stopAnswerTimer(host.context);
    SetString(c, str::NoAnswer);
    return false;
}
