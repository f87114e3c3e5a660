#pragma once
// What the interrogation dialog does at each of its events, decided here so that the window
// only carries it out: set its progress text, or show one message box and end.
#include "link/conversation.h"

constexpr unsigned kPollTimerId = 200;
constexpr unsigned kPollPeriodMs = 200;
constexpr unsigned kAnswerTimerId = 100;

struct DialogAction {
    enum Kind {
        Nothing,      // leave the dialog as it is
        ShowProgress, // set the progress text (control 132) to `text`
        EndDialog,    // show the box below, if any, then end the dialog
    };
    Kind kind = Nothing;
    const char* text = nullptr; // progress text, or the box text; nullptr: no box
    unsigned boxFlags = 0;      // mb:: icon and buttons
    unsigned captionId = 0;     // string number of the caption; 0 = the system's default
    bool markSaved = false;     // SetModified(false) on the document before ending
};

// On creation, after centring and starting the poll timer: takes the image a transmit sends and
// sends the version request.
DialogAction ConversationStart(Conversation& c, const ConversationHost& host,
                               const ControllerConfig& outgoing);

// Poll timer: reads one completed answer, if any, and takes the step; a repeat of the answer
// taken last is dropped. Nothing is read while a step waits in a box (a second answer would take
// the step again) or after the dialog ended.
DialogAction ConversationPoll(Conversation& c, const ConversationHost& host);

// One completed answer (ConversationPoll's second half).
DialogAction ConversationAnswer(Conversation& c, const ConversationHost& host,
                                const LinkPacket& answer);

// Answer timer; it counts nothing while a step waits in a box.
DialogAction ConversationAnswerTimer(Conversation& c, const ConversationHost& host);

// The dialog is ending ("Cancelar", Escape, the close box, or any ending above). A step waiting
// in a box then sends nothing when the box returns.
void ConversationEnded(Conversation& c);
