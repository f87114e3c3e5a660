#include "events/event_log.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "link/version_answer.h"
#include "link/wire_encoding.h"

namespace {

// Codes the string table describes. The numbers after them belong to other texts (the day and
// month names start at 30496), so a code past the table must not be looked up.
constexpr int kHighestEventCode = 17;

void Ask(EventLog& log, const ExchangeHost& host, char command, int next) {
    SendRequest(log.exchange, host, command);
    log.eventState = next;
}

void LoadEventString(unsigned base, int code, char* out, int size) {
    unsigned id = base + (unsigned)code;
    if (code >= 0 && code <= kHighestEventCode)
        LoadResString(id, out, size);
    else
        FormatMissingString(id, out, size);
}
} // namespace

void StartRefresh(EventLog& log, const ExchangeHost& host) {
    BeginExchange(log.exchange, host);
    log.countersRead = false;
    log.runningHours = log.operationCount = 0;
    log.logRead = false;
    Ask(log, host, 'v', AwaitVersion);
    StartAnswerTimer(host, kRefreshPeriodMs);
}

void StartClear(EventLog& log, const ExchangeHost& host) {
    BeginExchange(log.exchange, host);
    Ask(log, host, 'd', AwaitClear);
    StartAnswerTimer(host, kClearPeriodMs);
}

void EventTimeout(EventLog& log) {
    log.eventState = EventIdle;
}

unsigned DecodeEvents(const LinkPacket& answer, EventRecord (&events)[kMaxEvents]) {
    unsigned count = 0;
    for (int i = 0; i < kMaxEvents; ++i) {
        int code = ParseDecimalField(answer.data + 4 * i, 2);
        if (code == 0) break;
        events[count].code = code;
        events[count].stop = ParseDecimalField(answer.data + 4 * i + 2, 2);
        ++count;
    }
    return count;
}

namespace {
StepResult Step(EventLog& log, const ExchangeHost& host, const LinkPacket& a) {
    Exchange& x = log.exchange;
    if (a.CD != 'c' || a.CO != 'o') {
        SetStatus(x, str::WrongAddress);
        log.eventState = EventIdle;
        return StepFailed;
    }
    int state = log.eventState;
    log.eventState = EventIdle;
    switch (state) {
    case AwaitVersion:
        if (a.OR != 'w') return Fail(x, "V- %s.", str::VerificationError);
        if (!HasModelMark(a)) return Fail(x, "V- %s.", str::NotThisModel);
        log.controllerMajor = VersionMajor(a);
        if (log.controllerMajor >= kTwoPartMajor)
            Ask(log, host, 'g', AwaitCounters);
        else
            Ask(log, host, 'b', AwaitIdentity);
        return StepContinue;
    case AwaitCounters:
        if (a.OR != 'G') return Fail(x, "C- %s.", str::VerificationError);
        if (a.LA != kCountersAnswerLength) return Fail(x, "C- %s.", str::WrongLength);
        log.runningHours = (uint32_t)ParseDecimalField(a.data, 6);
        log.operationCount = (uint32_t)ParseDecimalField(a.data + 6, 6);
        log.countersRead = true;
        Ask(log, host, 'b', AwaitIdentity);
        return StepContinue;
    case AwaitIdentity:
        if (a.OR != 'c') return Fail(x, "C- %s.", str::WrongAnswerCode);
        if (a.LA != kPart1Length) return Fail(x, "C- %s.", str::WrongLength);
        log.controllerSystem = Part1SystemNumber(a);
        log.controllerCabin = Part1Cabin(a);
        Ask(log, host, 'c', AwaitEvents);
        return StepContinue;
    case AwaitEvents:
        if (a.OR != 'C') return Fail(x, "U- %s.", str::WrongAnswerCode);
        if (a.LA != kEventsAnswerLength) return Fail(x, "U- %s.", str::WrongLength);
        log.eventCount = DecodeEvents(a, log.events);
        log.logRead = true;
        return StepFinished;
    case AwaitClear:
        if (a.OR != 'D') return Fail(x, "B- %s.", str::WrongAnswerCode);
        if (a.LA != 0) return Fail(x, "B- %s.", str::WrongLength);
        log.eventCount = 0;
        return StepFinished;
    default: SetStatus(x, str::SequenceError); return StepFailed;
    }
}
} // namespace

StepResult EventStep(EventLog& log, const ExchangeHost& host, const LinkPacket& answer) {
    StepResult result = Step(log, host, answer);
    if (result != StepContinue) StopAnswerTimer(host);
    return result;
}

void EventMnemonic(int code, char* out, int size) {
    LoadEventString(str::EventMnemonics, code, out, size);
}

void EventText(int code, char* out, int size) {
    LoadEventString(str::EventTexts, code, out, size);
}
