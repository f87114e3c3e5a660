// The Stops and Outputs pages through a fake control map.
#include "fake_page_controls.h"

#include "app/cp1252.h"
#include "app/message_box.h"
#include "res/resource.h"

#include <cstring>

namespace {

struct StopsPage : ::testing::Test {
    FakePage fake;
    ControllerConfig working = MakeEmptyConfig();
    EditorPage page;

    void Open() { page = ActivePage(EditorPageKind::Stops, fake, working); }
};

TEST_F(StopsPage, NameOfThreeCharactersIsRefusedNamingItsStop) {
    Open();
    fake[IDC_STP_NAME + 0].text = "PB";
    fake[IDC_STP_NAME + 6].text = "ABC";
    fake[IDC_STP_NAME + 7].text = "X";
    EXPECT_FALSE(page.Leave(fake.pc, working));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text,
              W1252("El nombre de la parada 7 no puede tener más de 2 caracteres."));
    EXPECT_EQ(fake.boxes[0].caption, W1252("Atención"));
    EXPECT_EQ(fake.boxes[0].flags, mb::Ok | mb::IconExclamation);
    EXPECT_STREQ(page.copy.stopNames[0], "PB") << "stops before the failure are read";
    EXPECT_STREQ(page.copy.stopNames[7], "??") << "stops after it are not";
    EXPECT_STREQ(working.stopNames[0], "??");

    fake[IDC_STP_NAME + 6].text = "";
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_STREQ(working.stopNames[6], "");
    EXPECT_STREQ(working.stopNames[7], "X");
}

TEST_F(StopsPage, RowsPastTheStopCountAreHiddenAndKeepTheirValues) {
    working.stopCount = 10;
    working.lastServedStop = 10;
    std::memcpy(working.stopNames[15], "Z9", 3);
    working.stopDoors[15] = 3;
    working.stopCallsNotServed[15] = 5;
    Open();
    for (int i = 0; i < kMaxStops; ++i)
        for (int base : {IDC_STP_NUMBER, IDC_STP_NAME, IDC_STP_DOOR1, IDC_STP_DOOR2, IDC_STP_NO_UP,
                         IDC_STP_NO_DOWN, IDC_STP_NO_CABIN})
            EXPECT_EQ(fake[base + i].visible, i < 10) << base + i;
    fake[IDC_STP_NAME + 15].text = "QQQ";
    fake[IDC_STP_NO_CABIN + 15].checked = false;
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_STREQ(working.stopNames[15], "Z9");
    EXPECT_EQ(working.stopDoors[15], 3);
    EXPECT_EQ(working.stopCallsNotServed[15], 5);
}

TEST_F(StopsPage, CallBoxesOutsideTheServedRangeAreDisabledButRead) {
    working.stopCount = 12;
    working.firstServedStop = 3;
    working.lastServedStop = 10;
    rebuildServedStopFlags(working);
    Open();
    for (int stop = 1; stop <= 24; ++stop) {
        int i = stop - 1;
        bool served = stop >= 3 && stop <= 10;
        EXPECT_EQ(fake[IDC_STP_NO_CABIN + i].enabled, served) << stop;
        EXPECT_EQ(fake[IDC_STP_NO_UP + i].enabled, served && stop != 10) << stop;
        EXPECT_EQ(fake[IDC_STP_NO_DOWN + i].enabled, served && stop != 3) << stop;
    }
    EXPECT_TRUE(fake[IDC_STP_NO_UP + 10].checked && fake[IDC_STP_NO_DOWN + 10].checked &&
                fake[IDC_STP_NO_CABIN + 10].checked);
    EXPECT_TRUE(fake[IDC_STP_NO_UP + 9].checked);

    fake[IDC_STP_NO_CABIN + 4].checked = true;
    fake[IDC_STP_NO_UP + 4].checked = true;
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.stopCallsNotServed[4], 5);
    EXPECT_EQ(working.stopCallsNotServed[0], 7);
    EXPECT_EQ(working.stopCallsNotServed[2], 2);
}

TEST_F(StopsPage, DoorBoxesNeedAnOutputWithTheirDoorFunction) {
    Open();
    for (int i = 0; i < kMaxStops; ++i) {
        EXPECT_FALSE(fake[IDC_STP_DOOR1 + i].enabled);
        EXPECT_FALSE(fake[IDC_STP_DOOR2 + i].enabled);
    }
    EXPECT_TRUE(fake[IDC_STP_DOOR1].checked);
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.stopDoors[0], 1);

    working.auxTerminalFunction[1] = 62;
    Open();
    EXPECT_FALSE(fake[IDC_STP_DOOR1 + 5].enabled);
    EXPECT_TRUE(fake[IDC_STP_DOOR2 + 5].enabled);
    fake[IDC_STP_DOOR2 + 5].checked = true;
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.stopDoors[5], 3);

    working.relayFunction[17] = 65;
    Open();
    EXPECT_TRUE(fake[IDC_STP_DOOR1 + 5].enabled);
}

TEST_F(StopsPage, StopCountOutsideTheImageIsBounded) {
    working.stopCount = 200;
    Open();
    EXPECT_TRUE(fake[IDC_STP_NAME + 23].visible);
    EXPECT_TRUE(page.Leave(fake.pc, working));
    working.stopCount = 0;
    Open();
    EXPECT_FALSE(fake[IDC_STP_NAME].visible);
    EXPECT_TRUE(page.Leave(fake.pc, working));
}

struct OutputsPage : ::testing::Test {
    FakePage fake;
    ControllerConfig working = MakeEmptyConfig();
    EditorPage page;

    void Open() { page = ActivePage(EditorPageKind::Outputs, fake, working); }
};

TEST_F(OutputsPage, TypedCodeTitlesTheGroupAndDescribesTheFunction) {
    Open();
    EXPECT_EQ(fake[IDC_OUT_SPEC_GROUP].text, "");
    EXPECT_EQ(fake[IDC_OUT_DESCRIPTION].text, "");
    fake.Type(page, IDC_OUT_RELAY + 4, "20");
    EXPECT_EQ(fake[IDC_OUT_SPEC_GROUP].text, W1252("Especificación del relé 5:"));
    EXPECT_EQ(fake[IDC_OUT_DESCRIPTION].text,
              "20 - GON  Gong" + std::string(28, ' ') + "\r" +
                  W1252("Se activa al llegar a piso y permanece cerrado un tiempo TGON "
                        "(\"Tiempo de gong\"). Se activa si hay llamadas externas. (Ver "
                        "también relé 90)"));

    fake.Type(page, IDC_OUT_TERMINAL + 2, "150");
    EXPECT_EQ(fake[IDC_OUT_SPEC_GROUP].text, W1252("Especificación de salida auxiliar 3:"));
    EXPECT_EQ(fake[IDC_OUT_DESCRIPTION].text, W1252("150 - Código sin especificación."));
    fake.Type(page, IDC_OUT_RELAY + 0, "300");
    fake.Type(page, IDC_OUT_RELAY + 1, "abc");
    fake.Type(page, IDC_OUT_RELAY + 2, "-5");
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.relayFunction[4], 20);
    EXPECT_EQ(working.auxTerminalFunction[2], 150);
    EXPECT_EQ(working.relayFunction[0], 300 & 0xFF);
    EXPECT_EQ(working.relayFunction[1], 0);
    EXPECT_EQ(working.relayFunction[2], 0);
}

TEST_F(OutputsPage, SpinArrowsStopAtTheCatalogueEnds) {
    working.relayFunction[0] = 99;
    working.relayFunction[1] = 0;
    working.auxTerminalFunction[3] = 150;
    Open();
    page.OnSpin(fake.pc, IDC_OUT_RELAY_SPIN + 0, SpinStep::Up);
    EXPECT_EQ(fake[IDC_OUT_RELAY + 0].text, "99");
    EXPECT_EQ(fake.focus, IDC_OUT_RELAY + 0);
    page.OnSpin(fake.pc, IDC_OUT_RELAY_SPIN + 1, SpinStep::Down);
    EXPECT_EQ(fake[IDC_OUT_RELAY + 1].text, "0");
    page.OnSpin(fake.pc, IDC_OUT_RELAY_SPIN + 1, SpinStep::Up);
    page.OnSpin(fake.pc, IDC_OUT_RELAY_SPIN + 1, SpinStep::Other);
    EXPECT_EQ(fake[IDC_OUT_RELAY + 1].text, "1");
    page.OnSpin(fake.pc, IDC_OUT_TERMINAL_SPIN + 3, SpinStep::Up);
    EXPECT_EQ(fake[IDC_OUT_TERMINAL + 3].text, "150");
    page.OnSpin(fake.pc, IDC_OUT_TERMINAL_SPIN + 3, SpinStep::Down);
    EXPECT_EQ(fake[IDC_OUT_TERMINAL + 3].text, "149");
    EXPECT_EQ(fake.focus, IDC_OUT_TERMINAL + 3);
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.relayFunction[1], 1);
    EXPECT_EQ(working.auxTerminalFunction[3], 149);
}

TEST_F(OutputsPage, FourteenSegmentsStoreZeroInTerminalsThreeAndFour) {
    for (int j = 0; j < 4; ++j)
        working.auxTerminalFunction[j] = (uint8_t)(10 + j);
    Open();
    EXPECT_TRUE(fake[IDC_OUT_SEG7].checked);
    fake.Click(page, IDC_OUT_SEG14, {IDC_OUT_SEG7, IDC_OUT_SEG14});
    for (int id : {IDC_OUT_TERMINAL + 2, IDC_OUT_TERMINAL + 3, IDC_OUT_TERMINAL_SPIN + 2,
                   IDC_OUT_TERMINAL_SPIN + 3, IDC_OUT_TERMINAL3_LABEL, IDC_OUT_TERMINAL4_LABEL})
        EXPECT_FALSE(fake[id].enabled) << id;
    EXPECT_EQ(fake[IDC_OUT_TERMINAL + 2].text, "12") << "the typed codes stay in their edits";
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.optionFlags & kOptionSegments14, kOptionSegments14);
    EXPECT_EQ(working.auxTerminalFunction[1], 11);
    EXPECT_EQ(working.auxTerminalFunction[2], 0);
    EXPECT_EQ(working.auxTerminalFunction[3], 0);

    fake.Click(page, IDC_OUT_SEG7, {IDC_OUT_SEG7, IDC_OUT_SEG14});
    EXPECT_TRUE(fake[IDC_OUT_TERMINAL + 3].enabled);
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.optionFlags & kOptionSegments14, 0);
    EXPECT_EQ(working.auxTerminalFunction[3], 13);
}

TEST_F(OutputsPage, AuxiliaryOutputOutsideItsListReadsAsZero) {
    working.auxOutputType = 9;
    Open();
    EXPECT_EQ(fake.Selected(IDC_OUT_AUX_TYPE), "<none>");
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.auxOutputType, 0);
    fake[IDC_OUT_AUX_TYPE].selection = 7;
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.auxOutputType, 8);
}

// The four pages that a hall-call controller does without: all disabled, nothing filled or read.
TEST(SwitchedOffPages, HallCallControllerPassesTheirFieldsThrough) {
    ControllerConfig working = MakeEmptyConfig();
    working.controllerFunction = 0;
    working.relayFunction[3] = 44;
    working.TGON = 200;
    working.doorMode = 3;
    working.restStation = 30;
    const ControllerConfig before = working;
    for (EditorPageKind kind : {EditorPageKind::Outputs, EditorPageKind::Times,
                                EditorPageKind::Door, EditorPageKind::Advanced}) {
        FakePage fake;
        fake.Create({100, 101, 103, 111, 200, 203, 1005, 776});
        EditorPage page = ActivePage(kind, fake, working);
        for (auto& entry : fake.controls) {
            EXPECT_FALSE(entry.second.enabled) << (int)kind << " control " << entry.first;
            EXPECT_EQ(entry.second.text, "") << (int)kind << " control " << entry.first;
            entry.second.text = "999";
        }
        page.OnCommand(fake.pc, 203, 0x300);
        page.OnSpin(fake.pc, 303, SpinStep::Up);
        EXPECT_TRUE(page.Leave(fake.pc, working));
        EXPECT_TRUE(fake.boxes.empty());
        EXPECT_EQ(std::memcmp(&before, &working, sizeof working), 0) << (int)kind;
    }
}

TEST(SwitchedOffPages, StopsPageStaysEnabledForAHallCallController) {
    ControllerConfig working = MakeEmptyConfig();
    working.controllerFunction = 0;
    working.relayFunction[0] = 61;
    FakePage fake;
    fake.Create({IDC_STP_NAME, IDC_STP_NO_CABIN + 4});
    fake[IDC_STP_NAME].enabled = false;
    ActivePage(EditorPageKind::Stops, fake, working);
    EXPECT_TRUE(fake[IDC_STP_NAME].enabled);
    EXPECT_TRUE(fake[IDC_STP_NO_CABIN + 4].enabled);
    EXPECT_EQ(fake[IDC_STP_NAME].text, "??");
}

} // namespace
