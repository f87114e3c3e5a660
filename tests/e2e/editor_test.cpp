// The configuration editor as a technician meets it, in one start: the six pages, a refusal
// that keeps the page, what the pages switch on and off for each other, spin arrows, help, and
// what reaches the document (read back from the file that Save writes). The pages' own rules
// are tested below the windows (tests/unit/editor_pages_test.cpp).
#include "steps.h"

#include <cstring>

namespace {

using namespace e2e;

enum PageIndex { kGeneral, kOutputs, kStops, kTimes, kDoor, kAdvanced };

// The open property sheet and its current page.
struct Editor {
    App& app;
    Dialog sheet = {};
    const std::string kCaption = W1252("Configuración del controlador");

    bool Open() {
        sheet = app.Command(CMD_EDIT_CONFIG) ? app.ExpectDialog("the editor") : Dialog();
        return sheet.Caption() == kCaption;
    }
    Dialog Page() const {
        return Dialog{(HWND)SendMessageA(sheet.hwnd, PSM_GETCURRENTPAGEHWND, 0, 0), &app};
    }
    // As a click on the tab: the page being left may refuse, with its message.
    bool GoTo(int index) {
        PostMessageA(sheet.hwnd, PSM_SETCURSEL, index, 0);
        app.WaitIdle();
        HWND tabs = (HWND)SendMessageA(sheet.hwnd, PSM_GETTABCONTROL, 0, 0);
        return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == index;
    }
    void Type(int id, const std::string& text) {
        EXPECT_TRUE(Page().SetItemText(id, text)) << "control " << id;
        app.WaitIdle();
    }
    // Picks a list entry by its text: the selection changes and the page hears of it.
    void Choose(int id, const std::string& text) {
        HWND list = Page().Item(id);
        EXPECT_NE(SendWithTimeout(list, CB_SELECTSTRING, -1, (LPARAM)text.c_str()), CB_ERR) << id;
        PostMessageA(Page().hwnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)list);
        app.WaitIdle();
    }
};

// A document with something on every page: a duplex master with 24 stops and an automatic door.
ControllerConfig SampleImage() {
    ControllerConfig image = MakeEmptyConfig();
    image.systemNumber = 12345;
    image.controllerFunction = 3;
    image.controlType = 4;
    image.stopCount = image.lastServedStop = 24;
    rebuildServedStopFlags(image);
    image.doorMode = 6;
    std::snprintf(image.siteName, sizeof image.siteName, "%s", "Edificio Torre Norte");
    std::memcpy(image.stopNames[0], "PB", 3);
    std::memcpy(image.stopNames[23], "SS", 3);
    const uint8_t relays[kRelayCount] = {1, 2, 3, 4, 20, 61, 62, 14, 15,
                                         0, 0, 0, 0, 0,  0,  0,  0,  36};
    std::memcpy(image.relayFunction, relays, sizeof relays);
    image.stopDoors[2] = 3;
    image.duplexSecondaryStation = 12;
    return image;
}

TEST(Editor, SixPagesRefusalsHelpAndWhatReachesTheDocument) {
    App app;
    ASSERT_TRUE(LaunchWith(app, SampleImage()));
    Editor editor{app};
    ASSERT_TRUE(editor.Open());
    const char* shots[] = {"editor_1_general", "editor_2_outputs", "editor_3_stops",
                           "editor_4_times",   "editor_5_door",    "editor_6_advanced"};
    for (int page = kGeneral; page <= kAdvanced; ++page) {
        ASSERT_TRUE(editor.GoTo(page));
        if (page == kOutputs) editor.Type(IDC_OUT_RELAY + 17, "36"); // a description to show
        // Pictured once the sheet has painted everything the last step changed.
        SetCursorPos(0, 0);
        RedrawWindow(editor.sheet.hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
        app.WaitIdle();
        EXPECT_TRUE(SaveScreenshot(editor.sheet.hwnd, shots[page]));
    }
    // Cancel leaves the document as it was.
    EXPECT_TRUE(editor.sheet.Press(IDCANCEL));
    ExpectDocument(app, 12345, false);

    // A refused value keeps the page.
    ASSERT_TRUE(editor.Open());
    editor.Type(IDC_GEN_SYSTEM_NUMBER, "0");
    EXPECT_FALSE(editor.GoTo(kOutputs));
    ExpectBox(app, kDefaultCaption, W1252("El número de serie debe estar entre 1 y 65535"), IDOK,
              {editor.kCaption});
    EXPECT_TRUE(editor.sheet.IsOpen());
    editor.Type(IDC_GEN_SYSTEM_NUMBER, "4321");
    editor.Choose(IDC_GEN_STOPS, "10");

    // Outputs: an arrow steps a code (relay 3 to 4); 14 segments switch terminal 4 off; relay 6
    // no longer opens door 1.
    ASSERT_TRUE(editor.GoTo(kOutputs));
    Dialog page = editor.Page();
    PostMessageA(page.hwnd, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0),
                 (LPARAM)page.Item(IDC_OUT_RELAY_SPIN + 2));
    page.Click(IDC_OUT_SEG14);
    EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_OUT_TERMINAL + 3)));
    editor.Type(IDC_OUT_RELAY + 5, "0");

    // Stops: rows past the count are hidden; the door boxes follow the relays.
    ASSERT_TRUE(editor.GoTo(kStops));
    page = editor.Page();
    for (int i = 0; i < kMaxStops; ++i)
        for (int base : {IDC_STP_NUMBER, IDC_STP_NAME, IDC_STP_DOOR2, IDC_STP_NO_CABIN})
            EXPECT_EQ(IsWindowVisible(page.Item(base + i)) != FALSE, i < 10) << base + i;
    EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_STP_DOOR1)));
    EXPECT_TRUE(IsWindowEnabled(page.Item(IDC_STP_DOOR2 + 9)));
    page.Click(IDC_STP_DOOR2 + 3);

    // Help: the sheet's button, and a right-click on stop 1's "D" box, which is disabled (first
    // served stop): it reaches the page, and "¿Qué es esto?" is the menu's first item. (F1 on a
    // field is the Shell scenario's.)
    editor.sheet.Press(IDHELP);
    EXPECT_TRUE(WaitForHelpTopic(app, editor.kCaption));
    ASSERT_FALSE(IsWindowEnabled(page.Item(IDC_STP_NO_DOWN)));
    RECT r;
    GetWindowRect(page.Item(IDC_STP_NO_DOWN), &r);
    SetForegroundWindow(editor.sheet.hwnd);
    PostMessageA(page.hwnd, WM_CONTEXTMENU, (WPARAM)page.hwnd,
                 MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    EXPECT_TRUE(WaitUntil([] { return FindWindowA("#32768", nullptr) != nullptr; }));
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ExpectPopUp(app, W1252("Marcada, el ascensor no atiende en esta parada las llamadas de piso "
                           "para bajar."));

    ASSERT_TRUE(editor.sheet.Press(IDOK));
    EXPECT_TRUE(app.WaitForTitle(Title(4321))) << app.Title();
    ASSERT_TRUE(app.Command(CMD_SAVE));
    const std::string saved = JoinPath(TestFolder(), "A04321_1.Z94");
    EXPECT_EQ(app.StatusText(0), W1252("Configuración guardada en ") + saved);
    ControllerConfig s = ConfigIn(saved);
    EXPECT_EQ(std::tuple(+s.stopCount, +s.lastServedStop, std::string(s.stopNames[23]),
                         s.optionFlags & kOptionSegments14, +s.stopDoors[3]),
              std::tuple(10, 10, "SS", kOptionSegments14, 3))
        << "hidden rows keep their values";
    EXPECT_EQ(std::vector<int>(s.relayFunction, s.relayFunction + 6),
              (std::vector<int>{1, 2, 4, 4, 20, 0}));
}

} // namespace
