#include "link/interrogation.h"

#include "base/message_box.h"
#include "base/string_ids.h"

namespace {

DialogAction Progress(const Conversation& c) {
    DialogAction a;
    a.kind = DialogAction::ShowProgress;
    a.text = c.exchange.statusText;
    return a;
}

DialogAction End(const char* text, unsigned flags, unsigned captionId = 0) {
    DialogAction a;
    a.kind = DialogAction::EndDialog;
    a.text = text && text[0] ? text : nullptr;
    a.boxFlags = a.text ? flags : 0;
    a.captionId = a.text ? captionId : 0;
    return a;
}

bool OpensConversation(int state) {
    return state == VersionQuery || state == ReceiveVersionCheck || state == TransmitVersionCheck;
}

} // namespace

DialogAction ConversationStart(Conversation& c, const ConversationHost& host,
                               const ControllerConfig& outgoing) {
    if (!BeginConversation(c, host, outgoing))
        return End(c.exchange.statusText, mb::IconExclamation);
    return Progress(c);
}

DialogAction ConversationPoll(Conversation& c, const ConversationHost& host) {
    if (c.ended || c.boxOpen) return {};
    LinkPacket answer;
    if (!ReceiveAnswer(c.exchange, host.exchange, &answer)) return {};
    return ConversationAnswer(c, host, answer);
}

DialogAction ConversationAnswer(Conversation& c, const ConversationHost& host,
                                const LinkPacket& answer) {
    StepResult result = ConversationStep(c, host, answer);
    if (c.ended) return {};
    switch (result) {
    case StepContinue:
        if (OpensConversation(c.conversationState)) return {};
        return Progress(c);
    case StepFinished: {
        StopAnswerTimer(host.exchange);
        DialogAction a = End(c.exchange.statusText, mb::IconInformation, str::CaptionConfigurator);
        // A received configuration counts as saved.
        a.markSaved = c.conversationState == ReceivePart1 || c.conversationState == ReceivePart2;
        return a;
    }
    case StepFailed:
    default: StopAnswerTimer(host.exchange); return End(c.exchange.statusText, mb::IconStop);
    }
}

DialogAction ConversationAnswerTimer(Conversation& c, const ConversationHost& host) {
    if (c.ended || c.boxOpen) return {};
    if (ConversationTimeout(c, host)) return Progress(c);
    return End(c.exchange.statusText, mb::IconExclamation);
}

void ConversationEnded(Conversation& c) {
    c.ended = true;
}
