#pragma once
// Steps the scenarios share: the window title, configuration files, message boxes, a modified
// document, the help window, keys, and the controller link's exchanges.
#include "driver.h"

#include "app/config_file.h"
#include "base/cp1252.h"
#include "config/controller_config.h"
#include "resource.h"

namespace e2e {

// A message box without a caption of its own shows the system's default caption; under this
// prefix's Spanish Wine that is "Error".
constexpr const char* kDefaultCaption = "Error";
constexpr const char* kConfigurator = "Configurador ZRT94";

inline std::string Title(unsigned systemNumber) {
    char title[100];
    std::snprintf(title, sizeof title, W1252("Configurador de ZRT94VK - Controlador Nº %05u"),
                  systemNumber);
    return title;
}

// The bytes of a configuration file holding `image`.
inline std::string ConfigFileOf(const ControllerConfig& image) {
    unsigned char bytes[kConfigFileSize];
    EncodeConfigFile(image, 4, bytes);
    return std::string((const char*)bytes, sizeof bytes);
}

// The configuration in a file, or a failure.
inline ControllerConfig ConfigIn(const std::string& path) {
    std::string bytes = ReadBytes(path);
    ControllerConfig image{};
    EXPECT_TRUE(DecodeConfigFile((const unsigned char*)bytes.data(), (int)bytes.size(), image))
        << path;
    return image;
}

// The empty configuration with another system and cabin number.
inline ControllerConfig Identity(unsigned systemNumber, unsigned cabin) {
    ControllerConfig image = MakeEmptyConfig();
    image.systemNumber = (uint16_t)systemNumber;
    image.cabinNumber = (uint8_t)cabin;
    return image;
}

// The document's system number in the window title, and whether it is marked as modified.
inline void ExpectDocument(App& app, unsigned systemNumber, bool modified) {
    EXPECT_EQ(app.Title(), Title(systemNumber));
    EXPECT_EQ(app.IsMenuItemGrayed(CMD_SAVE), !modified) << "the document's modified flag";
}

// Writes `image` into the test's folder and starts the program on it from the command line.
inline bool LaunchWith(App& app, const ControllerConfig& image) {
    std::string path = JoinPath(TestFolder(), "start.z94");
    return WriteBytes(path, ConfigFileOf(image)) && app.Launch({.commandLine = path});
}

// Waits for a message box (the dialog in front, but those whose captions begin with one of
// `besides`), checks its caption and text, and presses `button` unless it is 0.
inline Dialog ExpectBox(App& app, const std::string& caption, const std::string& text,
                        int button = IDOK, std::initializer_list<std::string> besides = {}) {
    Dialog box = app.ExpectDialog("the message \"" + text + "\"", besides);
    EXPECT_EQ(box.Describe(), Dialog::Describe(caption, text));
    if (box && button) {
        EXPECT_TRUE(box.Press(button)) << box.Describe();
    }
    return box;
}

// Closes the program, or runs `command`, on a modified document, and answers the question
// whether to save it with `button`.
inline void SaveQuestion(App& app, int button, int command = 0) {
    EXPECT_TRUE(command ? app.Command(command) : app.Close());
    ExpectBox(app, W1252("Atención"),
              W1252("La configuración corriente fue modificada, ¿Desea salvarla?"), button);
}

// Sets the system number on the editor's first page and accepts the editor, which leaves the
// document modified.
inline bool EditSystemNumber(App& app, unsigned systemNumber) {
    if (!app.Command(CMD_EDIT_CONFIG)) return false;
    Dialog editor = app.ExpectDialog("the configuration editor");
    HWND page = FindWindowExA(editor.hwnd, nullptr, "#32770", nullptr);
    if (!page ||
        !Dialog{page, &app}.SetItemText(IDC_GEN_SYSTEM_NUMBER, std::to_string(systemNumber))) {
        ADD_FAILURE() << "no system number on the editor's first page";
        return false;
    }
    return editor.Press(IDOK) && app.WaitForTitle(Title(systemNumber));
}

// Waits until the help window shows the topic titled `title`.
inline bool WaitForHelpTopic(App& app, const std::string& title) {
    HWND help = app.WaitForWindow("ZrtHelpWindow");
    return WaitUntil([&] {
        return ControlText(FindWindowExA(help, nullptr, "ZrtHelpTopic", nullptr)) == title;
    });
}

// A key pressed and released, as the technician does, for the window with the focus.
inline void PressKey(BYTE key) {
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

// Opens the pop-up of the menu bar whose access key is `key`, as Alt and the key do, keeps a
// picture of the screen as `name`, and closes the menu with Escape.
inline bool MenuScreenshot(App& app, char key, const std::string& name) {
    PostMessageA(app.MainWindow(), WM_SYSCOMMAND, SC_KEYMENU, key);
    bool saved = app.WaitForWindow("#32768") && SaveScreenshot(nullptr, name);
    for (int i = 0; i < 2; ++i)
        PostMessageA(app.MainWindow(), WM_KEYDOWN, VK_ESCAPE, 0), app.WaitIdle();
    return WaitUntil([&] { return app.Windows("#32768").empty(); }) && saved;
}

// The help pop-up's text begins with `firstSentence`; `key` takes it away.
inline void ExpectPopUp(App& app, const std::string& firstSentence, BYTE key = VK_SHIFT) {
    HWND popup = app.WaitForWindow("ZrtHelpPopup");
    EXPECT_EQ(ControlText(popup).substr(0, firstSentence.size()), firstSentence);
    PressKey(key);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }));
    app.WaitIdle();
}

// --- The controller link's exchanges ---

constexpr const char* kInterrogation = "Interrogando controlador...";
constexpr const char* kMonitor = "Comunicaciones";
constexpr const char* kConfigured = "El controlador fue configurado correctamente.";
const std::string kReceived =
    W1252("La configuración del controlador ha sido recibida correctamente.");

// The box that ends a conversation, checked and answered; then the conversation is over.
inline void ExpectEnd(App& app, const std::string& caption, const std::string& text) {
    ExpectBox(app, caption, text, IDOK, {kInterrogation, kMonitor});
    EXPECT_TRUE(WaitUntil([&] { return !app.FindDialog({kMonitor}); }) && app.WaitIdle());
}

inline void RunToEnd(App& app, int command, const std::string& caption, const std::string& text) {
    EXPECT_TRUE(app.Command(command));
    ExpectEnd(app, caption, text);
}

} // namespace e2e
