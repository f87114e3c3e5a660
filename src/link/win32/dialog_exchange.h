#pragma once
// What an exchange dialog gives the exchange kernel: packets through the program's serial link,
// and the answer timer on the dialog's own window.
#include "link/exchange.h"

#include <windows.h>

bool SendOnCommLink(void* context, const LinkPacket& packet);
bool ReceiveFromCommLink(void* context, LinkPacket* packet);
void DiscardCommLinkInput(void* context);
// Setting a running timer again restarts it with the new period.
void StartAnswerTimer(HWND dialog, unsigned periodMs);
void StopAnswerTimer(HWND dialog);

// The host of a dialog struct with a `window` member; the struct is every call's context.
template <class Dialog> ExchangeHost DialogExchangeHost(Dialog* dialog) {
    return {.context = dialog,
            .sendPacket = SendOnCommLink,
            .receivePacket = ReceiveFromCommLink,
            .startAnswerTimer =
                [](void* d, unsigned periodMs) {
                    StartAnswerTimer(static_cast<Dialog*>(d)->window, periodMs);
                },
            .stopAnswerTimer = [](void* d) { StopAnswerTimer(static_cast<Dialog*>(d)->window); },
            .discardInput = DiscardCommLinkInput};
}
