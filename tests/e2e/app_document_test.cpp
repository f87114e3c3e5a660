// The configuration document as a technician meets it: a file named on the command line, the
// open and save dialogs and their shortcuts, a file that cannot be written (held open by another
// program, on a full disk) and closing a modified document; the next start's recent files; then a
// start on a file whose reading fails.
#include "steps.h"

#include "app/recent_files.h"

#include <thread>

namespace {

using namespace e2e;

constexpr WPARAM kCtrlN = 14, kCtrlO = 15, kCtrlS = 19; // the characters the keys type

std::string CannotSave(const std::string& path) {
    return W1252("No se pudo abrir el archivo ") + path + W1252(" para salvar la configuración.");
}

// Runs "G&uardar en...", whose dialog offers the recommended name, and saves as `path`.
void SaveAs(App& app, const std::string& recommended, const std::string& path) {
    ASSERT_TRUE(app.Command(CMD_SAVE_AS));
    Dialog save = app.ExpectDialog("the save-file dialog");
    EXPECT_EQ(save.FileName(), recommended);
    EXPECT_EQ(save.ItemText(IDCANCEL), "Cancelar"); // the system's dialog, in Spanish too
    SaveScreenshot(save.hwnd, "save_as_dialog");
    EXPECT_TRUE(save.FillFileName(path)) << app.FindDialog().Describe();
}

TEST(Document, CommandLineDialogsFilesThatFailAndClosing) {
    const std::string folder = TestFolder();
    // A path in lower case and quoted, as a shortcut may pass it.
    std::string path = JoinPath(folder, "A00123_2.Z94");
    ASSERT_TRUE(WriteBytes(path, ConfigFileOf(Identity(123, 2))));
    CharLowerA(&path[0]);
    App app;
    ASSERT_TRUE(app.Launch({.commandLine = "\"" + path + "\""}));
    ExpectDocument(app, 123, false); // a loaded file is not modified

    // The open dialog, from Ctrl+O.
    const std::string other = JoinPath(folder, "a00456_1.z94");
    ASSERT_TRUE(WriteBytes(other, ConfigFileOf(Identity(456, 1))));
    ASSERT_TRUE(app.Post(WM_CHAR, kCtrlO, 1));
    Dialog open = app.ExpectDialog("the open-file dialog");
    EXPECT_TRUE(open.FillFileName(other)) << app.FindDialog().Describe();
    EXPECT_TRUE(app.WaitForTitle(Title(456))) << app.Title();
    // New (Ctrl+N) on an unmodified document asks nothing; Ctrl+S does nothing, as its menu item
    // is disabled.
    ASSERT_TRUE(app.Post(WM_CHAR, kCtrlN, 1) && app.WaitForTitle(Title(1)));
    ASSERT_TRUE(app.Post(WM_CHAR, kCtrlS, 1));
    EXPECT_FALSE(app.FindDialog()) << app.FindDialog().Describe();
    EXPECT_FALSE(FileExists(JoinPath(folder, "A00001_1.Z94")));

    // Save As: another extension is refused; the recommended name typed in lower case and
    // without its extension is no other name to ask about.
    SaveAs(app, "A00001_1.Z94", JoinPath(folder, "a00001_1.txt"));
    ExpectBox(app, W1252("Atención"), W1252("El archivo debe tener extensión '.Z94' ."));
    SaveAs(app, "A00001_1.Z94", JoinPath(folder, "a00001_1"));
    EXPECT_FALSE(app.FindDialog()) << app.FindDialog().Describe();
    EXPECT_EQ(ReadBytes(JoinPath(folder, "A00001_1.Z94")), ConfigFileOf(Identity(1, 1)));

    // Compared with a file that has another speed, the list shows it (its texts are tested in
    // tests/unit); the document stays as it was.
    ControllerConfig changed = Identity(1, 1);
    changed.carSpeed = 100;
    const std::string changedPath = JoinPath(folder, "cambios.z94");
    ASSERT_TRUE(WriteBytes(changedPath, ConfigFileOf(changed)));
    ASSERT_TRUE(app.Command(CMD_COMPARE));
    EXPECT_TRUE(app.ExpectDialog("the open-file dialog").FillFileName(changedPath));
    Dialog compare = app.ExpectDialog("the comparison");
    EXPECT_EQ(app.ListItems(compare.Item(IDC_CMP_LIST)),
              (std::vector<std::string>{"Velocidad de cabina\t80 m/min\t100 m/min"}));
    EXPECT_TRUE(SaveScreenshot(compare.hwnd, "compare"));
    EXPECT_TRUE(compare.Press(IDOK));
    ExpectDocument(app, 1, false); // the comparison leaves the document alone

    // A modified document whose file another program holds open: Save, Save As and Yes to the
    // closing question fail; the document stays modified, the program open, the file as it was.
    ASSERT_TRUE(EditSystemNumber(app, 77));
    const std::string target = JoinPath(folder, "A00077_1.Z94");
    const std::string old = ConfigFileOf(Identity(999, 9));
    ASSERT_TRUE(WriteBytes(target, old));
    // Held without sharing, the file cannot even be opened to learn that it exists, so no
    // overwrite question comes before the write fails. (Tests run as root: a read-only file
    // would not make the write fail.)
    HANDLE lock = CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_TRUE(app.Post(WM_CHAR, kCtrlS, 1));
    ExpectBox(app, kDefaultCaption, CannotSave(target)); // where the dialogs left the folder
    SaveAs(app, "A00077_1.Z94", target);
    ExpectBox(app, kDefaultCaption, CannotSave(target));
    SaveQuestion(app, IDYES);
    ExpectBox(app, kDefaultCaption, CannotSave(target));
    ASSERT_TRUE(app.WaitIdle()) << "the program ended although the save failed";
    SaveQuestion(app, IDCANCEL);
    ASSERT_TRUE(app.WaitIdle()) << "Cancel ended the program";
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE)) << "still modified";
    CloseHandle(lock);
    EXPECT_EQ(ReadBytes(target), old);

    // Saved onto a full disk (a small one that scripts/test.sh mounts): the old file stays, and
    // no half-written file is left beside it.
    std::string disk = Environment("ZRT_E2E_FULL_DISK");
    if (!disk.empty()) {
        std::string onDisk = JoinPath(disk, "A00077_1.Z94");
        ASSERT_TRUE(WriteBytes(onDisk, old));
        std::ofstream filler(JoinPath(disk, "filler"), std::ios::binary);
        for (std::string block(4096, '\0'); filler.write(block.data(), block.size()).flush();) {
        }
        size_t files = FilesIn(disk).size();
        SaveAs(app, "A00077_1.Z94", onDisk);
        ExpectBox(app, kDefaultCaption, CannotSave(onDisk));
        EXPECT_EQ(ReadBytes(onDisk), old);
        EXPECT_EQ(FilesIn(disk).size(), files) << "a half-written file was left";
        filler.close();
        DeleteFileA(JoinPath(disk, "filler").c_str());
        DeleteFileA(onDisk.c_str());
    } else {
        std::printf("no small disk to fill: the full-disk save is not tried\n");
    }
    SaveQuestion(app, IDNO);
    EXPECT_TRUE(app.WaitForExit()) << "No closes";

    // The next start lists the files opened and saved (not the comparison's, not failed saves),
    // newest first; one that is gone since gives the open error and leaves the list.
    DeleteFileA(other.c_str());
    ASSERT_TRUE(app.Launch({.settings = std::nullopt}));
    const std::string recent[] = {JoinPath(folder, "a00001_1.z94"), other, path};
    for (int i = 0; i < 3; ++i) {
        char text[2 * kRecentPathSize];
        RecentMenuText(i, recent[i].c_str(), text, sizeof text);
        EXPECT_EQ(app.MenuItemText(CMD_RECENT_FILE_1 + i), text);
    }
    EXPECT_EQ(app.MenuItemText(CMD_RECENT_FILE_4), "");
    EXPECT_TRUE(MenuScreenshot(app, 'a', "menu_file")); // the shortcuts and the recent files
    ASSERT_TRUE(app.Command(CMD_RECENT_FILE_3));
    EXPECT_TRUE(app.WaitForTitle(Title(123))) << app.Title();
    ASSERT_TRUE(app.Command(CMD_RECENT_FILE_3)); // the list is now 123, 1, 456
    std::string upper = other;
    CharUpperA(&upper[0]);
    ExpectBox(app, kDefaultCaption, "No se pudo abrir el archivo " + upper + " .");
    EXPECT_EQ(app.MenuItemText(CMD_RECENT_FILE_3), "");
    EXPECT_TRUE(app.CloseAndWait());

    // A file whose reading fails after 100 bytes is refused, not loaded as a short file: a
    // named pipe that gives its reader 100 bytes and then goes away. (A range locked with
    // LockFile does not make ReadFile fail under Wine.)
    const std::string pipePath = "\\\\.\\pipe\\zrt-failing.z94";
    HANDLE pipe = CreateNamedPipeA(pipePath.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 4096,
                                   4096, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    std::thread([pipe] {
        ConnectNamedPipe(pipe, nullptr);
        DWORD written = 0;
        WriteFile(pipe, ConfigFileOf(Identity(123, 2)).data(), 100, &written, nullptr);
        CloseHandle(pipe); // no flush, which would wait for the reader
    }).detach();
    ASSERT_TRUE(app.Launch(LaunchOptions{.commandLine = pipePath, .expectDialog = true}));
    ExpectBox(app, kDefaultCaption, "No se pudo abrir el archivo \\\\.\\PIPE\\ZRT-FAILING.Z94 .");
    EXPECT_EQ(app.Title(), Title(1));
    EXPECT_TRUE(app.CloseAndWait());
}

} // namespace
