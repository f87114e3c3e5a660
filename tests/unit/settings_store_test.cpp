// ProgramSettings against its key table, through fake settings files: the user's, and the old
// one read only while the user's does not exist; the recent files' list.
#include "app/recent_files.h"
#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// A settings file in memory that reads like the platform's private-profile functions.
struct FakeProfile {
    bool present = false;
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> writes; // "Section/Key=value", in order
    ProfileStore store{};

    FakeProfile() {
        store.context = this;
        store.exists = [](void* c) { return static_cast<FakeProfile*>(c)->present; };
        store.read = [](void* c, const char* section, const char* key, const char* fallback,
                        char* out, int size) {
            auto* self = static_cast<FakeProfile*>(c);
            auto it = self->values.find({section, key});
            std::snprintf(out, size, "%s",
                          it == self->values.end() ? fallback : it->second.c_str());
        };
        store.write = [](void* c, const char* section, const char* key, const char* value) {
            auto* self = static_cast<FakeProfile*>(c);
            self->present = true;
            self->values[{section, key}] = value;
            self->writes.push_back(std::string(section) + "/" + key + "=" + value);
        };
    }
    FakeProfile(const FakeProfile&) = delete;
    operator const ProfileStore&() const { return store; }
    void Set(const char* section, const char* key, const char* value) {
        present = true;
        values[{section, key}] = value;
    }
};

TEST(Settings, OddValuesInTheFile) {
    FakeProfile user, legacy;
    user.Set("General", "CommPort", "300"); // 8 bits of 300 are 44
    user.Set("General", "Empresa1", "Ascensores del Litoral");
    user.Set("Desktop", "Status", "abc"); // not a number: 0
    user.Set("Desktop", "OrgWinL", "  -25px");
    user.Set("Desktop", "OrgWinT", ""); // empty: the default
    user.Set("Desktop", "OrgWinR", "+640");
    user.Set("Desktop", "OrgWinB", "4294967297"); // 32 bits of it are 1
    legacy.Set("General", "CommPort", "9");       // not read: the user's file exists
    user.Set("Historial", "Carpeta", "\\\\servidor\\ascensores");
    ProgramSettings s;
    LoadProgramSettings(s, user, legacy);
    FakeProfile saved;
    SaveProgramSettings(s, saved);
    EXPECT_EQ(saved.writes, (std::vector<std::string>{
                                "General/CommPort=44", "General/Empresa1=Ascensores del ",
                                "General/Empresa2=S.A.", "Desktop/Status=0", "Desktop/OrgWinL=-25",
                                "Desktop/OrgWinR=640", "Desktop/OrgWinT=10", "Desktop/OrgWinB=1",
                                "Historial/Carpeta=\\\\servidor\\ascensores"}));

    user.Set("General", "CommPort", "200"); // a byte above 127 is a negative port, kept as such
    LoadProgramSettings(s, user, legacy);
    SaveProgramSettings(s, user);
    EXPECT_EQ(user.writes[0], "General/CommPort=-56");

    // Without the user's file the old one is read; without either, the defaults.
    FakeProfile none;
    LoadProgramSettings(s, none, legacy);
    EXPECT_EQ(s.port, 9);
    legacy.present = false;
    LoadProgramSettings(s, none, legacy);
    SaveProgramSettings(s, none);
    EXPECT_EQ(none.writes,
              (std::vector<std::string>{
                  "General/CommPort=2", "General/Empresa1=BRIVALT", "General/Empresa2=S.A.",
                  "Desktop/Status=2", "Desktop/OrgWinL=10", "Desktop/OrgWinR=630",
                  "Desktop/OrgWinT=10", "Desktop/OrgWinB=470", "Historial/Carpeta="}));
}

// The recent files: a section as the file holds it (keys 1 to 4, "-" for a missing key), then the
// files opened or saved in turn; the list as it is saved afterwards, newest first.
TEST(Settings, RecentFiles) {
    const std::string longest(kRecentPathSize - 1, 'c'), tooLong(kRecentPathSize, 'd');
    const struct {
        std::vector<std::string> stored, added, saved;
    } kRows[] = {
        {{"-", "-", "-", "-"}, {"C:\\A.Z94", "C:\\B.Z94"}, {"C:\\B.Z94", "C:\\A.Z94"}},
        // The same file again, in other letters or slashes, moves to the front.
        {{"C:\\A.Z94", "C:\\B.Z94", "-", "-"}, {"c:/b.z94"}, {"c:/b.z94", "C:\\A.Z94"}},
        {{"C:\\A\xF1o\\A.Z94", "-", "-", "-"}, {"C:\\A\xD1O\\A.Z94"}, {"C:\\A\xD1O\\A.Z94"}},
        {{"C:\\A.Z94", "-", "-", "-"}, {"C:\\A.Z9"}, {"C:\\A.Z9", "C:\\A.Z94"}},
        // Four at most: the oldest goes.
        {{"1", "2", "3", "4"}, {"5"}, {"5", "1", "2", "3"}},
        // A damaged section: numbers missing, duplicates, empty or impossible names, a path
        // longer than any file's; what is left moves up.
        {{"-", "B", "", "b"}, {}, {"B"}},
        {{"a|b", "C:\\x\ty", tooLong, longest}, {}, {longest}},
        {{"1", "-", "3", "-"}, {tooLong, ""}, {"1", "3"}},
    };
    for (const auto& r : kRows) {
        FakeProfile file;
        for (int i = 0; i < kRecentFileCount; ++i)
            if (r.stored[i] != "-")
                file.Set("Recientes", ("Archivo" + std::to_string(i + 1)).c_str(),
                         r.stored[i].c_str());
        RecentFiles files;
        LoadRecentFiles(files, file);
        for (const std::string& path : r.added)
            files.Add(path.c_str());
        FakeProfile saved;
        SaveRecentFiles(files, saved);
        std::vector<std::string> expected;
        for (int i = 0; i < kRecentFileCount; ++i)
            expected.push_back("Recientes/Archivo" + std::to_string(i + 1) + "=" +
                               (i < (int)r.saved.size() ? r.saved[i] : ""));
        EXPECT_EQ(saved.writes, expected) << r.stored[0] << " " << r.stored[1];
    }
    char text[100]; // the middle of a long path left out, its ampersand doubled
    RecentMenuText(1, ("C:\\" + std::string(60, 'x') + "\\A&B.Z94").c_str(), text, sizeof text);
    EXPECT_EQ(text, "&2 C:\\..." + std::string(46, 'x') + "\\A&&B.Z94");
}

} // namespace
