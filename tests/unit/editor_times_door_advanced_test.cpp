// The Times, Door and Advanced pages through a fake control map, and the help tables.
#include "fake_page_controls.h"

#include "app/cp1252.h"
#include "res/resource.h"

#include <cstring>

namespace {

struct TimesPage : ::testing::Test {
    FakePage fake;
    ControllerConfig working = MakeEmptyConfig();
    EditorPage page;

    void Open() { page = ActivePage(EditorPageKind::Times, fake, working); }
    std::string Refusal(int editId, const char* typed) {
        Open();
        fake[editId].text = typed;
        EXPECT_FALSE(page.Leave(fake.pc, working));
        EXPECT_EQ(fake.boxes.size(), 1u);
        if (fake.boxes.empty()) return "";
        EXPECT_EQ(fake.boxes[0].caption, W1252("Atención"));
        return fake.boxes[0].text;
    }
};

TEST_F(TimesPage, ValueOutsideAByteNamesTheTimerAndItsUnit) {
    EXPECT_EQ(Refusal(IDC_TIM_TPA, "256"),
              "El tiempo de parada debe estar entre 0 y 255 segundos.");
    fake.boxes.clear();
    EXPECT_EQ(Refusal(IDC_TIM_TGEN, "300"),
              "El tiempo de generador debe estar entre 0 y 255 minutos.");
    fake.boxes.clear();
    EXPECT_EQ(Refusal(IDC_TIM_TINHP, "-1"),
              W1252("El tiempo de inhibición de parada debe estar entre 0 y 255 décimas de "
                    "segundo."));
}

TEST_F(TimesPage, TimersAreCheckedInFieldOrder) {
    Open();
    fake[IDC_TIM_TEP].text = "7";
    fake[IDC_TIM_TACEB].text = "999"; // left column, later field
    fake[IDC_TIM_TNIV0].text = "300"; // right column, earlier field
    EXPECT_FALSE(page.Leave(fake.pc, working));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text,
              "El tiempo a descanso en nivel 0 debe estar entre 0 y 255 minutos.");
    EXPECT_EQ(page.copy.TEP, 7);
    EXPECT_EQ(working.TEP, 1);
}

TEST_F(TimesPage, EveryTimerIsShownAndStored) {
    working.TGON = 0;
    working.TINHP = 255;
    Open();
    for (int id :
         {IDC_TIM_TEP, IDC_TIM_TALA, IDC_TIM_TZUM, IDC_TIM_TPA, IDC_TIM_TACL, IDC_TIM_TACEA,
          IDC_TIM_TNIV0, IDC_TIM_TRETP, IDC_TIM_TAPA, IDC_TIM_TOPC, IDC_TIM_TACEB, IDC_TIM_TARR,
          IDC_TIM_TESTR, IDC_TIM_TGON, IDC_TIM_TGEN, IDC_TIM_TINHP}) {
        EXPECT_TRUE(fake[id].visible) << id;
        EXPECT_TRUE(fake[id + IDC_TIM_LABEL_OFFSET].enabled) << id;
        EXPECT_TRUE(fake[id + IDC_TIM_UNIT_OFFSET].enabled) << id;
        fake[id].text = std::to_string(id % 256);
    }
    fake[IDC_TIM_TGON].text = "gong"; // not a number: 0
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.TEP, 100);
    EXPECT_EQ(working.TZUM, 110);
    EXPECT_EQ(working.TINHP, 993 % 256);
    EXPECT_EQ(working.TGON, 0);
}

TEST_F(TimesPage, HiddenTimerIsSkippedAndKeepsItsValue) {
    Open();
    fake[IDC_TIM_TGEN].visible = false;
    fake[IDC_TIM_TGEN].text = "999";
    fake[IDC_TIM_TGON].text = "25";
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.TGEN, 0);
    EXPECT_EQ(working.TGON, 25);
}

TEST(TimerApplicability, FollowsTheOutputsDoorAndScreens) {
    ControllerConfig config = MakeEmptyConfig();
    bool uses[kTimerCount];
    timerApplicability(config, uses);
    // Field order: TEP TALA TZUM TPA TACL TACEA TNIV0 TRETP TAPA TOPC TACEB TARR TESTR TGON
    // TGEN TINHP
    const bool none[kTimerCount] = {1, 1, 0, 1, 1, 0, 1, 0, 0, 1, 0, 1, 0, 0, 0, 0};
    for (int t = 0; t < kTimerCount; ++t)
        EXPECT_EQ(uses[t], none[t]) << t;

    config.relayFunction[0] = 37;       // TZUM
    config.relayFunction[1] = 7;        // TACEB only
    config.relayFunction[2] = 81;       // TRETP
    config.auxTerminalFunction[3] = 39; // TESTR
    config.relayFunction[4] = 20;       // TGON
    config.relayFunction[5] = 38;       // TGEN
    config.doorMode = 1;                // TAPA
    config.screenSystem = 1;            // TINHP
    timerApplicability(config, uses);
    const bool all[kTimerCount] = {1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    for (int t = 0; t < kTimerCount; ++t)
        EXPECT_EQ(uses[t], all[t]) << t;
    config.relayFunction[1] = 58;
    timerApplicability(config, uses);
    EXPECT_TRUE(uses[5]);
    EXPECT_FALSE(uses[10]);
}

struct DoorPage : ::testing::Test {
    FakePage fake;
    ControllerConfig working = MakeEmptyConfig();
    EditorPage page;

    void Open() { page = ActivePage(EditorPageKind::Door, fake, working); }
    void Click(int id) { fake.Click(page, id, {IDC_DOOR_MANUAL, IDC_DOOR_AUTOMATIC}); }
};

TEST_F(DoorPage, AutomaticToManualKeepsTheAutomaticSettings) {
    working.doorMode = 8;
    working.preOpening = 1;
    working.alwaysOpenOnArrival = 1;
    working.closeAttempts = 3;
    Open();
    Click(IDC_DOOR_MANUAL);
    EXPECT_FALSE(fake[IDC_DOOR_PREOPENING].checked);
    EXPECT_FALSE(fake[IDC_DOOR_PREOPENING].enabled);
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.doorMode, 0);
    EXPECT_EQ(working.preOpening, 1);
    EXPECT_EQ(working.alwaysOpenOnArrival, 1);
    EXPECT_EQ(working.closeAttempts, 3);
}

struct AdvancedPage : ::testing::Test {
    FakePage fake;
    ControllerConfig working = MakeEmptyConfig();
    EditorPage page;

    void Open() { page = ActivePage(EditorPageKind::Advanced, fake, working); }
};

TEST_F(AdvancedPage, StationsAboveTheStopsAreCorrected) {
    working.stopCount = 8;
    working.restStation = 12;
    working.duplexMainStation = 9;
    working.fireStation = 0;
    working.falseStopLimit = 10;
    Open();
    EXPECT_EQ(fake.Selected(IDC_ADV_REST), " 0");
    EXPECT_EQ(fake[IDC_ADV_REST].items.size(), 9u);
    EXPECT_EQ(fake[IDC_ADV_FIRE].items.front(), " 1");
    EXPECT_EQ(fake.Selected(IDC_ADV_FIRE), "<none>");
    EXPECT_EQ(fake.Selected(IDC_ADV_FALSE_STOPS), " 0");
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.restStation, 0);
    EXPECT_EQ(working.duplexMainStation, 0);
    EXPECT_EQ(working.fireStation, 1);
    EXPECT_EQ(working.falseStopLimit, 0);
    EXPECT_EQ(working.minLoadCabinCallLimit, 3);

    working.fireStation = 9;
    Open();
    EXPECT_EQ(fake.Selected(IDC_ADV_FIRE), "<none>") << "above the stops it becomes 0";
}

TEST_F(AdvancedPage, TtlPortDisablesTheAnnouncerAndKeepsItsValue) {
    working.specialVoiceAnnouncer = 1;
    working.optionFlags = kOptionReleveling | kOptionSegments14;
    Open();
    EXPECT_TRUE(fake[IDC_ADV_ANNOUNCER].enabled);
    fake.Choose(page, IDC_ADV_PORT, "3 - TTL");
    EXPECT_FALSE(fake[IDC_ADV_ANNOUNCER].enabled);
    EXPECT_TRUE(fake[IDC_ADV_ANNOUNCER].checked);
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.specialVoiceAnnouncer, 1);
    EXPECT_EQ(working.optionFlags, kOptionReleveling | kOptionSegments14 | (3 << 1));
    fake.Choose(page, IDC_ADV_PORT, "1 - RS-232C");
    EXPECT_TRUE(fake[IDC_ADV_ANNOUNCER].enabled);
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(SupervisionPort(working), 1);
}

TEST_F(AdvancedPage, DuplexSettingsBelongToTheDuplexMaster) {
    working.controllerFunction = 3;
    working.doorMode = 0;
    Open();
    EXPECT_TRUE(fake[IDC_ADV_MAIN].enabled);
    EXPECT_TRUE(fake[IDC_ADV_SECONDARY_LABEL].enabled);
    EXPECT_FALSE(fake[IDC_ADV_MAIN_CLOSED].enabled);
    EXPECT_FALSE(fake[IDC_ADV_SECONDARY_CLOSED].enabled);
    working.doorMode = 1;
    Open();
    EXPECT_TRUE(fake[IDC_ADV_MAIN_CLOSED].enabled);

    working.controllerFunction = 1;
    working.duplexMainStation = 5;
    working.secondaryRestsDoorClosed = 1;
    Open();
    for (int id : {IDC_ADV_DUPLEX_GROUP, IDC_ADV_MAIN, IDC_ADV_SECONDARY, IDC_ADV_MAIN_LABEL,
                   IDC_ADV_SECONDARY_LABEL, IDC_ADV_MAIN_CLOSED, IDC_ADV_SECONDARY_CLOSED})
        EXPECT_FALSE(fake[id].enabled) << id;
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.duplexMainStation, 5);
    EXPECT_EQ(working.secondaryRestsDoorClosed, 1);
}

std::vector<uint32_t> Table(EditorPageKind kind, int control) {
    uint32_t scratch[4];
    const uint32_t* t = EditorHelpTable(kind, control, scratch);
    std::vector<uint32_t> pairs;
    for (; t[0] || t[1]; t += 2)
        pairs.insert(pairs.end(), {t[0], t[1]});
    return pairs;
}

uint32_t ContextOf(EditorPageKind kind, int control) {
    std::vector<uint32_t> t = Table(kind, control);
    for (size_t i = 0; i < t.size(); i += 2)
        if (t[i] == (uint32_t)control) return t[i + 1];
    return 0;
}

TEST(EditorHelp, RangesAnswerAOnePairTableForTheAskingControl) {
    EXPECT_EQ(Table(EditorPageKind::Stops, 123), (std::vector<uint32_t>{123, 801}));
    EXPECT_EQ(Table(EditorPageKind::Stops, 30), (std::vector<uint32_t>{30, 800}));
    EXPECT_EQ(ContextOf(EditorPageKind::Stops, 417), 805u);
    EXPECT_EQ(ContextOf(EditorPageKind::Stops, 500), 806u);
    EXPECT_EQ(ContextOf(EditorPageKind::Stops, 623), 804u);
    EXPECT_EQ(ContextOf(EditorPageKind::Stops, 323), 803u);
    EXPECT_TRUE(Table(EditorPageKind::Stops, 65535).empty());
    EXPECT_TRUE(Table(EditorPageKind::Stops, 124).empty());

    EXPECT_EQ(Table(EditorPageKind::Outputs, 233), (std::vector<uint32_t>{233, 402}));
    EXPECT_EQ(Table(EditorPageKind::Outputs, 317), (std::vector<uint32_t>{317, 403}));
    EXPECT_EQ(ContextOf(EditorPageKind::Outputs, 65535), 402u);
    EXPECT_EQ(ContextOf(EditorPageKind::Outputs, 453), 400u);
    EXPECT_EQ(ContextOf(EditorPageKind::Outputs, 100), 404u);
}

TEST(EditorHelp, FixedTablesMapLabelsWithTheirControls) {
    EXPECT_EQ(Table(EditorPageKind::General, 0).size(), 48u);
    EXPECT_EQ(ContextOf(EditorPageKind::General, 1010), 111u);
    EXPECT_EQ(ContextOf(EditorPageKind::General, 103), 111u);
    EXPECT_EQ(ContextOf(EditorPageKind::Times, 993), 507u);
    EXPECT_EQ(ContextOf(EditorPageKind::Times, 1013), 507u);
    EXPECT_EQ(ContextOf(EditorPageKind::Times, 129), 515u);
    EXPECT_EQ(ContextOf(EditorPageKind::Door, 112), 613u);
    EXPECT_EQ(ContextOf(EditorPageKind::Door, 441), 612u);
    EXPECT_EQ(ContextOf(EditorPageKind::Advanced, 107), 713u);
    EXPECT_EQ(ContextOf(EditorPageKind::Advanced, 814), 702u);
}

} // namespace
