// The main window and the configuration document as a technician meets them: start-up, New,
// Open (dialog and command line), Save, Save As, the save question, and the file messages.
#include "steps.h"

#include <algorithm>
#include <cstdlib>

namespace {

using namespace e2e;

const std::string kNotZ94 = W1252("El archivo debe tener extensión '.Z94' .");
const std::string kSaveQuestion =
    W1252("La configuración corriente fue modificada, ¿Desea salvarla?");

std::string Upper(std::string text) {
    for (char& c : text)
        c = (char)toupper((unsigned char)c);
    return text;
}

std::string CannotOpen(const std::string& path) {
    return "No se pudo abrir el archivo " + Upper(path) + " .";
}

std::string CannotSave(const std::string& path) {
    return W1252("No se pudo abrir el archivo ") + path + W1252(" para salvar la configuración.");
}

// Writes a configuration file for system 123, cabin 2 into the test's folder.
std::string WriteConfig123(const std::string& name = "a00123_2.z94", unsigned version = 4) {
    std::string path = JoinPath(TestFolder(), name);
    EXPECT_TRUE(WriteFileBytes(path, ConfigFileOf(Identity(123, 2), version)));
    return path;
}

// Runs "Abrir..." and types `path` into the open-file dialog.
void OpenThroughDialog(App& app, const std::string& path) {
    ASSERT_TRUE(app.Command(CMD_OPEN));
    Dialog open = app.ExpectDialog("the open-file dialog");
    EXPECT_EQ(open.Caption(), W1252("Selección de archivo a abrir"));
    EXPECT_TRUE(open.FillFileName(path))
        << "the open dialog stayed: " << app.FindDialog().Describe();
}

// Types `path` into the save-file dialog, which offers the recommended name.
void FillSaveDialog(App& app, const std::string& recommended, const std::string& path) {
    Dialog save = app.ExpectDialog("the save-file dialog");
    EXPECT_EQ(save.Caption(), W1252("Selección de ubicación del archivo"));
    EXPECT_EQ(save.FileName(), recommended);
    EXPECT_TRUE(save.FillFileName(path))
        << "the save dialog stayed: " << app.FindDialog().Describe();
}

// Runs "G&uardar en..." and saves as `path`.
void SaveAs(App& app, const std::string& recommended, const std::string& path) {
    ASSERT_TRUE(app.Command(CMD_SAVE_AS));
    FillSaveDialog(app, recommended, path);
}

void ExpectNoDialog(App& app) {
    EXPECT_FALSE(app.FindDialog()) << app.FindDialog().Describe();
}

void ExpectConfigFile(const std::string& path, unsigned systemNumber, unsigned cabin) {
    std::optional<Bytes> bytes = ReadFileBytes(path);
    ASSERT_TRUE(bytes) << path << " was not written";
    ASSERT_EQ(bytes->size(), 262u);
    EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 6), "94VK04");
    EXPECT_EQ(*bytes, ConfigFileOf(Identity(systemNumber, cabin)));
}

TEST(AppStartup, ShowsANewConfigurationAndTheWholeMenu) {
    App app;
    ASSERT_TRUE(app.Launch());
    EXPECT_EQ(app.Title(), Title(1));
    // Every item's text; the commands that are not built yet stay grayed.
    const struct {
        int id;
        const char* text;
        bool grayed;
    } items[] = {
        {CMD_NEW, "&Nuevo", false},
        {CMD_OPEN, "&Abrir...", false},
        {CMD_SAVE, "&Guardar", true},
        {CMD_SAVE_AS, "G&uardar en...", false},
        {CMD_PRINT_SETUP, "Con&figurar Impresora...", true},
        {CMD_PRINT_CONFIG, W1252("&Imprimir Configuración"), true},
        {CMD_PRINT_LABEL, "Imprimir &Etiqueta", true},
        {CMD_SETTINGS, W1252("&Configuración del programa..."), false},
        {CMD_EXIT, "Sa&lir", false},
        {CMD_EDIT_CONFIG, "&Configuracion...", false},
        {CMD_RECEIVE_VERSION, W1252("Recibir &Versión "), false},
        {CMD_RECEIVE_CONFIG, W1252("&Recibir configuración"), false},
        {CMD_TRANSMIT_CONFIG, W1252("&Transmitir configuración"), false},
        {CMD_EVENT_LOG, "Ver &archivo de eventos...", true},
        {CMD_MONITOR, "C&omunicaciones", false},
        {CMD_ZOOM_IN, "A&cercar\t+", false},
        {CMD_ZOOM_OUT, "A&lejar\t - ", false},
        {CMD_FIT_WIDTH, "&Ancho de etiqueta", false},
        {CMD_FIT_WHOLE, "&Toda la etiqueta", false},
        {CMD_HELP_ON_HELP, "&Uso de ayuda", false},
        {CMD_HELP_CONTENTS, "&Indice", false},
        {CMD_HELP_SEARCH, "&Buscar", false},
        {CMD_ABOUT, "&Acerca del programa", false},
        {CMD_ABOUT_MAKER, "Acerca de &Brivalt S.A.", false},
    };
    for (const auto& item : items) {
        EXPECT_EQ(app.MenuItemText(item.id), item.text) << item.id;
        EXPECT_EQ(app.IsMenuItemGrayed(item.id), item.grayed) << item.id;
    }
    EXPECT_TRUE(app.Screenshot("main_window"));
    EXPECT_TRUE(app.CloseAndWait()) << "an unmodified document closes without a question";
}

TEST(AppOpen, ThroughTheDialogWithATypedPathThenNew) {
    std::string path = WriteConfig123();
    App app;
    ASSERT_TRUE(app.Launch());
    OpenThroughDialog(app, path);
    EXPECT_TRUE(app.WaitForTitle(Title(123))) << app.Title();
    ExpectNoDialog(app);
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE)) << "a loaded file is not modified";
    // New on an unmodified document asks nothing.
    ASSERT_TRUE(app.Command(CMD_NEW));
    ExpectNoDialog(app);
    EXPECT_EQ(app.Title(), Title(1));
}

TEST(AppOpen, FromTheCommandLineAsGivenInLowerCaseAndQuoted) {
    std::string path = WriteConfig123("A00123_2.Z94");
    std::string lower = path;
    for (char& c : lower)
        c = (char)tolower((unsigned char)c);
    // Any two digits after the file's magic load alike.
    for (const std::string& commandLine :
         {path, lower, "\"" + path + "\"", WriteConfig123("A00123_9.Z94", 99)}) {
        SCOPED_TRACE(commandLine);
        App app;
        ASSERT_TRUE(app.Launch(commandLine));
        EXPECT_EQ(app.Title(), Title(123));
        EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
    }
}

TEST(AppOpen, RefusedFilesLeaveTheDocumentUnchanged) {
    std::string folder = TestFolder();
    std::string notes = JoinPath(folder, "notes.txt"), wrong = JoinPath(folder, "wrong.z94"),
                shortFile = JoinPath(folder, "short.z94"), held = JoinPath(folder, "a00456_1.z94");
    Bytes wrongMagic = ConfigFileOf(Identity(456, 1));
    wrongMagic[3] = 'X'; // "94VX"
    ASSERT_TRUE(WriteFileBytes(notes, ConfigFileOf(Identity(456, 1))));
    ASSERT_TRUE(WriteFileBytes(wrong, wrongMagic));
    ASSERT_TRUE(WriteFileBytes(shortFile, Bytes{'9', '4', 'V'}));
    ASSERT_TRUE(WriteFileBytes(held, ConfigFileOf(Identity(456, 1))));
    // Another program holds it open: the dialog accepts it, reading it fails.
    ExclusiveFile lock(held);
    ASSERT_TRUE(lock.IsHeld());
    const std::string notAConfiguration =
        W1252("No es un archivo de configuración de ZRT94VK válido.");
    struct Case {
        std::string path, caption, text;
    } cases[] = {
        {notes, W1252("Atención"), kNotZ94},
        {wrong, kDefaultCaption, notAConfiguration},
        {shortFile, kDefaultCaption, notAConfiguration},
        {held, kDefaultCaption, CannotOpen(held)},
    };
    App app;
    ASSERT_TRUE(app.Launch(WriteConfig123()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        OpenThroughDialog(app, c.path);
        Dialog box = app.ExpectDialog("an error message");
        EXPECT_EQ(box.Buttons(), std::vector<int>{IDOK});
        ExpectBox(box, c.caption, c.text, Icon::Stop);
        EXPECT_EQ(app.Title(), Title(123));
    }
}

TEST(AppOpen, RefusedCommandLinesStartANewConfiguration) {
    std::string missing = JoinPath(TestFolder(), "missing.z94");
    // A command line that is not a path at all gets the extension message.
    struct Case {
        std::string commandLine, caption, text;
    } cases[] = {{"/s", W1252("Atención"), kNotZ94},
                 {missing, kDefaultCaption, CannotOpen(missing)}};
    for (const Case& c : cases) {
        App app;
        LaunchOptions options;
        options.commandLine = c.commandLine;
        options.expectDialog = true;
        ASSERT_TRUE(app.Launch(options));
        ExpectBox(app.ExpectDialog("an error message"), c.caption, c.text, Icon::Stop);
        EXPECT_EQ(app.Title(), Title(1));
    }
}

TEST(AppSaveAs, RecommendedNameInLowerCaseWritesWithoutAQuestion) {
    App app;
    ASSERT_TRUE(app.Launch());
    SaveAs(app, "A00001_1.Z94", JoinPath(TestFolder(), "a00001_1.z94"));
    ExpectNoDialog(app);
    ExpectConfigFile(JoinPath(TestFolder(), "A00001_1.Z94"), 1, 1);
}

TEST(AppSaveAs, OtherNameAnsweredNoThenYesReplacesItWithoutAnOverwriteQuestion) {
    std::string other = JoinPath(TestFolder(), "other.z94");
    ASSERT_TRUE(WriteFileBytes(other, Bytes(1000, 'x')));
    const std::string question = W1252("El nombre recomendado para el archivo es A00001_1.Z94. "
                                       "¿Desea salvarlo con el nombre OTHER.Z94?");
    App app;
    ASSERT_TRUE(app.Launch());
    SaveAs(app, "A00001_1.Z94", other);
    Dialog box = app.ExpectDialog("the name question");
    EXPECT_EQ(box.Buttons(), (std::vector<int>{IDYES, IDNO}));
    ExpectBox(box, W1252("Atención"), question, Icon::Question, IDNO);
    EXPECT_EQ(ReadFileBytes(other), Bytes(1000, 'x'));
    // No brings the dialog back with the recommended name.
    FillSaveDialog(app, "A00001_1.Z94", other);
    ExpectBox(app.ExpectDialog("the name question"), W1252("Atención"), question, Icon::Question,
              IDYES);
    ExpectNoDialog(app);
    ExpectConfigFile(other, 1, 1);
    EXPECT_FALSE(FileExists(JoinPath(TestFolder(), "A00001_1.Z94")));
}

// ---------------------------------------------------------------------------------------------
// With a modified document

TEST(AppModified, SaveIsGrayedUntilTheDocumentIsModifiedAndWritesTheRecommendedName) {
    App app;
    ASSERT_TRUE(app.Launch());
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
    ASSERT_TRUE(EditSystemNumber(app, 77));
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE));
    ASSERT_TRUE(app.Command(CMD_SAVE));
    ExpectNoDialog(app);
    ExpectConfigFile(JoinPath(TestFolder(), "A00077_1.Z94"), 77, 1);
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
}

TEST(AppModified, SaveAsksBeforeOverwriting) {
    std::string target = JoinPath(TestFolder(), "A00077_1.Z94");
    Bytes old = ConfigFileOf(Identity(999, 9));
    ASSERT_TRUE(WriteFileBytes(target, old));
    App app;
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(EditSystemNumber(app, 77));
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(app.Command(CMD_SAVE));
        ExpectBox(app.ExpectDialog("the overwrite question"), "Configurador ZRT94",
                  W1252("El archivo A00077_1.Z94 ya existe. ¿Desea sobreescribirlo?"),
                  Icon::Question, answer);
        EXPECT_EQ(app.IsMenuItemGrayed(CMD_SAVE), answer == IDYES) << "modified after No";
        if (answer == IDNO) {
            EXPECT_EQ(ReadFileBytes(target), old);
        }
    }
    ExpectConfigFile(target, 77, 1);
}

TEST(AppModified, SaveThatCannotBeWrittenKeepsTheDocumentModifiedAndTheFile) {
    std::string target = JoinPath(TestFolder(), "A00077_1.Z94");
    Bytes old = ConfigFileOf(Identity(999, 9));
    ASSERT_TRUE(WriteFileBytes(target, old));
    ExclusiveFile lock(target);
    ASSERT_TRUE(lock.IsHeld());
    App app;
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(EditSystemNumber(app, 77));
    ASSERT_TRUE(app.Command(CMD_SAVE));
    // Held without sharing, the file cannot even be opened to learn that it exists, so no
    // overwrite question comes before the write fails.
    ExpectBox(app.ExpectDialog("the save message"), kDefaultCaption, CannotSave("A00077_1.Z94"),
              Icon::Stop);
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE)) << "still modified";
    // Save As names the whole path.
    SaveAs(app, "A00077_1.Z94", target);
    ExpectBox(app.ExpectDialog("the save message"), kDefaultCaption, CannotSave(target),
              Icon::Stop);
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE)) << "still modified";
    lock.Release();
    EXPECT_EQ(ReadFileBytes(target), old);
}

// Fills the rest of a small disk with one file.
void FillDisk(const std::string& folder) {
    HANDLE file = CreateFileA(JoinPath(folder, "filler").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    static const char block[4096] = {};
    DWORD written = 0;
    while (WriteFile(file, block, sizeof block, &written, nullptr) && written == sizeof block) {
    }
    CloseHandle(file);
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (found.cFileName[0] != '.') names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AppModified, SaveOnAFullDiskKeepsTheDocumentModifiedAndTheOldFile) {
    const char* disk = std::getenv("ZRT_E2E_FULL_DISK");
    if (!disk || !*disk) GTEST_SKIP() << "no small disk to fill (the test script mounts one)";
    std::string target = JoinPath(disk, "A00077_1.Z94");
    Bytes old = ConfigFileOf(Identity(999, 9));
    ASSERT_TRUE(WriteFileBytes(target, old));
    FillDisk(disk);
    App app;
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(EditSystemNumber(app, 77));
    SaveAs(app, "A00077_1.Z94", target);
    ExpectBox(app.ExpectDialog("the save message"), kDefaultCaption, CannotSave(target),
              Icon::Stop);
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE)) << "still modified";
    EXPECT_EQ(ReadFileBytes(target), old);
    EXPECT_EQ(FolderNames(disk), (std::vector<std::string>{"A00077_1.Z94", "filler"}))
        << "no half-written file is left behind";
    DeleteFileA(JoinPath(disk, "filler").c_str());
    DeleteFileA(target.c_str());
}

TEST(AppModified, ClosingAsksToSave) {
    std::string saved = JoinPath(TestFolder(), "A00077_1.Z94");
    App app;
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(EditSystemNumber(app, 77));
    ASSERT_TRUE(app.Close());
    Dialog box = app.ExpectDialog("the save question");
    EXPECT_EQ(box.Buttons(), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    ExpectBox(box, W1252("Atención"), kSaveQuestion, Icon::Question, IDCANCEL);
    EXPECT_TRUE(app.IsRunning()) << "Cancel keeps the window";

    ASSERT_TRUE(app.Close());
    ExpectBox(app.ExpectDialog("the save question"), W1252("Atención"), kSaveQuestion,
              Icon::Question, IDNO);
    EXPECT_TRUE(app.WaitForExit()) << "No closes";
    EXPECT_FALSE(FileExists(saved)) << "Cancel and No write nothing";

    App again;
    ASSERT_TRUE(again.Launch());
    ASSERT_TRUE(EditSystemNumber(again, 77));
    ASSERT_TRUE(again.Close());
    ExpectBox(again.ExpectDialog("the save question"), W1252("Atención"), kSaveQuestion,
              Icon::Question, IDYES);
    EXPECT_TRUE(again.WaitForExit()) << "Yes saves and closes";
    ExpectConfigFile(saved, 77, 1);
}

} // namespace
