// The main window and the configuration document as a technician meets them: start-up, New,
// Open (dialog and command line), Save, Save As, the save question, and the file messages.
#include "driver.h"

#include "app/config_file.h"
#include "app/cp1252.h"
#include "config/controller_config.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using e2e::App;
using e2e::Bytes;
using e2e::Dialog;
using e2e::Icon;

// A message box without a caption of its own shows the system's default caption; under this
// prefix's English Wine that is "Error".
constexpr const char* kDefaultCaption = "Error";

std::string Title(unsigned systemNumber) {
    char title[100];
    std::snprintf(title, sizeof title, W1252("Configurador de ZRT94VK - Controlador Nº %05u"),
                  systemNumber);
    return title;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The bytes of a configuration file for the empty configuration with another system and cabin
// number, written with format version `version`.
Bytes ConfigFile(unsigned systemNumber, unsigned cabin, unsigned version = 4) {
    ControllerConfig image = MakeEmptyConfig();
    image.systemNumber = static_cast<uint16_t>(systemNumber);
    image.cabinNumber = static_cast<uint8_t>(cabin);
    unsigned char bytes[kConfigFileSize];
    EncodeConfigFile(image, version, bytes);
    return Bytes(bytes, bytes + sizeof bytes);
}

// Writes a configuration file for system 123, cabin 2 into the test's folder.
std::string WriteConfig123(const std::string& name = "a00123_2.z94") {
    std::string path = e2e::JoinPath(e2e::TestFolder(), name);
    EXPECT_TRUE(e2e::WriteFileBytes(path, ConfigFile(123, 2)));
    return path;
}

// Checks a message box's caption, text and icon, then presses `button`.
void AnswerMessage(const Dialog& box, const std::string& caption, const std::string& text,
                   Icon icon, int button) {
    ASSERT_TRUE(box) << "expected the message \"" << text << "\"";
    EXPECT_EQ(box.Caption(), caption);
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(e2e::IconName(box.IconKind()), std::string(e2e::IconName(icon)));
    EXPECT_TRUE(box.Press(button)) << box.Describe();
}

void ExpectErrorBox(App& app, const std::string& caption, const std::string& text) {
    Dialog box = app.ExpectDialog("an error message");
    if (!box) return;
    EXPECT_EQ(box.Buttons(), std::vector<int>{IDOK});
    AnswerMessage(box, caption, text, Icon::Stop, IDOK);
}

// Runs "Abrir..." and types `path` into the open-file dialog.
void OpenThroughDialog(App& app, const std::string& path) {
    ASSERT_TRUE(app.Command(CMD_OPEN));
    Dialog open = app.ExpectDialog("the open-file dialog");
    ASSERT_TRUE(open);
    EXPECT_EQ(open.Caption(), W1252("Selección de archivo a abrir"));
    EXPECT_TRUE(open.FillFileName(path))
        << "the open dialog stayed: " << app.FindDialog().Describe();
}

// Changes the system number to `systemNumber` through the configuration editor and accepts it,
// which leaves the document modified.
bool MakeDocumentModified(App& app, unsigned systemNumber = 77) {
    if (!app.Command(CMD_EDIT_CONFIG)) return false;
    Dialog editor = app.ExpectDialog("the configuration editor");
    if (!editor) return false;
    EXPECT_EQ(editor.Caption(), W1252("Configuración del controlador"));
    // The General page is the first one; its field 101 holds the system number.
    HWND page = FindWindowExA(editor.Handle(), nullptr, "#32770", nullptr);
    if (!page || !GetDlgItem(page, 101)) {
        ADD_FAILURE() << "no system number field on the editor's first page";
        return false;
    }
    Dialog(page, &app).SetItemText(101, std::to_string(systemNumber));
    if (!editor.Press(IDOK)) return false;
    return app.WaitForTitle(Title(systemNumber));
}

// The save-file dialog, checked for its title and the recommended name in it.
Dialog ExpectSaveDialog(App& app, const std::string& recommended) {
    Dialog save = app.ExpectDialog("the save-file dialog");
    if (save) {
        EXPECT_EQ(save.Caption(), W1252("Selección de ubicación del archivo"));
        EXPECT_EQ(save.FileName(), recommended);
    }
    return save;
}

// Runs "G&uardar en..." and returns its dialog.
Dialog StartSaveAs(App& app, const std::string& recommended) {
    EXPECT_TRUE(app.Command(CMD_SAVE_AS));
    return ExpectSaveDialog(app, recommended);
}

std::string NameQuestion(const std::string& recommended, const std::string& chosen) {
    char text[256];
    std::snprintf(text, sizeof text,
                  W1252("El nombre recomendado para el archivo es %s. ¿Desea salvarlo con el "
                        "nombre %s?"),
                  recommended.c_str(), chosen.c_str());
    return text;
}

void ExpectConfigFile(const std::string& path, unsigned systemNumber, unsigned cabin) {
    std::optional<Bytes> bytes = e2e::ReadFileBytes(path);
    ASSERT_TRUE(bytes) << path << " was not written";
    ASSERT_EQ(bytes->size(), 262u);
    EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 6), "94VK04");
    EXPECT_EQ(*bytes, ConfigFile(systemNumber, cabin));
}

// ---------------------------------------------------------------------------------------------

TEST(AppStartup, ShowsANewConfiguration) {
    App app;
    ASSERT_TRUE(app.Launch());
    EXPECT_EQ(app.Title(), Title(1));
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE_AS));
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_NEW));
    EXPECT_TRUE(app.Screenshot("main_window"));
    EXPECT_TRUE(app.CloseAndWait()) << "an unmodified document closes without a question";
}

TEST(AppOpen, ThroughTheDialogWithATypedPath) {
    std::string path = WriteConfig123();
    App app;
    ASSERT_TRUE(app.Launch());
    OpenThroughDialog(app, path);
    EXPECT_TRUE(app.WaitForTitle(Title(123))) << app.Title();
    EXPECT_FALSE(app.FindDialog()) << app.FindDialog().Describe();
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE)) << "a loaded file is not modified";

    // New on an unmodified document asks nothing.
    ASSERT_TRUE(app.Command(CMD_NEW));
    EXPECT_FALSE(app.FindDialog()) << app.FindDialog().Describe();
    EXPECT_EQ(app.Title(), Title(1));
}

TEST(AppOpen, FromTheCommandLineAsGivenInLowerCaseAndQuoted) {
    std::string path = WriteConfig123("A00123_2.Z94");
    const std::string commandLines[] = {
        path,
        Lower(path),
        "\"" + path + "\"",
    };
    for (const std::string& commandLine : commandLines) {
        SCOPED_TRACE(commandLine);
        App app;
        ASSERT_TRUE(app.Launch(commandLine));
        EXPECT_EQ(app.Title(), Title(123));
        EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
    }
}

TEST(AppOpen, FilesOfOtherFormatVersionsLoadAlike) {
    std::string folder = e2e::TestFolder();
    std::string path = e2e::JoinPath(folder, "A00123_2.Z94");
    ASSERT_TRUE(e2e::WriteFileBytes(path, ConfigFile(123, 2, 99)));
    App app;
    ASSERT_TRUE(app.Launch(path));
    EXPECT_EQ(app.Title(), Title(123));
}

TEST(AppOpen, WrongExtensionLeavesTheDocumentUnchanged) {
    std::string loaded = WriteConfig123();
    std::string text = e2e::JoinPath(e2e::TestFolder(), "notes.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(text, ConfigFile(456, 1)));
    App app;
    ASSERT_TRUE(app.Launch(loaded));
    OpenThroughDialog(app, text);
    ExpectErrorBox(app, W1252("Atención"), W1252("El archivo debe tener extensión '.Z94' ."));
    EXPECT_EQ(app.Title(), Title(123));

    // A command line that is not a path at all gets the same message, and a new configuration.
    App second;
    e2e::LaunchOptions options;
    options.commandLine = "/s";
    options.expectDialog = true;
    ASSERT_TRUE(second.Launch(options));
    ExpectErrorBox(second, W1252("Atención"), W1252("El archivo debe tener extensión '.Z94' ."));
    EXPECT_EQ(second.Title(), Title(1));
}

TEST(AppOpen, NotAConfigurationLeavesTheDocumentUnchanged) {
    std::string loaded = WriteConfig123();
    std::string folder = e2e::TestFolder();
    Bytes wrongMagic = ConfigFile(456, 1);
    wrongMagic[3] = 'X'; // "94VX"
    ASSERT_TRUE(e2e::WriteFileBytes(e2e::JoinPath(folder, "wrong.z94"), wrongMagic));
    ASSERT_TRUE(e2e::WriteFileBytes(e2e::JoinPath(folder, "short.z94"), Bytes{'9', '4', 'V'}));

    App app;
    ASSERT_TRUE(app.Launch(loaded));
    for (const char* name : {"wrong.z94", "short.z94"}) {
        SCOPED_TRACE(name);
        OpenThroughDialog(app, e2e::JoinPath(folder, name));
        ExpectErrorBox(app, kDefaultCaption,
                       W1252("No es un archivo de configuración de ZRT94VK válido."));
        EXPECT_EQ(app.Title(), Title(123));
    }
}

TEST(AppOpen, CannotOpenLeavesTheDocumentUnchanged) {
    std::string loaded = WriteConfig123();
    std::string folder = e2e::TestFolder();

    // A file that another program holds open: the dialog accepts it, reading it fails.
    std::string held = e2e::JoinPath(folder, "a00456_1.z94");
    ASSERT_TRUE(e2e::WriteFileBytes(held, ConfigFile(456, 1)));
    e2e::ExclusiveFile lock(held);
    ASSERT_TRUE(lock.IsHeld());
    App app;
    ASSERT_TRUE(app.Launch(loaded));
    OpenThroughDialog(app, held);
    ExpectErrorBox(app, kDefaultCaption, "No se pudo abrir el archivo " + Upper(held) + " .");
    EXPECT_EQ(app.Title(), Title(123));
    app.Kill();

    // A missing file named on the command line: the message, then a new configuration.
    std::string missing = e2e::JoinPath(folder, "missing.z94");
    App second;
    e2e::LaunchOptions options;
    options.commandLine = missing;
    options.expectDialog = true;
    ASSERT_TRUE(second.Launch(options));
    ExpectErrorBox(second, kDefaultCaption, "No se pudo abrir el archivo " + Upper(missing) + " .");
    EXPECT_EQ(second.Title(), Title(1));
}

TEST(AppSaveAs, RecommendedNameWritesWithoutAQuestion) {
    std::string folder = e2e::TestFolder();
    App app;
    ASSERT_TRUE(app.Launch());
    Dialog save = StartSaveAs(app, "A00001_1.Z94");
    ASSERT_TRUE(save);
    // The recommended name in lower case is the same name.
    ASSERT_TRUE(save.FillFileName(e2e::JoinPath(folder, "a00001_1.z94")));
    EXPECT_FALSE(app.FindDialog()) << app.FindDialog().Describe();
    ExpectConfigFile(e2e::JoinPath(folder, "A00001_1.Z94"), 1, 1);
}

TEST(AppSaveAs, OtherNameAnsweredNoThenYes) {
    std::string folder = e2e::TestFolder();
    std::string other = e2e::JoinPath(folder, "other.z94");
    App app;
    ASSERT_TRUE(app.Launch());

    Dialog save = StartSaveAs(app, "A00001_1.Z94");
    ASSERT_TRUE(save);
    ASSERT_TRUE(save.FillFileName(other));
    Dialog question = app.ExpectDialog("the name question");
    ASSERT_TRUE(question);
    EXPECT_EQ(question.Buttons(), (std::vector<int>{IDYES, IDNO}));
    AnswerMessage(question, W1252("Atención"), NameQuestion("A00001_1.Z94", "OTHER.Z94"),
                  Icon::Question, IDNO);
    EXPECT_FALSE(e2e::FileExists(other));

    // No brings the dialog back with the recommended name.
    save = ExpectSaveDialog(app, "A00001_1.Z94");
    ASSERT_TRUE(save);
    ASSERT_TRUE(save.FillFileName(other));
    AnswerMessage(app.ExpectDialog("the name question"), W1252("Atención"),
                  NameQuestion("A00001_1.Z94", "OTHER.Z94"), Icon::Question, IDYES);
    EXPECT_FALSE(app.FindDialog()) << app.FindDialog().Describe();
    ExpectConfigFile(other, 1, 1);
    EXPECT_FALSE(e2e::FileExists(e2e::JoinPath(folder, "A00001_1.Z94")));
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
}

TEST(AppSaveAs, ReplacesAnExistingFileOfAnotherNameWithoutAnOverwriteQuestion) {
    std::string other = e2e::JoinPath(e2e::TestFolder(), "OTHER.Z94");
    ASSERT_TRUE(e2e::WriteFileBytes(other, Bytes(1000, 'x')));
    App app;
    ASSERT_TRUE(app.Launch());
    Dialog save = StartSaveAs(app, "A00001_1.Z94");
    ASSERT_TRUE(save);
    ASSERT_TRUE(save.FillFileName(other));
    AnswerMessage(app.ExpectDialog("the name question"), W1252("Atención"),
                  NameQuestion("A00001_1.Z94", "OTHER.Z94"), Icon::Question, IDYES);
    EXPECT_FALSE(app.FindDialog()) << app.FindDialog().Describe();
    ExpectConfigFile(other, 1, 1);
}

TEST(AppSaveAs, FileThatCannotBeWrittenIsLeftAsItWas) {
    std::string target = e2e::JoinPath(e2e::TestFolder(), "A00001_1.Z94");
    Bytes old = ConfigFile(999, 9);
    ASSERT_TRUE(e2e::WriteFileBytes(target, old));
    e2e::ExclusiveFile lock(target);
    ASSERT_TRUE(lock.IsHeld());
    App app;
    ASSERT_TRUE(app.Launch());
    Dialog save = StartSaveAs(app, "A00001_1.Z94");
    ASSERT_TRUE(save);
    ASSERT_TRUE(save.FillFileName(target));
    ExpectErrorBox(app, kDefaultCaption,
                   W1252("No se pudo abrir el archivo ") + target +
                       W1252(" para salvar la configuración."));
    lock.Release();
    EXPECT_EQ(e2e::ReadFileBytes(target), old);
}

// ---------------------------------------------------------------------------------------------
// With a modified document

TEST(AppModified, SaveIsGrayedUntilTheDocumentIsModified) {
    App app;
    ASSERT_TRUE(app.Launch());
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
    ASSERT_TRUE(MakeDocumentModified(app));
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE));
}

TEST(AppModified, SaveWritesTheRecommendedNameInTheStartFolder) {
    std::string folder = e2e::TestFolder();
    App app;
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(MakeDocumentModified(app, 77));
    ASSERT_TRUE(app.Command(CMD_SAVE));
    EXPECT_FALSE(app.FindDialog()) << app.FindDialog().Describe();
    ExpectConfigFile(e2e::JoinPath(folder, "A00077_1.Z94"), 77, 1);
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
}

TEST(AppModified, SaveAsksBeforeOverwriting) {
    std::string target = e2e::JoinPath(e2e::TestFolder(), "A00077_1.Z94");
    Bytes old = ConfigFile(999, 9);
    ASSERT_TRUE(e2e::WriteFileBytes(target, old));
    App app;
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(MakeDocumentModified(app, 77));
    const std::string question =
        W1252("El archivo A00077_1.Z94 ya existe. ¿Desea sobreescribirlo?");

    ASSERT_TRUE(app.Command(CMD_SAVE));
    AnswerMessage(app.ExpectDialog("the overwrite question"), "Configurador ZRT94", question,
                  Icon::Question, IDNO);
    EXPECT_EQ(e2e::ReadFileBytes(target), old);
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE)) << "still modified";

    ASSERT_TRUE(app.Command(CMD_SAVE));
    AnswerMessage(app.ExpectDialog("the overwrite question"), "Configurador ZRT94", question,
                  Icon::Question, IDYES);
    ExpectConfigFile(target, 77, 1);
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
}

TEST(AppModified, SaveThatCannotBeWrittenKeepsTheDocumentModified) {
    std::string target = e2e::JoinPath(e2e::TestFolder(), "A00077_1.Z94");
    Bytes old = ConfigFile(999, 9);
    ASSERT_TRUE(e2e::WriteFileBytes(target, old));
    e2e::ExclusiveFile lock(target);
    ASSERT_TRUE(lock.IsHeld());
    App app;
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(MakeDocumentModified(app, 77));
    ASSERT_TRUE(app.Command(CMD_SAVE));
    // Held without sharing, the file cannot even be opened to learn that it exists, so no
    // overwrite question comes before the write fails.
    ExpectErrorBox(app, kDefaultCaption,
                   W1252("No se pudo abrir el archivo A00077_1.Z94 para salvar la configuración."));
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE)) << "still modified";
    lock.Release();
    EXPECT_EQ(e2e::ReadFileBytes(target), old);
}

TEST(AppModified, ClosingAsksToSave) {
    std::string folder = e2e::TestFolder();
    std::string saved = e2e::JoinPath(folder, "A00077_1.Z94");
    const std::string question =
        W1252("La configuración corriente fue modificada, ¿Desea salvarla?");
    App app;
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(MakeDocumentModified(app, 77));

    ASSERT_TRUE(app.Close());
    Dialog box = app.ExpectDialog("the save question");
    ASSERT_TRUE(box);
    EXPECT_EQ(box.Buttons(), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    AnswerMessage(box, W1252("Atención"), question, Icon::Question, IDCANCEL);
    EXPECT_TRUE(app.IsRunning()) << "Cancel keeps the window";
    EXPECT_FALSE(e2e::FileExists(saved));

    ASSERT_TRUE(app.Close());
    AnswerMessage(app.ExpectDialog("the save question"), W1252("Atención"), question,
                  Icon::Question, IDNO);
    EXPECT_TRUE(app.WaitForExit()) << "No closes";
    EXPECT_FALSE(e2e::FileExists(saved)) << "No writes nothing";

    App again;
    ASSERT_TRUE(again.Launch());
    ASSERT_TRUE(MakeDocumentModified(again, 77));
    ASSERT_TRUE(again.Close());
    AnswerMessage(again.ExpectDialog("the save question"), W1252("Atención"), question,
                  Icon::Question, IDYES);
    EXPECT_TRUE(again.WaitForExit()) << "Yes saves and closes";
    ExpectConfigFile(saved, 77, 1);
}

} // namespace
