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
    bool (*openFileDialog)(void* context, const char* title, const char* filter, char* path,
                           int pathSize);
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
    void Open();
    bool OpenPath(const char* path);
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
    int Ask(unsigned textId, unsigned captionId, unsigned flags);
    int AskText(const char* text, unsigned captionId, unsigned flags);
};

// Validates an image's stop count (2..24), showing the file-error message through `host`.
bool CheckStopCount(const ControllerConfig& image, const DocumentHost* host);

// Upper-cases the letters a to z in place; accented letters stay as they are.
void UpperCaseAscii(char* text);
