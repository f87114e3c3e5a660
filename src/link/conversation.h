#pragma once
// The conversations of the interrogation dialog: version query, receive configuration and
// transmit configuration with read-back. One conversation at a time; its state is program-wide
// and survives the dialog. The steps reach the world only through a ConversationHost.
#include "config/controller_config.h"
#include "link/exchange.h"
#include "link/wire_encoding.h"

#include <cstdint>

// conversationState values; the first of each group is the code the menu command sets.
enum ConversationCode {
    VersionQuery = 10,
    ReceiveVersionCheck = 30,
    ReceivePart1 = 31,
    ReceivePart2 = 32,
    TransmitVersionCheck = 201,
    TransmitIdentityCheck = 202,
    TransmitSinglePart = 213,
    VerifySinglePart = 215,
    TransmitPart1 = 223,
    TransmitPart2 = 224,
    VerifyPart1 = 226,
    VerifyPart2 = 227,
};

struct ConversationHost {
    ExchangeHost exchange; // the line and the answer timer; its context is every call's
    // A modal question owned by the main window (so that "Cancelar" stays usable meanwhile);
    // returns the button pressed (mb::IdYes, mb::IdNo).
    int (*askQuestion)(void* context, const char* text, const char* caption, unsigned flags);
    // The document's ReplaceImage: false when it refused the image (it has said why itself).
    bool (*replaceImage)(void* context, const ControllerConfig& image);
};

struct Conversation {
    int conversationState = 0;
    Exchange exchange; // the request on the line and statusText
    uint8_t retriesLeft = 0;
    int controllerMajor = 0;
    int controllerMinor = 0;
    // The image being received; each receive starts it from the empty configuration, so that
    // an older controller's image holds the defaults where it has no part 2.
    ControllerConfig stagingConfig{};
    // The document's image as the conversation began, and its two parts as they go on the line:
    // a transmit sends and verifies these, whatever happens to the document meanwhile.
    ControllerConfig outgoing{};
    char outgoingPart1[kPart1Length]{};
    char outgoingPart2[kPart2Length]{};
    // The last transmit's image was read back as sent: it is what the controller holds.
    bool verified = false;
    // The dialog ended (cancelled, or over) while a step was waiting in a box.
    bool ended = false;
    // A step waits in a box of the main window (the identity question, or the document refusing
    // a received image): no answer is read and no time-out counted until it is closed.
    bool boxOpen = false;
};

// Takes `outgoing` as the image to transmit, forgets the last controller's version, empties the
// line, sends the version request that opens conversations 10, 30 and 201 and starts the answer
// timer (1000 ms for the version query, 2000 ms before a receive or transmit); statusText is then
// "Solicitando versión.". Any other state: statusText is "Comando %d no válido." and false.
bool BeginConversation(Conversation& c, const ConversationHost& host,
                       const ControllerConfig& outgoing);

// Checks one answer, sends the next request and advances conversationState. Always leaves a
// text in statusText; a failure with an empty statusText has already been reported (the
// document refused the image) or needs no report (the dialog ended during the question).
StepResult ConversationStep(Conversation& c, const ConversationHost& host,
                            const LinkPacket& answer);

// The answer timer fired. In the read-back states, while retries are left, the read-back is
// asked again and true is returned with the progress in statusText. Otherwise the timer is
// stopped, statusText is "El controlador no contesta." and false is returned.
bool ConversationTimeout(Conversation& c, const ConversationHost& host);
