#include "link/win32/interrogation_dialog.h"

#include "base/box_texts.h"
#include "base/win32/message_box_ids.h"
#include "base/win32/message_table.h"
#include "link/interrogation.h"
#include "link/win32/dialog_exchange.h"
#include "res/resource.h"

namespace {

struct InterrogationDialog {
    HWND window = nullptr;
    HWND mainWindow = nullptr;
    Conversation* conversation = nullptr;
    CommLink* link = nullptr;
    const InterrogationDocument* document = nullptr;
    const ControllerConfig* image = nullptr;
    ConversationHost host{};
};

InterrogationDialog* Self(void* context) {
    return static_cast<InterrogationDialog*>(context);
}

// Owned by the main window, so that the dialog's "Cancelar" and its timers go on meanwhile. The
// box enables and activates its owner as it closes: while the dialog runs, the main window is
// disabled again and the dialog keeps the front; after "Cancelar" the main window is given back.
int HostAsk(void* context, const char* text, const char* caption, unsigned flags) {
    InterrogationDialog& d = *Self(context);
    int reply = MessageBoxA(d.mainWindow, text, caption, flags);
    bool dialogEnded = d.conversation->ended;
    EnableWindow(d.mainWindow, dialogEnded);
    SetActiveWindow(dialogEnded ? d.mainWindow : d.window);
    return reply;
}
bool HostReplaceImage(void* context, const ControllerConfig& image) {
    const InterrogationDocument& document = *Self(context)->document;
    return document.replaceImage(document.context, image);
}

void StopTimers(HWND window) {
    KillTimer(window, kPollTimerId);
    KillTimer(window, kAnswerTimerId);
}

void Finish(InterrogationDialog& d, const DialogAction& action) {
    // Nothing more is read or sent while the last box is up.
    StopTimers(d.window);
    ConversationEnded(*d.conversation);
    if (d.document->finished)
        d.document->finished(d.document->context, *d.conversation, action.text ? action.text : "");
    if (action.text)
        MessageBoxA(d.window, action.text, BoxCaption(action.captionId).Get(), action.boxFlags);
    if (action.markSaved) d.document->markSaved(d.document->context);
    EndDialog(d.window, 0);
}

void Carry(InterrogationDialog& d, const DialogAction& action) {
    switch (action.kind) {
    case DialogAction::Nothing: break;
    case DialogAction::ShowProgress:
        SetDlgItemTextA(d.window, IDC_CONV_PROGRESS, action.text);
        break;
    case DialogAction::EndDialog: Finish(d, action); break;
    }
}

// Ends at once. With a step's box still open (the identity question, or the document refusing
// the received image), the main window stays disabled until it is closed, so that no other
// command starts under it; the step then sends nothing.
void Cancel(InterrogationDialog& d) {
    StopTimers(d.window);
    ConversationEnded(*d.conversation);
    EndDialog(d.window, 0);
    if (d.conversation->boxOpen) EnableWindow(d.mainWindow, FALSE);
}

InterrogationDialog* DialogOf(HWND window) {
    return reinterpret_cast<InterrogationDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

INT_PTR OnInitDialog(HWND window, WPARAM, LPARAM lParam) {
    auto* d = reinterpret_cast<InterrogationDialog*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
    d->window = window;
    CenterDialog(window);
    SetTimer(window, kPollTimerId, kPollPeriodMs, nullptr);
    Carry(*d, ConversationStart(*d->conversation, d->host, *d->image));
    return TRUE;
}

INT_PTR OnTimer(HWND window, WPARAM id, LPARAM) {
    InterrogationDialog* d = DialogOf(window);
    if (!d) return FALSE;
    if (id == kPollTimerId) {
        Carry(*d, ConversationPoll(*d->conversation, d->host));
    } else if (id == kAnswerTimerId) {
        Carry(*d, ConversationAnswerTimer(*d->conversation, d->host));
    }
    return TRUE;
}

INT_PTR OnCommand(HWND window, WPARAM wParam, LPARAM) {
    InterrogationDialog* d = DialogOf(window);
    if (!d || LOWORD(wParam) != IDCANCEL) return FALSE;
    Cancel(*d);
    return TRUE;
}

INT_PTR OnClose(HWND window, WPARAM, LPARAM) {
    InterrogationDialog* d = DialogOf(window);
    if (!d) return FALSE;
    Cancel(*d);
    return TRUE;
}

const DialogMessageHandler kHandlers[] = {
    {WM_INITDIALOG, OnInitDialog},
    {WM_TIMER, OnTimer},
    {WM_COMMAND, OnCommand},
    {WM_CLOSE, OnClose},
};

} // namespace

void RunInterrogation(HWND mainWindow, HINSTANCE instance, Conversation& conversation,
                      CommLink& link, int conversationCode, const ControllerConfig& image,
                      const InterrogationDocument& document) {
    conversation.conversationState = conversationCode;
    InterrogationDialog d;
    d.mainWindow = mainWindow;
    d.conversation = &conversation;
    d.link = &link;
    d.document = &document;
    d.image = &image;
    d.host = {.exchange = DialogExchangeHost(&d),
              .askQuestion = HostAsk,
              .replaceImage = HostReplaceImage};
    DialogBoxParamA(instance, IDD_INTERROGATION, mainWindow, DialogProcedure<kHandlers>,
                    reinterpret_cast<LPARAM>(&d));
}
