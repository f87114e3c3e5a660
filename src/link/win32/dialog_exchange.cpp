#include "link/win32/dialog_exchange.h"

#include "link/interrogation.h"
#include "link/win32/comm_link.h"

bool SendOnCommLink(void*, const LinkPacket& packet) {
    return g_commLink.SendPacket(packet);
}

bool ReceiveFromCommLink(void*, LinkPacket* packet) {
    return g_commLink.ReceivePacket(*packet);
}

void DiscardCommLinkInput(void*) {
    g_commLink.DiscardInput();
}

void StartAnswerTimer(HWND dialog, unsigned periodMs) {
    SetTimer(dialog, kAnswerTimerId, periodMs, nullptr);
}

void StopAnswerTimer(HWND dialog) {
    KillTimer(dialog, kAnswerTimerId);
}
