#pragma once
// What an exchange dialog gives the exchange kernel: packets through the serial link it was
// handed, and the answer timer on the dialog's own window.
#include "link/interrogation.h"
#include "link/win32/comm_link.h"

#include <windows.h>

// The host of a dialog struct with `window` and `link` (CommLink*) members; the struct is every
// call's context. Setting a running timer again restarts it with the new period.
template <class Dialog> ExchangeHost DialogExchangeHost(Dialog* dialog) {
    return {
        .context = dialog,
        .sendPacket =
            [](void* d, const LinkPacket& p) {
                return static_cast<Dialog*>(d)->link->SendPacket(p);
            },
        .receivePacket =
            [](void* d, LinkPacket* p) { return static_cast<Dialog*>(d)->link->ReceivePacket(*p); },
        .startAnswerTimer =
            [](void* d, unsigned periodMs) {
                SetTimer(static_cast<Dialog*>(d)->window, kAnswerTimerId, periodMs, nullptr);
            },
        .stopAnswerTimer =
            [](void* d) { KillTimer(static_cast<Dialog*>(d)->window, kAnswerTimerId); },
        .discardInput = [](void* d) { static_cast<Dialog*>(d)->link->DiscardInput(); }};
}
