#pragma once
// The copies of configurations received from and sent to controllers, kept in the user's
// application-data folder.
#include "app/config_document.h"

// The folders of the copies below the program's folder.
constexpr const char* kReceivedFolder = "Recibidas";
constexpr const char* kSentFolder = "Enviadas";

// The folder of the history and the copies: `chosen` (the settings' choice) when not empty, else
// "%APPDATA%\cnfzrt94"; made if missing; false when it cannot be named or made.
bool ProgramDataFolder(const char* chosen, char* folder, int size);

// The folder of received copies, made if missing; false when it cannot be named or made.
bool ReceiveArchiveFolder(const char* chosen, char* folder, int size);

// Writes `image` as a configuration file under its dated name in `subfolder` (kReceivedFolder,
// kSentFolder), with the document's format version and safe write. The name is taken with a
// create that fails on an existing file, so that no two copies, of this program or another
// sharing the folder, take one name. `chosen` as for ProgramDataFolder. The name kept goes to
// `name` (may be null); false when nothing could be written.
bool ArchiveImage(const char* chosen, const ConfigDocument& document, const ControllerConfig& image,
                  const char* subfolder, char* name, int nameSize);
