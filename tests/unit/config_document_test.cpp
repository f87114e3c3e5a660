// The document's flows through a scripted host: message boxes, file dialogs and files. That a
// failed open leaves the document as it was is the file fuzzer's.
#include "app/config_document.h"
#include "app/config_file.h"
#include "app/receive_archive.h"
#include "base/message_box.h"

#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

struct Box {
    std::string text, caption;
    unsigned flags;
};

struct FakeHost {
    std::deque<int> answers;               // message-box answers, in order
    std::deque<std::string> dialogChoices; // file-dialog results; "" cancels
    std::vector<Box> boxes;
    std::vector<std::string> dialogInitial; // the name each save dialog opened with
    std::map<std::string, std::vector<unsigned char>> files;
    int changes = 0;
    std::string status;
    bool diskFull = false; // every write fails
    DocumentHost host{};

    FakeHost() {
        host.context = this;
        host.messageBox = [](void* c, const char* text, const char* caption, unsigned flags) {
            auto* self = static_cast<FakeHost*>(c);
            self->boxes.push_back({text, caption ? caption : "<default>", flags});
            if (self->answers.empty()) return mb::IdOk;
            int a = self->answers.front();
            self->answers.pop_front();
            return a;
        };
        auto dialog = [](void* c, const char*, const char* filter, char* path, int size) {
            auto* self = static_cast<FakeHost*>(c);
            EXPECT_STREQ(filter, W1252("Arch. de configuración (*.Z94)"));
            EXPECT_STREQ(filter + std::strlen(filter) + 1, "*.Z94");
            self->dialogInitial.push_back(path);
            std::string choice = self->dialogChoices.front();
            self->dialogChoices.pop_front();
            if (choice.empty()) return false;
            std::snprintf(path, size, "%s", choice.c_str());
            return true;
        };
        host.openFileDialog = [](void* c, const char* title, const char* filter, const char*,
                                 char* path, int size) {
            return static_cast<FakeHost*>(c)->host.saveFileDialog(c, title, filter, path, size);
        };
        host.saveFileDialog = dialog;
        host.readFile = [](void* c, const char* path, unsigned char* buf, int size, int* read) {
            auto* self = static_cast<FakeHost*>(c);
            auto it = self->files.find(path);
            if (it == self->files.end()) return false;
            *read = (int)std::min<size_t>(size, it->second.size());
            std::memcpy(buf, it->second.data(), *read);
            return true;
        };
        host.fileExists = [](void* c, const char* path) {
            return static_cast<FakeHost*>(c)->files.count(path) > 0;
        };
        host.writeFile = [](void* c, const char* path, const unsigned char* data, int size) {
            auto* self = static_cast<FakeHost*>(c);
            if (!self->diskFull) self->files[path].assign(data, data + size);
            return !self->diskFull;
        };
        host.postChanged = [](void* c) { ++static_cast<FakeHost*>(c)->changes; };
        // A name without a drive lies in the current folder, C:\\WORK.
        host.fullPath = [](void*, const char* path, char* full, int size) {
            std::snprintf(full, size, "%s%s", path[1] == ':' ? "" : "C:\\WORK\\", path);
        };
        host.showStatus = [](void* c, const char* t) { static_cast<FakeHost*>(c)->status = t; };
    }

    std::vector<unsigned char> FileOf(const ControllerConfig& image) {
        unsigned char bytes[kConfigFileSize];
        EncodeConfigFile(image, 4, bytes);
        return {bytes, bytes + sizeof bytes};
    }
};

struct DocumentTest : ::testing::Test {
    FakeHost fake;
    ConfigDocument doc;
    void SetUp() override {
        doc.Init(&fake.host, 4, 2);
        fake.changes = 0;
    }
    void Modify() {
        ControllerConfig c = doc.image;
        c.systemNumber = 123, c.cabinNumber = 2;
        ASSERT_TRUE(doc.ReplaceImage(c));
        fake.changes = 0;
    }
};

void ExpectBox(const Box& box, const std::string& text, const std::string& caption,
               unsigned flags) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.flags, flags);
}

// The question's words and its Cancel are the Document scenario's.
TEST_F(DocumentTest, NewAsksToSaveAModifiedDocument) {
    Modify();
    fake.answers = {mb::IdYes};
    doc.New();
    EXPECT_EQ(fake.files.count("A00123_2.Z94"), 1u);
    EXPECT_EQ(doc.image.systemNumber, 1);

    // Without Cancel, only Yes and No.
    Modify();
    fake.answers = {mb::IdNo};
    EXPECT_TRUE(doc.QuerySave(false));
    EXPECT_EQ(fake.boxes.back().flags, mb::YesNo | mb::IconQuestion);
}

// The file a save writes, under its recommended name, is the Document scenario's. A save declined
// (or failed: the scenario's file held open) stops the caller of QuerySave.
TEST_F(DocumentTest, SaveAsksBeforeOverwriting) {
    Modify();
    fake.files["A00123_2.Z94"] = {};
    fake.answers = {mb::IdYes, mb::IdNo}; // save? yes; overwrite? no
    EXPECT_FALSE(doc.QuerySave(true));
    ExpectBox(fake.boxes.back(),
              W1252("El archivo C:\\WORK\\A00123_2.Z94 ya existe. ¿Desea sobreescribirlo?"),
              "Configurador ZRT94", mb::YesNo | mb::IconQuestion);
    EXPECT_EQ(doc.modified, 1u);
    fake.answers = {mb::IdYes};
    EXPECT_EQ(doc.Save(), SaveResult::Saved);
    EXPECT_EQ(fake.files["A00123_2.Z94"].size(), 262u);
    EXPECT_EQ(fake.status, W1252("Configuración guardada en C:\\WORK\\A00123_2.Z94"));
    Modify();
    fake.diskFull = true, fake.answers = {mb::IdYes};
    EXPECT_EQ(doc.Save(), SaveResult::Failed);
    ExpectBox(
        fake.boxes.back(),
        W1252("No se pudo abrir el archivo C:\\WORK\\A00123_2.Z94 para salvar la configuración."),
        "<default>", mb::IconStop);
    EXPECT_EQ(doc.modified, 1u);
}

// The received copy's name keeps the image as the controller sent it; the recommended name
// sets a hall-call controller's cabin to 0.
TEST_F(DocumentTest, RecommendedNameOfAHallCallController) {
    char name[64];
    doc.image.systemNumber = 123, doc.image.cabinNumber = 2, doc.image.controllerFunction = 0;
    ReceiveArchiveName(doc.image, {2026, 12, 7, 1, 9, 5}, 2, name, sizeof name);
    EXPECT_STREQ(name, "A00123_E 2026-12-07 0905 (2).Z94");
    ReceiveArchiveName(doc.image, {2026, 12, 7, 1, 9, 5}, 1, name, sizeof name);
    EXPECT_STREQ(name, "A00123_E 2026-12-07 0905.Z94") << "the first copy has no number";
    EXPECT_EQ(doc.image.cabinNumber, 2);
    doc.RecommendedFileName(name, sizeof name);
    EXPECT_STREQ(name, "A00123_E.Z94");
    EXPECT_EQ(doc.image.cabinNumber, 0);
    EXPECT_EQ(fake.changes, 0);
}

TEST_F(DocumentTest, SaveAsQuestionsTheNameUntilAcceptedAndCancelWritesNothing) {
    Modify();
    fake.dialogChoices = {""};
    EXPECT_EQ(doc.SaveAs(), SaveResult::Declined);
    EXPECT_TRUE(fake.files.empty());
    EXPECT_EQ(doc.modified, 1u);

    // Another extension is refused before anything is written; none gets Open's.
    fake.dialogChoices = {"C:\\dir\\other.z95"};
    EXPECT_EQ(doc.SaveAs(), SaveResult::Failed);
    ExpectBox(fake.boxes.back(), W1252("El archivo debe tener extensión '.Z94' ."),
              W1252("Atención"), mb::IconStop);
    fake.dialogChoices = {"C:\\" + std::string(253, 'a')}; // no room left for ".Z94"
    EXPECT_EQ(doc.SaveAs(), SaveResult::Failed);
    fake.dialogChoices = {"C:\\dir\\other.z94", "C:\\dir.1\\other"}; // a folder's dot
    fake.answers = {mb::IdNo, mb::IdYes};
    EXPECT_EQ(doc.SaveAs(), SaveResult::Saved);
    EXPECT_EQ(fake.dialogInitial.back(), "A00123_2.Z94") << "offered again after a No";
    ExpectBox(fake.boxes[2],
              W1252("El nombre recomendado para el archivo es A00123_2.Z94. ¿Desea salvarlo con "
                    "el nombre OTHER.Z94?"),
              W1252("Atención"), mb::YesNo | mb::IconQuestion);
    EXPECT_EQ(fake.files.count("C:\\dir.1\\other.Z94"), 1u);
    EXPECT_EQ(fake.files.size(), 1u);
    EXPECT_EQ(doc.modified, 0u);
}

TEST_F(DocumentTest, OpenPathUpperCasesAndTestsTheExtension) {
    ControllerConfig other = MakeEmptyConfig();
    other.systemNumber = 42;
    fake.files["C:\\DATA\\FILEZ94"] = fake.FileOf(other);
    EXPECT_TRUE(doc.OpenPath("c:\\data\\fileZ94"));
    for (const char* bad : {"/switch", "ab", "x.z95"}) {
        fake.boxes.clear();
        EXPECT_FALSE(doc.OpenPath(bad));
        ASSERT_EQ(fake.boxes.size(), 1u);
        ExpectBox(fake.boxes[0], W1252("El archivo debe tener extensión '.Z94' ."),
                  W1252("Atención"), mb::IconStop);
    }
}

TEST_F(DocumentTest, OpenPathFailuresLeaveTheDocument) {
    Modify();
    fake.files["C:\\BAD.Z94"] = {'9', '4', 'V', 'X', '0', '4'};
    EXPECT_FALSE(doc.OpenPath("c:\\bad.z94"));
    ExpectBox(fake.boxes.back(), W1252("No es un archivo de configuración de ZRT94VK válido."),
              "<default>", mb::IconStop);
    // A file that cannot be read is named with its folder (the pipe that fails is the Document
    // scenario's).
    EXPECT_FALSE(doc.OpenPath("nada.z94"));
    ExpectBox(fake.boxes.back(), "No se pudo abrir el archivo C:\\WORK\\NADA.Z94 .", "<default>",
              mb::IconStop);
    std::string longPath = std::string(296, 'A') + ".Z94";
    fake.files[longPath.substr(0, kPathSize)] = fake.FileOf(MakeEmptyConfig());
    EXPECT_FALSE(doc.OpenPath(longPath.c_str())) << "cut to another file's path";

    // Open asks first, then loads without asking again.
    ControllerConfig other = MakeEmptyConfig();
    other.systemNumber = 9;
    fake.files["C:\\A.Z94"] = fake.FileOf(other);
    fake.dialogChoices = {"C:\\A.Z94"};
    fake.answers = {mb::IdNo};
    fake.boxes.clear();
    doc.Open();
    EXPECT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(doc.image.systemNumber, 9);
    EXPECT_EQ(doc.modified, 0u);
}

TEST_F(DocumentTest, ReplaceImageRefusesStopCountsOutsideTwoToTwentyFour) {
    ControllerConfig c = MakeEmptyConfig();
    for (int stops : {1, 25, 24}) {
        c.stopCount = (uint8_t)stops;
        EXPECT_EQ(doc.ReplaceImage(c), stops == 24) << stops;
    }
    EXPECT_EQ((std::vector<unsigned>{doc.modified, (unsigned)fake.changes}),
              (std::vector<unsigned>{1, 1}));
}

} // namespace
