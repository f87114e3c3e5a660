// The General page through a fake control map: corrections on fill, the order of its refusals,
// enabling by function and the served-stop rebuild when it is left.
#include "fake_page_controls.h"

#include "app/cp1252.h"
#include "app/message_box.h"
#include "res/resource.h"

#include <cstring>

namespace {

constexpr char kSystemMessage[] = "El número de serie debe estar entre 1 y 65535";
constexpr char kCabinMessage[] = "El número cabina debe estar entre 1 y 6";
constexpr char kSpeedMessage[] = "La velocidad del controlador debe estar entre 10 y 200 m/min";
constexpr char kRangeMessage[] = "La última parada atendida debe ser mayor que la primera.";

struct GeneralPage : ::testing::Test {
    FakePage fake;
    ControllerConfig working = MakeEmptyConfig();
    EditorPage page;

    void Open() { page = ActivePage(EditorPageKind::General, fake, working); }
    bool Leave() { return page.Leave(fake.pc, working); }
    std::string OnlyMessage() {
        EXPECT_EQ(fake.boxes.size(), 1u);
        return fake.boxes.empty() ? "" : fake.boxes.back().text;
    }
};

TEST_F(GeneralPage, OnlyTheFirstFailingValueIsReported) {
    Open();
    fake.Choose(page, IDC_GEN_FUNCTION, W1252("1 - Esclavo de duplex o batería"));
    fake[IDC_GEN_CABIN].text = "7";
    fake[IDC_GEN_SPEED].text = "9";
    fake.Choose(page, IDC_GEN_LAST_SERVED, " 2");
    fake.Choose(page, IDC_GEN_FIRST_SERVED, " 5");
    fake.boxes.clear();

    fake[IDC_GEN_SYSTEM_NUMBER].text = "0";
    EXPECT_FALSE(Leave());
    EXPECT_EQ(OnlyMessage(), W1252(kSystemMessage));
    EXPECT_EQ(fake.boxes[0].caption, "<default>");
    EXPECT_EQ(fake.boxes[0].flags, mb::Ok | mb::IconExclamation);
    fake.boxes.clear();
    fake[IDC_GEN_SYSTEM_NUMBER].text = "12";
    EXPECT_FALSE(Leave());
    EXPECT_EQ(OnlyMessage(), W1252(kCabinMessage));
    fake.boxes.clear();
    fake[IDC_GEN_CABIN].text = "6";
    EXPECT_FALSE(Leave());
    EXPECT_EQ(OnlyMessage(), W1252(kSpeedMessage));
    fake.boxes.clear();
    fake[IDC_GEN_SPEED].text = "201";
    EXPECT_FALSE(Leave());
    EXPECT_EQ(OnlyMessage(), W1252(kSpeedMessage));
    fake.boxes.clear();
    fake[IDC_GEN_SPEED].text = "200";
    EXPECT_FALSE(Leave());
    EXPECT_EQ(OnlyMessage(), W1252(kRangeMessage));
    // Values read before the failure stay in the page copy only.
    EXPECT_EQ(page.copy.systemNumber, 12);
    EXPECT_EQ(page.copy.carSpeed, 200);
    EXPECT_EQ(working.systemNumber, 1);
}

TEST_F(GeneralPage, FillCorrectsStoredValuesOutsideTheirLists) {
    working.carSpeed = 0;
    working.controlType = 5; // 23 stops at most
    working.stopCount = 24;
    working.firstServedStop = 0;
    working.lastServedStop = 30;
    Open();
    EXPECT_EQ(fake[IDC_GEN_SPEED].text, "80");
    EXPECT_EQ(fake.Selected(IDC_GEN_STOPS), " 2");
    EXPECT_EQ(fake[IDC_GEN_STOPS].items.back(), "23");
    EXPECT_EQ(fake.Selected(IDC_GEN_FIRST_SERVED), " 1");
    EXPECT_EQ(fake.Selected(IDC_GEN_LAST_SERVED), " 2");
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.carSpeed, 80);
    EXPECT_EQ(working.stopCount, 2);

    // Values no list holds leave it without a selection; the read takes its fallbacks.
    working.controlType = 6;
    working.screenSystem = 0;
    Open();
    EXPECT_EQ(fake.Selected(IDC_GEN_TYPE), "<none>");
    EXPECT_EQ(fake.Selected(IDC_GEN_SCREENS), "<none>");
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.controlType, 0);
    EXPECT_EQ(working.screenSystem, 2);
}

TEST_F(GeneralPage, CallsNotServedAreRebuiltOnlyWhenTheRangeChanges) {
    working.stopCallsNotServed[5] = 5; // set on the stops page
    Open();
    fake[IDC_GEN_SPEED].text = "120";
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.stopCallsNotServed[5], 5);

    fake.Choose(page, IDC_GEN_STOPS, "10");
    EXPECT_EQ(fake.Selected(IDC_GEN_LAST_SERVED), "10");
    EXPECT_EQ(page.copy.stopCallsNotServed[13], 4) << "not before the page is left";
    EXPECT_TRUE(Leave());
    const uint8_t expected[kMaxStops] = {2, 0, 0, 0, 0, 0, 0, 0, 0, 4, 7, 7,
                                         7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
    EXPECT_EQ(std::memcmp(working.stopCallsNotServed, expected, kMaxStops), 0);
}

TEST_F(GeneralPage, HallCallControllerServesEveryStopAndDisablesItsDefinition) {
    working.controllerFunction = 0;
    working.stopCount = 12;
    Open();
    for (int id : {IDC_GEN_TYPE, IDC_GEN_SCREENS, IDC_GEN_FIRST_SERVED, IDC_GEN_LAST_SERVED,
                   IDC_GEN_SPEED, IDC_GEN_TYPE_LABEL, IDC_GEN_SCREENS_LABEL, IDC_GEN_SPEED_LABEL,
                   IDC_GEN_FIRST_SERVED_LABEL, IDC_GEN_LAST_SERVED_LABEL, IDC_GEN_RELEVELING,
                   IDC_GEN_HALL_BUTTONS})
        EXPECT_FALSE(fake[id].enabled) << id;
    EXPECT_TRUE(fake[IDC_GEN_STOPS].enabled);
    EXPECT_TRUE(fake[IDC_GEN_FUNCTION].enabled);
    fake[IDC_GEN_FIRST_SERVED].selection = 4;
    fake[IDC_GEN_LAST_SERVED].selection = 3;
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.firstServedStop, 1);
    EXPECT_EQ(working.lastServedStop, 12);
}

TEST_F(GeneralPage, RelevelingNeedsScreenSystemOneOrFour) {
    working.optionFlags = kOptionReleveling | kOptionSegments14;
    Open();
    EXPECT_TRUE(fake[IDC_GEN_RELEVELING].enabled);
    EXPECT_TRUE(fake[IDC_GEN_RELEVELING].checked);
    fake.Choose(page, IDC_GEN_SCREENS, "2 - EXS, EXD, PN para 2 velocidades");
    EXPECT_FALSE(fake[IDC_GEN_RELEVELING].enabled);
    EXPECT_FALSE(fake[IDC_GEN_RELEVELING].checked);
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.optionFlags, kOptionSegments14);
}

TEST_F(GeneralPage, SiteNameKeepsFortyCharacters) {
    Open();
    fake[IDC_GEN_SITE_NAME].text = std::string(45, 'x');
    EXPECT_TRUE(Leave());
    EXPECT_EQ(std::string(working.siteName), std::string(40, 'x'));
    EXPECT_EQ(reinterpret_cast<const char*>(&working)[92], '\0');
}

} // namespace
