#pragma once
// The program's single open document: the current configuration, its modified flag and the
// format version written into files. It keeps no file name: Save always uses the recommended
// name. Everything it shows or touches outside itself goes through its host.
#include "config/controller_config.h"

#include <cstdint>

constexpr int kPathSize = 260;

struct DocumentHost {
    void* context;
    // A message box owned by the document's owner window; caption nullptr is the system's default.
    int (*messageBox)(void* context, const char* text, const char* caption, unsigned flags);
    // File dialogs: `path` holds the initial name and receives the choice; false when cancelled.
    // The open dialog starts in `folder` unless it is nullptr.
    bool (*openFileDialog)(void* context, const char* title, const char* filter, const char* folder,
                           char* path, int pathSize);
    bool (*saveFileDialog)(void* context, const char* title, const char* filter, char* path,
                           int pathSize);
    // Reads up to `size` bytes from the start of a file (others may read it meanwhile); false
    // when it cannot be opened or a read fails.
    bool (*readFile)(void* context, const char* path, unsigned char* buffer, int size, int* read);
    // True when the file can be opened for reading.
    bool (*fileExists)(void* context, const char* path);
    // Replaces the file with `data` only once every byte is safely written; false on any failure,
    // with an existing file left as it was.
    bool (*writeFile)(void* context, const char* path, const unsigned char* data, int size);
    // Tells the owner window that the image or the modified flag changed.
    void (*postChanged)(void* context);
    // The full path that the file functions take `path` for (a relative one lies in the current
    // folder, which the file dialogs move); the path as given when it cannot be formed.
    void (*fullPath)(void* context, const char* path, char* full, int size);
    // A text for the main window's status bar.
    void (*showStatus)(void* context, const char* text);
    // Optional: a file the document was opened from or saved to, as it was named.
    void (*fileUsed)(void* context, const char* path) = nullptr;
};

enum class SaveResult { Saved, Declined, Failed };

struct ConfigDocument {
    const DocumentHost* host = nullptr;
    uint32_t fileVersion = 0;
    uint32_t minorVersion = 0;
    ControllerConfig image{};
    uint32_t modified = 0;

    void Init(const DocumentHost* host, uint32_t fileVersion, uint32_t minorVersion);
    void New();
    // The open dialog starts in `folder`, or where the system chooses for nullptr.
    void Open(const char* folder = nullptr);
    bool OpenPath(const char* path);
    // The open dialog, then the chosen file read into `loaded` with Open's checks and messages;
    // the document is left as it is. `path` receives the choice. False when cancelled or refused.
    bool ChooseAndRead(ControllerConfig& loaded, char* path, int pathSize);
    SaveResult Save();
    SaveResult SaveAs();
    bool WriteToPath(const char* path);
    // Asks to save a modified document; true when the caller may go on and replace or drop the
    // edits: after No, or once Yes has saved them. A save declined at the overwrite question or
    // failed stops the caller as Cancel does, so that the edits can still go elsewhere.
    bool QuerySave(bool offerCancel);
    // The name Save uses, without a folder. Setting a hall-call controller's cabin to 0 is part
    // of naming it, as the controller knows it.
    void RecommendedFileName(char* name, int size);
    void SetModified(bool flag);
    bool ReplaceImage(const ControllerConfig& newImage);

  private:
    bool ChooseFile(const char* folder, char* path, int pathSize);
    bool ReadPath(const char* path, ControllerConfig& loaded);
    void FullPath(const char* path, char (&full)[kPathSize]);
    int Ask(unsigned textId, unsigned captionId, unsigned flags);
    int AskText(const char* text, unsigned captionId, unsigned flags);
};

// Validates an image's stop count (2..24), showing the file-error message through `host`.
bool CheckStopCount(const ControllerConfig& image, const DocumentHost* host);

// The recommended file name of an image, which is left as it is.
void RecommendedName(const ControllerConfig& image, char* name, int size);

// The rule of a name chosen to save under, so that Open takes the file again: a file name
// without an extension gets ".`extension`"; true when the path then ends in that extension (in
// any case), false for another one or a path too long to take it.
bool GiveExtension(char* path, int size, const char* extension);

// Upper-cases the letters a to z in place; accented letters stay as they are.
void UpperCaseAscii(char* text);
