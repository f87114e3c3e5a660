// The editor's pages through a fake control map: what the end-to-end tests of the sheet do not
// reach (the order of refusals, corrections of stored values no list holds, enable rules of
// every function, bounded reads). That a new stop count leaves stations and doors in range is
// the editor fuzzer's.
#include "fake_page_controls.h"

#include "base/cp1252.h"
#include "base/message_box.h"
#include "help/help_book.h"
#include "res/resource.h"

#include <cstring>
#include <fstream>

namespace {

const char* const kSlave = W1252("1 - Esclavo de duplex o batería");

TEST_F(PageTest, GeneralReportsOnlyTheFirstFailingValue) {
    Open(IDD_PAGE_GENERAL);
    fake.Choose(page, IDC_GEN_FUNCTION, kSlave);
    fake[IDC_GEN_CABIN].text = "7", fake[IDC_GEN_SPEED].text = "9";
    fake.Choose(page, IDC_GEN_LAST_SERVED, " 2");
    fake.Choose(page, IDC_GEN_FIRST_SERVED, " 5");
    fake.boxes.clear();
    const char* speed = "La velocidad del controlador debe estar entre 10 y 200 m/min";
    const std::tuple<int, const char*, const char*> steps[] = {
        {IDC_GEN_SYSTEM_NUMBER, "0", W1252("El número de serie debe estar entre 1 y 65535")},
        {IDC_GEN_SYSTEM_NUMBER, "12", W1252("El número cabina debe estar entre 1 y 6")},
        {IDC_GEN_CABIN, "6", speed},
        {IDC_GEN_SPEED, "201", speed},
        {IDC_GEN_SPEED, "200", W1252("La última parada atendida debe ser mayor que la primera.")},
    };
    for (const auto& [id, typed, message] : steps) {
        fake[id].text = typed;
        EXPECT_FALSE(Leave()) << typed;
        EXPECT_EQ(Message(), message) << typed;
    }
    EXPECT_EQ(working.systemNumber, 1) << "nothing is stored from a refused page";
}

// Stop counts above the type's limit (23 for type 5), and below 2, are corrected to 2, or the
// document would refuse the whole edit.
TEST_F(PageTest, GeneralCorrectsStoredValuesOutsideItsLists) {
    working.controlType = 5;
    for (uint8_t stops : {24, 0, 1}) {
        working.stopCount = stops, working.carSpeed = working.firstServedStop = 0;
        working.lastServedStop = 30;
        Open(IDD_PAGE_GENERAL);
        EXPECT_EQ(fake.Selected({IDC_GEN_STOPS, IDC_GEN_FIRST_SERVED, IDC_GEN_LAST_SERVED}),
                  " 2| 1| 2");
        EXPECT_EQ(fake[IDC_GEN_STOPS].items.back(), "23");
        EXPECT_TRUE(Leave());
        EXPECT_EQ((Ints{working.carSpeed, working.stopCount, working.firstServedStop,
                        working.lastServedStop}),
                  (Ints{80, 2, 1, 2}));
    }
    // Values no list holds leave it without a selection; the read takes its fallbacks.
    working.controlType = 6, working.screenSystem = 0;
    Open(IDD_PAGE_GENERAL);
    EXPECT_EQ(fake.Selected({IDC_GEN_TYPE, IDC_GEN_SCREENS}), "<none>|<none>");
    EXPECT_EQ(fake[IDC_GEN_SCREENS].items.size(), 6u);
    EXPECT_TRUE(Leave());
    EXPECT_EQ((Ints{working.controlType, working.screenSystem}), (Ints{0, 2}));
}

TEST_F(PageTest, GeneralRebuildsTheCallsNotServedOnlyWhenTheRangeChanges) {
    working.stopCallsNotServed[5] = 5; // set on the stops page
    Open(IDD_PAGE_GENERAL);
    fake[IDC_GEN_SPEED].text = "120";
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.stopCallsNotServed[5], 5);
    fake.Choose(page, IDC_GEN_STOPS, "10");
    EXPECT_EQ(page.copy.stopCallsNotServed[13], 4) << "not before the page is left";
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.stopCallsNotServed[5], 0);
    EXPECT_EQ(working.stopCallsNotServed[13], 7);
}

// A hall-call controller serves every stop and shows cabin "E"; the duplex slave chosen after
// it starts at cabin 1 instead of refusing the "E" nobody could type.
TEST_F(PageTest, GeneralOfAHallCallControllerAndTheSlaveChosenAfterIt) {
    working.controllerFunction = 0, working.stopCount = 12;
    Open(IDD_PAGE_GENERAL);
    EXPECT_EQ(fake[IDC_GEN_CABIN].text, "E");
    for (int id : {IDC_GEN_TYPE, IDC_GEN_LAST_SERVED_LABEL, IDC_GEN_RELEVELING,
                   IDC_GEN_HALL_BUTTONS, IDC_GEN_CABIN})
        EXPECT_FALSE(fake[id].enabled) << id;
    EXPECT_TRUE(fake[IDC_GEN_STOPS].enabled);
    fake[IDC_GEN_FIRST_SERVED].selection = 4, fake[IDC_GEN_LAST_SERVED].selection = 3;
    EXPECT_TRUE(Leave());
    EXPECT_EQ((Ints{working.firstServedStop, working.lastServedStop}), (Ints{1, 12}));

    Open(IDD_PAGE_GENERAL);
    fake.Choose(page, IDC_GEN_FUNCTION, kSlave);
    EXPECT_TRUE(fake.boxes.empty());
    EXPECT_EQ(fake[IDC_GEN_CABIN].text, "1");
    EXPECT_TRUE(fake[IDC_GEN_CABIN].enabled && fake[IDC_GEN_TYPE].enabled);
    fake[IDC_GEN_CABIN].text = "7"; // from now on the typed cabin is checked
    EXPECT_FALSE(Leave());
    EXPECT_EQ(Message(), W1252("El número cabina debe estar entre 1 y 6"));
    fake[IDC_GEN_CABIN].text = "4";
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.cabinNumber, 4);
}

TEST_F(PageTest, GeneralRelevelingNeedsScreenSystemOneOrFourAndTheSiteKeepsForty) {
    working.optionFlags = kOptionReleveling | kOptionSegments14;
    Open(IDD_PAGE_GENERAL);
    EXPECT_TRUE(fake[IDC_GEN_RELEVELING].enabled && fake[IDC_GEN_RELEVELING].checked);
    fake.Choose(page, IDC_GEN_SCREENS, "2 - EXS, EXD, PN para 2 velocidades");
    EXPECT_FALSE(fake[IDC_GEN_RELEVELING].enabled || fake[IDC_GEN_RELEVELING].checked);
    fake[IDC_GEN_SITE_NAME].text = std::string(45, 'x');
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.optionFlags, kOptionSegments14);
    EXPECT_EQ(std::string(working.siteName), std::string(40, 'x'));
    EXPECT_EQ(reinterpret_cast<const char*>(&working)[92], '\0');
}

TEST_F(PageTest, StopsCallBoxesOutsideTheServedRangeAreDisabledButRead) {
    working.stopCount = 12, working.firstServedStop = 3, working.lastServedStop = 10;
    rebuildServedStopFlags(working);
    working.relayFunction[0] = 65; // door 1
    Open(IDD_PAGE_STOPS);
    for (int stop = 1; stop <= 24; ++stop) {
        int i = stop - 1;
        bool served = stop >= 3 && stop <= 10;
        EXPECT_EQ(fake[IDC_STP_NO_CABIN + i].enabled, served) << stop;
        EXPECT_EQ(fake[IDC_STP_NO_UP + i].enabled, served && stop != 10) << stop;
        EXPECT_EQ(fake[IDC_STP_NO_DOWN + i].enabled, served && stop != 3) << stop;
    }
    EXPECT_TRUE(fake[IDC_STP_NO_UP + 10].checked && fake[IDC_STP_NO_DOWN + 10].checked &&
                fake[IDC_STP_NO_CABIN + 10].checked && fake[IDC_STP_NO_UP + 9].checked);
    fake[IDC_STP_NO_CABIN + 4].checked = fake[IDC_STP_NO_UP + 4].checked = true;
    fake[IDC_STP_NAME + 6].text = "";
    EXPECT_TRUE(Leave());
    EXPECT_EQ((Ints{working.stopCallsNotServed[4], working.stopCallsNotServed[0],
                    working.stopCallsNotServed[2]}),
              (Ints{5, 7, 2}));
    EXPECT_STREQ(working.stopNames[6], "");
    EXPECT_TRUE(fake[IDC_STP_DOOR1].enabled && !fake[IDC_STP_DOOR2].enabled) << "door 1's relay";
}

TEST_F(PageTest, OutputsTypedCodeKeepsItsLowEightBits) {
    Open(IDD_PAGE_OUTPUTS);
    EXPECT_EQ(fake[IDC_OUT_SPEC_GROUP].text + fake[IDC_OUT_DESCRIPTION].text, "");
    fake.Type(page, IDC_OUT_TERMINAL + 2, "400");
    EXPECT_EQ(fake[IDC_OUT_SPEC_GROUP].text, W1252("Especificación de salida auxiliar 3:"));
    EXPECT_EQ(fake[IDC_OUT_DESCRIPTION].text, W1252("144 - Código sin especificación."));
    for (auto [relay, typed] : {std::pair{1, "abc"}, {2, "-5"}, {3, "  7x"}})
        fake.Type(page, IDC_OUT_RELAY + relay, typed);
    EXPECT_EQ(fake[IDC_OUT_SPEC_GROUP].text, W1252("Especificación del relé 4:"));
    page.OnSpin(fake.pc, IDC_OUT_RELAY_SPIN + 4, SpinStep::Other);
    EXPECT_EQ(fake.focus, IDC_OUT_RELAY + 4) << "an arrow focuses its field";
    // The arrows stop at 0 and at the catalogue's last code.
    fake.Type(page, IDC_OUT_RELAY + 5, "99");
    page.OnSpin(fake.pc, IDC_OUT_RELAY_SPIN + 5, SpinStep::Up);
    page.OnSpin(fake.pc, IDC_OUT_RELAY_SPIN + 6, SpinStep::Down);
    EXPECT_EQ(fake[IDC_OUT_RELAY + 5].text + "," + fake[IDC_OUT_RELAY + 6].text, "99,0");
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.auxTerminalFunction[2], 400 & 0xFF);
    const uint8_t relays[7] = {0, 0, 0, 7, 0, 99, 0};
    EXPECT_EQ(std::memcmp(working.relayFunction, relays, 7), 0);
}

// Seven segments again give terminal 4 its code back; an auxiliary type outside the list reads
// as 0.
TEST_F(PageTest, OutputsIndicatorAndAuxiliaryType) {
    for (int j = 0; j < 4; ++j)
        working.auxTerminalFunction[j] = (uint8_t)(10 + j);
    working.optionFlags = kOptionSegments14, working.auxOutputType = 9;
    Open(IDD_PAGE_OUTPUTS);
    EXPECT_EQ(fake.Selected(IDC_OUT_AUX_TYPE), "<none>");
    EXPECT_FALSE(fake[IDC_OUT_TERMINAL + 3].enabled || fake[IDC_OUT_TERMINAL_SPIN + 3].enabled);
    fake.Click(page, IDC_OUT_SEG7, {IDC_OUT_SEG7, IDC_OUT_SEG14});
    EXPECT_TRUE(fake[IDC_OUT_TERMINAL + 3].enabled);
    EXPECT_TRUE(Leave());
    EXPECT_EQ((Ints{working.optionFlags & kOptionSegments14, working.auxTerminalFunction[3],
                    working.auxOutputType}),
              (Ints{0, 13, 0}));
    fake[IDC_OUT_AUX_TYPE].selection = 7;
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.auxOutputType, 8);
}

TEST_F(PageTest, TimesRefusalsNameTheTimerAndItsUnitInFieldOrder) {
    const std::pair<int, const char*> cases[] = {
        {IDC_TIM_TGEN, "El tiempo de generador debe estar entre 0 y 255 minutos."},
        {IDC_TIM_TINHP, W1252("El tiempo de inhibición de parada debe estar entre 0 y 255 "
                              "décimas de segundo.")},
    };
    for (const auto& [id, message] : cases) {
        Open(IDD_PAGE_TIMES);
        fake[id].text = "256";
        EXPECT_FALSE(Leave());
        EXPECT_EQ(fake.boxes.back().caption, W1252("Atención"));
        EXPECT_EQ(Message(), message);
    }
    Open(IDD_PAGE_TIMES);
    EXPECT_TRUE(fake[IDC_TIM_TEP + IDC_TIM_LABEL_OFFSET].enabled);
    fake[IDC_TIM_TEP].text = "7";
    fake[IDC_TIM_TACEB].text = "999"; // left column, later field
    fake[IDC_TIM_TNIV0].text = "300"; // right column, earlier field
    EXPECT_FALSE(Leave());
    EXPECT_EQ(Message(), "El tiempo a descanso en nivel 0 debe estar entre 0 y 255 minutos.");
    EXPECT_EQ(working.TEP, 1);
}

TEST_F(PageTest, DoorManualListsNoAttemptsAndKeepsTheAutomaticSettings) {
    working.doorMode = 8, working.preOpening = working.alwaysOpenOnArrival = 1;
    working.closeAttempts = 3, working.screenSystem = 3;
    Open(IDD_PAGE_DOOR);
    EXPECT_FALSE(fake[IDC_DOOR_MAX_ZONE].enabled || fake[IDC_DOOR_MAX_ZONE].checked) << "screens 3";
    fake.Click(page, IDC_DOOR_MANUAL, {IDC_DOOR_MANUAL, IDC_DOOR_AUTOMATIC});
    EXPECT_FALSE(fake[IDC_DOOR_PREOPENING].checked || fake[IDC_DOOR_PREOPENING].enabled);
    for (int id : {IDC_DOOR_CLOSE_ATTEMPTS, IDC_DOOR_OPEN_ATTEMPTS})
        EXPECT_TRUE(fake[id].items.empty() && !fake[id].enabled) << id;
    EXPECT_TRUE(Leave());
    EXPECT_EQ(working.doorMode, 0);
    EXPECT_TRUE(working.preOpening && working.alwaysOpenOnArrival);
    EXPECT_EQ(working.closeAttempts, 3);
    // Back to automatic from the empty lists: the stored attempts, not the unselected default.
    fake.Click(page, IDC_DOOR_AUTOMATIC, {IDC_DOOR_MANUAL, IDC_DOOR_AUTOMATIC});
    EXPECT_EQ(fake.Selected(IDC_DOOR_CLOSE_ATTEMPTS), " 3");
}

TEST_F(PageTest, AdvancedCorrectsStationsAndLimitsAboveTheirLists) {
    working.stopCount = 8, working.duplexMainStation = working.fireStation = 9;
    working.falseStopLimit = 10;
    Open(IDD_PAGE_ADVANCED);
    EXPECT_EQ(fake[IDC_ADV_REST].items.size(), 9u);
    EXPECT_EQ(fake[IDC_ADV_FIRE].items.front(), " 1");
    EXPECT_EQ(fake.Selected({IDC_ADV_FIRE, IDC_ADV_FALSE_STOPS}), "<none>| 0");
    EXPECT_TRUE(Leave());
    EXPECT_EQ((Ints{working.duplexMainStation, working.fireStation, working.falseStopLimit,
                    working.minLoadCabinCallLimit}),
              (Ints{0, 1, 0, 3}));
}

// The duplex settings belong to the duplex master (its rest doors with an automatic door); the
// supervision port keeps the other option bits and the announcer, which port 3 has not.
TEST_F(PageTest, AdvancedDuplexSettingsAndThePort) {
    working.controllerFunction = 3, working.doorMode = 1;
    Open(IDD_PAGE_ADVANCED);
    EXPECT_TRUE(fake[IDC_ADV_MAIN_CLOSED].enabled);
    working.controllerFunction = 1, working.duplexMainStation = 5;
    working.secondaryRestsDoorClosed = working.specialVoiceAnnouncer = 1;
    working.optionFlags = kOptionReleveling | kOptionSegments14;
    Open(IDD_PAGE_ADVANCED);
    for (int id : {IDC_ADV_DUPLEX_GROUP, IDC_ADV_SECONDARY_LABEL, IDC_ADV_MAIN_CLOSED})
        EXPECT_FALSE(fake[id].enabled) << id;
    fake.Choose(page, IDC_ADV_PORT, "3 - TTL");
    EXPECT_FALSE(fake[IDC_ADV_ANNOUNCER].enabled);
    EXPECT_TRUE(Leave());
    EXPECT_EQ((Ints{working.duplexMainStation, working.secondaryRestsDoorClosed,
                    working.specialVoiceAnnouncer, working.optionFlags}),
              (Ints{5, 1, 1, kOptionReleveling | kOptionSegments14 | (3 << 1)}));
    fake.Choose(page, IDC_ADV_PORT, "1 - RS-232C");
    EXPECT_TRUE(fake[IDC_ADV_ANNOUNCER].enabled);
}

// Every page left untouched gives back its image, for two images with every option reversed.
TEST_F(PageTest, EveryPageLeftUntouchedKeepsTheImage) {
    for (int variant = 0; variant < 2; ++variant) {
        ControllerConfig c = MakeEmptyConfig();
        std::snprintf(c.siteName, sizeof c.siteName, "OBRA %d", variant);
        c.systemNumber = 4321, c.cabinNumber = variant ? 5 : 1, c.carSpeed = variant ? 150 : 63;
        c.controllerFunction = variant ? 1 : 3, c.controlType = variant ? 2 : 3;
        c.stopCount = variant ? 20 : 12, c.firstServedStop = variant ? 1 : 2;
        c.lastServedStop = variant ? 2 : 9;
        c.screenSystem = variant ? 4 : 1, c.optionFlags = variant ? 1 | 8 | 2 << 1 : 3 << 1;
        c.independentHallButtons = (uint8_t)variant, c.auxOutputType = variant ? 8 : 2;
        rebuildServedStopFlags(c);
        for (int i = 0; i < kMaxStops; ++i) {
            std::snprintf(c.stopNames[i], kStopNameSize, "%c%d", 'A' + variant, i % 10);
            c.stopDoors[i] = (uint8_t)((i + variant) % 4);
            if (i >= 2 && i < 8) c.stopCallsNotServed[i] = (uint8_t)((i + variant) % 6);
        }
        for (int k = 0; k < kRelayCount; ++k)
            c.relayFunction[k] = (uint8_t)(k * 3 + variant);
        for (int k = 0; k < kAuxTerminalCount; ++k)
            c.auxTerminalFunction[k] = (uint8_t)(variant && k >= 2 ? 0 : 40 + k); // 14 segments
        for (int t = 0; t < kTimerCount; ++t)
            (&c.TEP)[t] = (uint8_t)(t * 15 + variant);
        c.doorMode = variant ? 0 : 1 + 4, c.preOpening = c.alwaysOpenOnArrival = (uint8_t)variant;
        c.closeAttempts = variant ? 4 : 1, c.openAttempts = variant ? 1 : 3;
        c.preClosingContact = (uint8_t)!variant;
        c.restStation = variant ? 20 : 0, c.fireStation = variant ? 1 : 12;
        c.duplexMainStation = variant ? 0 : 11, c.duplexSecondaryStation = variant ? 0 : 3;
        c.falseStopLimit = variant ? 9 : 0, c.minLoadCabinCallLimit = variant ? 0 : 9;
        c.mainRestsDoorClosed = (uint8_t)variant, c.secondaryRestsDoorClosed = (uint8_t)!variant;
        c.specialVoiceAnnouncer = (uint8_t)!variant;
        for (int i = 0; i < kEditorPageCount; ++i) {
            working = c, fake.controls.clear(); // each page its own window
            Open(kEditorPages[i].dialogId);
            EXPECT_TRUE(Leave());
            EXPECT_EQ(std::memcmp(&working, &c, sizeof c), 0)
                << "page " << kEditorPages[i].dialogId << " variant " << variant;
        }
    }
}

// Each page's help table, read as the help window reads it, against data/page_help.txt.
TEST(EditorHelp, EveryControlsContext) {
    std::ifstream in(std::string(ZRT_SOURCE_DIR) + "/tests/unit/data/page_help.txt");
    int dialog, control, context, read = 0;
    for (std::string line; std::getline(in, line);) {
        if (std::sscanf(line.c_str(), "%d %d %d", &dialog, &control, &context) != 3) continue;
        uint32_t scratch[4], found = 0;
        bool known = HelpContextForControl(EditorHelpTable(PageRow(dialog), control, scratch),
                                           (uint32_t)control, &found);
        EXPECT_EQ(known ? (int)found : 0, context) << dialog << " " << control;
        ++read;
    }
    EXPECT_EQ(read, 124);
}

} // namespace
