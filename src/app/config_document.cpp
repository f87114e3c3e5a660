#include "app/config_document.h"

#include "app/config_file.h"
#include "base/box_texts.h"
#include "base/cp1252.h"
#include "base/message_box.h"
#include "base/res_string.h"
#include "base/string_ids.h"

#include <cstdio>
#include <cstring>

namespace {

// The file-type filter with its vertical bars turned into the NULs the dialogs expect.
void LoadFilter(char (&filter)[256]) {
    LoadResString(str::FileFilter, filter, sizeof filter);
    for (char& c : filter)
        if (c == '|') c = '\0';
}

// Splits off the folder: "C:\\A\\B.Z94" gives "B.Z94".
const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    return name;
}
} // namespace

bool GiveExtension(char* path, int size, const char* extension) {
    if (const char* dot = std::strrchr(FileNamePart(path), '.')) {
        char given[16];
        std::snprintf(given, sizeof given, "%s", dot + 1);
        UpperCaseAscii(given);
        return std::strcmp(given, extension) == 0;
    }
    int length = (int)std::strlen(path);
    if (length + 1 + (int)std::strlen(extension) >= size) return false;
    std::snprintf(path + length, size - length, ".%s", extension);
    return true;
}

void UpperCaseAscii(char* text) {
    for (; *text; ++text)
        if (*text >= 'a' && *text <= 'z') *text = (char)(*text - 'a' + 'A');
}

bool CheckStopCount(const ControllerConfig& image, const DocumentHost* host) {
    int stops = (int8_t)image.stopCount;
    if (stops >= 2 && stops <= kMaxStops) return true;
    char text[256];
    std::snprintf(text, sizeof text, W1252("Número de paradas %d incorrecto."), stops);
    host->messageBox(host->context, text, W1252("Error en archivo de configuración"), mb::IconStop);
    return false;
}

void ConfigDocument::FullPath(const char* path, char (&full)[kPathSize]) {
    host->fullPath(host->context, path, full, sizeof full);
}

int ConfigDocument::AskText(const char* text, unsigned captionId, unsigned flags) {
    return host->messageBox(host->context, text, BoxCaption(captionId).Get(), flags);
}

int ConfigDocument::Ask(unsigned textId, unsigned captionId, unsigned flags) {
    BoxTexts box(textId, captionId);
    return host->messageBox(host->context, box.text, box.caption.Get(), flags);
}

void ConfigDocument::Init(const DocumentHost* h, uint32_t version, uint32_t minor) {
    host = h;
    fileVersion = version;
    minorVersion = minor;
    New();
}

void ConfigDocument::SetModified(bool flag) {
    modified = flag;
    host->postChanged(host->context);
}

bool ConfigDocument::QuerySave(bool offerCancel) {
    if (!modified) return true;
    int answer = Ask(str::SaveQuestion, str::CaptionAttention,
                     (offerCancel ? mb::YesNoCancel : mb::YesNo) | mb::IconQuestion);
    if (answer == mb::IdYes) return Save() == SaveResult::Saved;
    return answer == mb::IdNo;
}

void ConfigDocument::New() {
    if (!QuerySave(true)) return;
    image = MakeEmptyConfig();
    SetModified(false);
}

void ConfigDocument::Open(const char* folder) {
    if (!QuerySave(true)) return;
    char path[256] = "";
    if (ChooseFile(folder, path, sizeof path)) OpenPath(path);
}

bool ConfigDocument::ChooseFile(const char* folder, char* path, int pathSize) {
    char title[256], filter[256];
    LoadResString(str::OpenTitle, title, sizeof title);
    LoadFilter(filter);
    return host->openFileDialog(host->context, title, filter, folder, path, pathSize);
}

bool ConfigDocument::ChooseAndRead(ControllerConfig& loaded, char* path, int pathSize) {
    if (pathSize <= 0) return false;
    path[0] = '\0';
    return ChooseFile(nullptr, path, pathSize) && ReadPath(path, loaded);
}

bool ConfigDocument::OpenPath(const char* path) {
    ControllerConfig loaded;
    if (!ReadPath(path, loaded)) return false;
    image = loaded;
    SetModified(false);
    if (host->fileUsed) host->fileUsed(host->context, path);
    return true;
}

bool ConfigDocument::ReadPath(const char* givenPath, ControllerConfig& loaded) {
    size_t length = std::strlen(givenPath);
    char ending[4] = "";
    if (length >= 3) std::memcpy(ending, givenPath + length - 3, sizeof ending);
    UpperCaseAscii(ending);
    char extension[16];
    LoadResString(str::FileExtension, extension, sizeof extension);
    if (length < 3 || std::strcmp(ending, extension) != 0) {
        Ask(str::WrongExtension, str::CaptionAttention, mb::IconStop);
        return false;
    }

    char path[kPathSize + 1];
    std::snprintf(path, sizeof path, "%s", givenPath);
    UpperCaseAscii(path);
    unsigned char bytes[kConfigFileSize];
    int read = 0;
    char text[256 + kPathSize];
    // A path too long to hold is refused whole: cut short, it could name another file.
    if (length > (size_t)kPathSize ||
        !host->readFile(host->context, path, bytes, sizeof bytes, &read)) {
        char full[kPathSize];
        FullPath(path, full);
        std::snprintf(text, sizeof text, ResString(str::CannotOpenFile), full);
        AskText(text, 0, mb::IconStop);
        return false;
    }
    if (!DecodeConfigFile(bytes, read, loaded)) {
        Ask(str::NotAConfiguration, 0, mb::IconStop);
        return false;
    }
    return true;
}

void ConfigDocument::RecommendedFileName(char* name, int size) {
    if (image.controllerFunction == 0) image.cabinNumber = 0;
    RecommendedName(image, name, size);
}

void RecommendedName(const ControllerConfig& image, char* name, int size) {
    if (image.controllerFunction == 0)
        std::snprintf(name, size, "A%05u_E.Z94", (unsigned)image.systemNumber);
    else
        std::snprintf(name, size, "A%05u_%1u.Z94", (unsigned)image.systemNumber,
                      (unsigned)image.cabinNumber);
}

SaveResult ConfigDocument::Save() {
    char name[64];
    RecommendedFileName(name, sizeof name);
    if (host->fileExists(host->context, name)) {
        char full[kPathSize], text[256 + kPathSize];
        FullPath(name, full);
        std::snprintf(text, sizeof text, ResString(str::OverwriteQuestion), full);
        if (AskText(text, str::CaptionConfigurator, mb::YesNo | mb::IconQuestion) != mb::IdYes)
            return SaveResult::Declined;
    }
    return WriteToPath(name) ? SaveResult::Saved : SaveResult::Failed;
}

SaveResult ConfigDocument::SaveAs() {
    char recommended[64];
    RecommendedFileName(recommended, sizeof recommended);
    char title[256], filter[256], path[kPathSize], extension[16];
    LoadResString(str::SaveTitle, title, sizeof title);
    LoadFilter(filter);
    LoadResString(str::FileExtension, extension, sizeof extension);
    std::snprintf(path, sizeof path, "%s", recommended);
    for (;;) {
        if (!host->saveFileDialog(host->context, title, filter, path, sizeof path))
            return SaveResult::Declined;
        if (!GiveExtension(path, sizeof path, extension)) {
            Ask(str::WrongExtension, str::CaptionAttention, mb::IconStop);
            return SaveResult::Failed;
        }
        char chosen[kPathSize];
        std::snprintf(chosen, sizeof chosen, "%s", FileNamePart(path));
        UpperCaseAscii(chosen);
        if (std::strcmp(chosen, recommended) == 0)
            return WriteToPath(path) ? SaveResult::Saved : SaveResult::Failed;
        char text[256 + 2 * kPathSize];
        std::snprintf(text, sizeof text, ResString(str::NameQuestion), recommended, chosen);
        if (AskText(text, str::CaptionAttention, mb::YesNo | mb::IconQuestion) == mb::IdYes)
            return WriteToPath(path) ? SaveResult::Saved : SaveResult::Failed;
        std::snprintf(path, sizeof path, "%s", recommended);
    }
}

bool ConfigDocument::WriteToPath(const char* path) {
    unsigned char bytes[kConfigFileSize];
    EncodeConfigFile(image, fileVersion, bytes);
    char full[kPathSize], text[256 + kPathSize];
    FullPath(path, full);
    if (!host->writeFile(host->context, path, bytes, sizeof bytes)) {
        std::snprintf(text, sizeof text, ResString(str::CannotSave), full);
        AskText(text, 0, mb::IconStop);
        return false;
    }
    std::snprintf(text, sizeof text, ResString(str::SavedIn), full);
    host->showStatus(host->context, text);
    SetModified(false);
    if (host->fileUsed) host->fileUsed(host->context, path);
    return true;
}

bool ConfigDocument::ReplaceImage(const ControllerConfig& newImage) {
    if (!CheckStopCount(newImage, host)) return false;
    image = newImage;
    SetModified(true);
    return true;
}
