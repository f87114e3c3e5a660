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

TEST_F(OutputsPage, TypedCodeKeepsItsLowEightBits) {
    Open();
    EXPECT_EQ(fake[IDC_OUT_SPEC_GROUP].text, "");
    EXPECT_EQ(fake[IDC_OUT_DESCRIPTION].text, "");
    fake.Type(page, IDC_OUT_TERMINAL + 2, "400");
    EXPECT_EQ(fake[IDC_OUT_SPEC_GROUP].text, W1252("Especificación de salida auxiliar 3:"));
    EXPECT_EQ(fake[IDC_OUT_DESCRIPTION].text, W1252("144 - Código sin especificación."));
    fake.Type(page, IDC_OUT_RELAY + 1, "abc");
    fake.Type(page, IDC_OUT_RELAY + 2, "-5");
    fake.Type(page, IDC_OUT_RELAY + 3, "  7x");
    page.OnSpin(fake.pc, IDC_OUT_RELAY_SPIN + 4, SpinStep::Other);
    EXPECT_EQ(fake.focus, IDC_OUT_RELAY + 4);
    EXPECT_TRUE(page.Leave(fake.pc, working));
    EXPECT_EQ(working.auxTerminalFunction[2], 400 & 0xFF);
    EXPECT_EQ(working.relayFunction[1], 0);
    EXPECT_EQ(working.relayFunction[2], 0);
    EXPECT_EQ(working.relayFunction[3], 7);
    EXPECT_EQ(working.relayFunction[4], 0);
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

} // namespace
