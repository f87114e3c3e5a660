#pragma once
// The copies of received configurations in the user's application-data folder.
#include "app/config_document.h"

// "%APPDATA%\cnfzrt94\Recibidas", made if missing; false when it cannot be named or made.
bool ReceiveArchiveFolder(char* folder, int size);

// Writes `image` as a configuration file under its dated name in that folder, with the
// document's format version and safe write; false when nothing could be written.
bool ArchiveReceivedImage(const ConfigDocument& document, const ControllerConfig& image);
