// ProgramSettings against its key table, through a fake settings file. Which of the two files
// is read is the settings fuzzer's.
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
    user.Set("Historial", "Carpeta", "\\\\servidor\\ascensores");
    ProgramSettings s;
    LoadProgramSettings(s, user, legacy);
    FakeProfile saved;
    SaveProgramSettings(s, saved);
    EXPECT_EQ(saved.writes, (std::vector<std::string>{
                                "General/CommPort=44", "General/Empresa1=Ascensores del ",
                                "General/Empresa2=S.A.", "Desktop/Status=0", "Desktop/OrgWinL=-25",
                                "Desktop/OrgWinR=640", "Desktop/OrgWinT=10", "Desktop/OrgWinB=470",
                                "Historial/Carpeta=\\\\servidor\\ascensores"}));

    user.Set("General", "CommPort", "200"); // a byte above 127 is a negative port, kept as such
    LoadProgramSettings(s, user, legacy);
    SaveProgramSettings(s, user);
    EXPECT_EQ(user.writes[0], "General/CommPort=-56");
}

} // namespace
