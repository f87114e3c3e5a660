#pragma once
// The controller commands of the main menu, each run in the modal interrogation dialog: version
// (10021), receive configuration (10023) and transmit configuration (10025).
#include "app/config_document.h"
#include "link/conversation.h"

#include <windows.h>

// The conversation state of the whole program: one conversation at a time. It outlives each
// dialog (the controller's version and the staged image stay until the next answer).
extern Conversation g_conversation;

void ReceiveVersionCommand(HWND mainWindow);
// Lets the user save a modified document first, and stops when the user cancels.
void ReceiveConfigurationCommand(HWND mainWindow, ConfigDocument& document);
void TransmitConfigurationCommand(HWND mainWindow, ConfigDocument& document);
