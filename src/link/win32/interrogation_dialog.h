#pragma once
// The modal interrogation dialog that runs one conversation with the controller: version query,
// receive configuration or transmit configuration.
#include "config/controller_config.h"
#include "link/conversation.h"
#include "link/win32/comm_link.h"

#include <windows.h>

// What a conversation needs of the open document.
struct InterrogationDocument {
    void* context;
    // The document's ReplaceImage: false when it refused the image (it has said why itself).
    bool (*replaceImage)(void* context, const ControllerConfig& image);
    // A received configuration counts as saved.
    void (*markSaved)(void* context);
    // The conversation ended with `text` (may be empty), before its box is shown; not called
    // when the user cancels it.
    void (*finished)(void* context, const Conversation& conversation, const char* text);
};

// Runs the dialog for the conversation that `conversationCode` opens (VersionQuery,
// ReceiveVersionCheck or TransmitVersionCheck) on `link`, owned by the main window. A transmit
// sends `image`, the document's as the dialog opens: the modal dialog keeps it from changing.
void RunInterrogation(HWND mainWindow, HINSTANCE instance, Conversation& conversation,
                      CommLink& link, int conversationCode, const ControllerConfig& image,
                      const InterrogationDocument& document);
