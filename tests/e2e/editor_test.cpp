// The configuration editor as a technician meets it: the six pages, their refusals, what they
// switch on and off, and what reaches the document. Stored values are prepared as a file opened
// from the command line; results are read back from the file that Save writes.
#include "steps.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {

using namespace e2e;

enum PageIndex { kGeneral, kOutputs, kStops, kTimes, kDoor, kAdvanced };

// The open property sheet and the controls of its current page.
class Editor {
  public:
    explicit Editor(App& app) : app_(app) {}

    bool Open() {
        if (!app_.Command(CMD_EDIT_CONFIG)) return false;
        sheet_ = app_.ExpectDialog("the configuration editor");
        return sheet_ && sheet_.Caption() == W1252("Configuración del controlador");
    }
    bool IsOpen() const { return sheet_.IsOpen(); }
    HWND Sheet() const { return sheet_.Handle(); }
    HWND Page() const {
        return reinterpret_cast<HWND>(SendMessageA(Sheet(), PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    int CurrentPage() const {
        HWND tabs = reinterpret_cast<HWND>(SendMessageA(Sheet(), PSM_GETTABCONTROL, 0, 0));
        return (int)SendMessageA(tabs, TCM_GETCURSEL, 0, 0);
    }
    // As a click on the tab: the page being left may refuse, with its message.
    bool GoTo(int index) {
        PostMessageA(Sheet(), PSM_SETCURSEL, index, 0);
        app_.WaitIdle();
        return CurrentPage() == index;
    }
    // OK and Cancel as their buttons; true when the sheet closed.
    bool Ok() { return PressSheetButton(IDOK); }
    bool Cancel() { return PressSheetButton(IDCANCEL); }

    HWND Item(int id) const { return GetDlgItem(Page(), id); }
    std::string Text(int id) const { return e2e::ControlText(Item(id)); }
    void Type(int id, const std::string& text) {
        EXPECT_TRUE(Dialog(Page(), &app_).SetItemText(id, text)) << "control " << id;
        app_.WaitIdle();
    }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Shown(int id) const { return (GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::vector<std::string> Items(int id) const { return e2e::ListItems(Item(id)); }
    std::string Selected(int id) const {
        int index = (int)SendMessageA(Item(id), CB_GETCURSEL, 0, 0);
        std::vector<std::string> items = Items(id);
        return index < 0 || index >= (int)items.size() ? "<none>" : items[index];
    }
    // Picks a list entry by its text: the selection changes and the page hears of it.
    void Choose(int id, const std::string& text) {
        std::vector<std::string> items = Items(id);
        auto it = std::find(items.begin(), items.end(), text);
        ASSERT_NE(it, items.end()) << "list " << id << " has no \"" << text << "\"";
        SendMessageA(Item(id), CB_SETCURSEL, it - items.begin(), 0);
        PostMessageA(Page(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)Item(id));
        app_.WaitIdle();
    }
    void Click(int id) {
        PostMessageA(Item(id), BM_CLICK, 0, 0);
        app_.WaitIdle();
    }
    void Spin(int barId, int request) {
        PostMessageA(Page(), WM_VSCROLL, MAKEWPARAM(request, 0), (LPARAM)Item(barId));
        app_.WaitIdle();
    }
    // A picture of the sheet once it has painted everything the last step changed.
    bool Screenshot(const std::string& name) {
        SetCursorPos(0, 0);
        RedrawWindow(Sheet(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
        app_.WaitIdle();
        return e2e::SaveScreenshot(Sheet(), name);
    }
    void PressHelp() {
        PostMessageA(Sheet(), WM_COMMAND, MAKEWPARAM(IDHELP, BN_CLICKED),
                     (LPARAM)GetDlgItem(Sheet(), IDHELP));
        app_.WaitIdle();
    }
    // A right-click on a control, enabled or not, and "¿Qué es esto?" in the menu it brings.
    void RightClickWhatsThis(int id) {
        SetForegroundWindow(Sheet());
        RECT r;
        GetWindowRect(Item(id), &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        SendInput(2, clicks, sizeof(INPUT));
        EXPECT_TRUE(WaitUntil([] { return FindWindowA("#32768", nullptr) != nullptr; }))
            << "no menu";
        PressKey(VK_DOWN);
        PressKey(VK_RETURN);
    }
    // Every child control of the current page is disabled.
    bool AllDisabled() const {
        int children = 0;
        for (HWND c = GetWindow(Page(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT), ++children)
            if (IsWindowEnabled(c)) return false;
        return children > 0;
    }

    // The warning a page shows, checked and answered; the sheet stays open behind it.
    void ExpectWarning(const std::string& caption, const std::string& text) {
        Dialog box = app_.FindDialog();
        ASSERT_TRUE(box && box.Handle() != Sheet()) << "expected \"" << text << "\"";
        ExpectBox(box, caption, text, Icon::Exclamation);
        EXPECT_TRUE(IsOpen());
    }
    // OK refused for `typed` in field `id` of the current page, with its warning.
    void ExpectRefused(int id, const std::string& typed, const std::string& caption,
                       const std::string& text) {
        Type(id, typed);
        EXPECT_FALSE(Ok()) << typed;
        ExpectWarning(caption, text);
    }

  private:
    bool PressSheetButton(int id) {
        PostMessageA(Sheet(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     (LPARAM)GetDlgItem(Sheet(), id));
        app_.WaitIdle();
        return !sheet_.IsOpen();
    }

    App& app_;
    Dialog sheet_;
};

// Saves the document (under its recommended name, which must be `name`) and reads it back.
ControllerConfig SavedImage(App& app, const char* name) {
    ControllerConfig image{};
    EXPECT_TRUE(app.Command(CMD_SAVE));
    EXPECT_FALSE(app.FindDialog()) << app.FindDialog().Describe();
    std::optional<Bytes> bytes = ReadFileBytes(JoinPath(TestFolder(), name));
    EXPECT_TRUE(bytes && DecodeConfigFile(bytes->data(), (int)bytes->size(), image))
        << name << " was not written";
    return image;
}

class EditorTest : public ::testing::Test {
  protected:
    // Starts the program on a new configuration, or on `image`, and opens the editor.
    void Start(const ControllerConfig* image = nullptr) {
        ASSERT_TRUE(image ? LaunchWith(app, *image) : app.Launch());
        ASSERT_TRUE(editor.Open());
    }
    // OK closes the sheet; the file that Save writes then.
    ControllerConfig Accepted(const char* name = "A00001_1.Z94") {
        EXPECT_TRUE(editor.Ok());
        return SavedImage(app, name);
    }

    App app;
    Editor editor{app};
};

// ---------------------------------------------------------------------------------------------
// Refusals: OK and a change of page are refused with the field's message, and what was typed
// stays.

TEST_F(EditorTest, RefusedValuesKeepThePageAndTheSheet) {
    ControllerConfig image = MakeEmptyConfig();
    image.carSpeed = 0;
    Start(&image);
    EXPECT_EQ(editor.Text(IDC_GEN_SPEED), "80");
    const std::string system = W1252("El número de serie debe estar entre 1 y 65535");
    for (const char* typed : {"0", "65536", "abc"}) {
        editor.ExpectRefused(IDC_GEN_SYSTEM_NUMBER, typed, kDefaultCaption, system);
        EXPECT_EQ(editor.Text(IDC_GEN_SYSTEM_NUMBER), typed) << "what was typed stays";
        EXPECT_FALSE(editor.GoTo(kOutputs));
        editor.ExpectWarning(kDefaultCaption, system);
    }
    editor.Type(IDC_GEN_SYSTEM_NUMBER, "65535");

    editor.Choose(IDC_GEN_FUNCTION, W1252("1 - Esclavo de duplex o batería"));
    EXPECT_TRUE(editor.Enabled(IDC_GEN_CABIN));
    editor.ExpectRefused(IDC_GEN_CABIN, "7", kDefaultCaption,
                         W1252("El número cabina debe estar entre 1 y 6"));
    editor.Type(IDC_GEN_CABIN, "6");
    for (const char* typed : {"9", "201"})
        editor.ExpectRefused(IDC_GEN_SPEED, typed, kDefaultCaption,
                             "La velocidad del controlador debe estar entre 10 y 200 m/min");
    editor.Type(IDC_GEN_SPEED, "10");
    for (const char* function : {"2 - Controlador aislado", "3 - Maestro de duplex"}) {
        editor.Choose(IDC_GEN_FUNCTION, function);
        EXPECT_EQ(editor.Text(IDC_GEN_CABIN), "1") << function;
        EXPECT_FALSE(editor.Enabled(IDC_GEN_CABIN)) << function;
        EXPECT_TRUE(editor.Enabled(IDC_GEN_CABIN_LABEL)) << function;
    }

    ASSERT_TRUE(editor.GoTo(kStops));
    editor.ExpectRefused(IDC_STP_NAME + 6, "ABC", W1252("Atención"),
                         W1252("El nombre de la parada 7 no puede tener más de 2 caracteres."));
    editor.Type(IDC_STP_NAME + 6, "AB");

    ASSERT_TRUE(editor.GoTo(kTimes));
    editor.Type(IDC_TIM_TPA, "256");
    EXPECT_FALSE(editor.GoTo(kDoor));
    editor.ExpectWarning(W1252("Atención"),
                         "El tiempo de parada debe estar entre 0 y 255 segundos.");
    EXPECT_EQ(editor.CurrentPage(), kTimes);
    editor.Type(IDC_TIM_TPA, "255");

    ControllerConfig saved = Accepted("A65535_1.Z94");
    EXPECT_EQ(saved.systemNumber, 65535);
    EXPECT_EQ(saved.controllerFunction, 3);
    EXPECT_EQ(saved.cabinNumber, 1);
    EXPECT_EQ(saved.carSpeed, 10);
    EXPECT_STREQ(saved.stopNames[6], "AB");
    EXPECT_EQ(saved.TPA, 255);
}

// ---------------------------------------------------------------------------------------------
// General

TEST_F(EditorTest, TypeForSixteenStopsResetsTwentyStopsToTwo) {
    ControllerConfig image = MakeEmptyConfig();
    image.controlType = 4;
    image.stopCount = image.lastServedStop = 20;
    Start(&image);
    editor.Choose(IDC_GEN_TYPE, "3 - Colectivo sel. en ambas direcciones 16 par.");
    Dialog box = app.FindDialog();
    EXPECT_TRUE(!box || box.Handle() == editor.Sheet()) << box.Describe();
    EXPECT_EQ(editor.Selected(IDC_GEN_STOPS), " 2");
    EXPECT_EQ(editor.Items(IDC_GEN_STOPS).back(), "16");
    EXPECT_EQ(editor.Items(IDC_GEN_FIRST_SERVED), std::vector<std::string>{" 1"});
    EXPECT_EQ(editor.Selected(IDC_GEN_LAST_SERVED), " 2");
    ControllerConfig saved = Accepted();
    EXPECT_EQ(saved.controlType, 3);
    EXPECT_EQ(saved.stopCount, 2);
    EXPECT_EQ(saved.firstServedStop, 1);
    EXPECT_EQ(saved.lastServedStop, 2);
}

TEST_F(EditorTest, ServedRangeMayNotCloseAndFewerStopsRebuildTheCallsNotServed) {
    Start();
    editor.Choose(IDC_GEN_FIRST_SERVED, " 5");
    editor.Choose(IDC_GEN_LAST_SERVED, " 5");
    EXPECT_FALSE(editor.GoTo(kStops));
    editor.ExpectWarning(kDefaultCaption,
                         W1252("La última parada atendida debe ser mayor que la primera."));
    EXPECT_EQ(editor.CurrentPage(), kGeneral);
    editor.Choose(IDC_GEN_FIRST_SERVED, " 1");
    editor.Choose(IDC_GEN_STOPS, "10");
    EXPECT_EQ(editor.Selected(IDC_GEN_LAST_SERVED), "10");
    ASSERT_TRUE(editor.GoTo(kStops));
    EXPECT_TRUE(editor.Checked(IDC_STP_NO_UP + 9)) << "stop 10 shows the rebuilt flags";
    ControllerConfig saved = Accepted();
    EXPECT_EQ(saved.stopCount, 10);
    for (int stop = 11; stop <= 24; ++stop)
        EXPECT_EQ(saved.stopCallsNotServed[stop - 1], 7) << stop;
    EXPECT_EQ(saved.stopCallsNotServed[9], 4);
    EXPECT_EQ(saved.stopCallsNotServed[0], 2);
}

// ---------------------------------------------------------------------------------------------
// Stops

TEST_F(EditorTest, StopRowsPastTheCountAreHiddenAndDoorBoxesFollowTheDoorFunctions) {
    ControllerConfig image = MakeEmptyConfig();
    image.stopCount = image.lastServedStop = 10;
    rebuildServedStopFlags(image);
    std::memcpy(image.stopNames[15], "Z9", 3);
    image.stopDoors[15] = 3;
    image.stopCallsNotServed[15] = 5;
    Start(&image);
    ASSERT_TRUE(editor.GoTo(kStops));
    for (int i = 0; i < kMaxStops; ++i)
        for (int base : {IDC_STP_NUMBER, IDC_STP_NAME, IDC_STP_DOOR1, IDC_STP_DOOR2, IDC_STP_NO_UP,
                         IDC_STP_NO_DOWN, IDC_STP_NO_CABIN})
            EXPECT_EQ(editor.Shown(base + i), i < 10) << "control " << base + i;
    EXPECT_FALSE(editor.Enabled(IDC_STP_DOOR1));
    EXPECT_FALSE(editor.Enabled(IDC_STP_DOOR2 + 9));
    EXPECT_TRUE(editor.Checked(IDC_STP_DOOR1)) << "door 1 as stored";

    ASSERT_TRUE(editor.GoTo(kOutputs));
    editor.Type(IDC_OUT_RELAY + 0, "62");
    ASSERT_TRUE(editor.GoTo(kStops));
    EXPECT_FALSE(editor.Enabled(IDC_STP_DOOR1));
    EXPECT_TRUE(editor.Enabled(IDC_STP_DOOR2));
    EXPECT_TRUE(editor.Enabled(IDC_STP_DOOR2 + 9));
    editor.Click(IDC_STP_DOOR2 + 3);
    ControllerConfig saved = Accepted();
    EXPECT_STREQ(saved.stopNames[15], "Z9");
    EXPECT_EQ(saved.stopDoors[15], 3);
    EXPECT_EQ(saved.stopCallsNotServed[15], 5);
    EXPECT_EQ(saved.relayFunction[0], 62);
    EXPECT_EQ(saved.stopDoors[3], 3);
    EXPECT_EQ(saved.stopDoors[4], 1);
}

// ---------------------------------------------------------------------------------------------
// Outputs

TEST_F(EditorTest, OutputCodesAreDescribedAndSteppedAndFourteenSegmentsClearTerminals) {
    ControllerConfig image = MakeEmptyConfig();
    image.auxTerminalFunction[2] = 12;
    image.auxTerminalFunction[3] = 13;
    Start(&image);
    ASSERT_TRUE(editor.GoTo(kOutputs));
    editor.Type(IDC_OUT_RELAY + 4, "20");
    EXPECT_EQ(editor.Text(IDC_OUT_SPEC_GROUP), W1252("Especificación del relé 5:"));
    EXPECT_EQ(editor.Text(IDC_OUT_DESCRIPTION),
              "20 - GON  Gong" + std::string(28, ' ') + "\r" +
                  W1252("Se activa al llegar a piso y permanece cerrado un tiempo TGON "
                        "(\"Tiempo de gong\"). Se activa si hay llamadas externas. (Ver "
                        "también relé 90)"));
    editor.Type(IDC_OUT_TERMINAL + 1, "150");
    EXPECT_EQ(editor.Text(IDC_OUT_SPEC_GROUP), W1252("Especificación de salida auxiliar 2:"));
    EXPECT_EQ(editor.Text(IDC_OUT_DESCRIPTION), W1252("150 - Código sin especificación."));

    editor.Spin(IDC_OUT_RELAY_SPIN + 0, SB_LINEDOWN);
    EXPECT_EQ(editor.Text(IDC_OUT_RELAY + 0), "0");
    editor.Type(IDC_OUT_RELAY + 1, "99");
    editor.Spin(IDC_OUT_RELAY_SPIN + 1, SB_LINEUP);
    EXPECT_EQ(editor.Text(IDC_OUT_RELAY + 1), "99");
    editor.Spin(IDC_OUT_RELAY_SPIN + 2, SB_LINEUP);
    EXPECT_EQ(editor.Text(IDC_OUT_RELAY + 2), "1");
    EXPECT_EQ(editor.Text(IDC_OUT_SPEC_GROUP), W1252("Especificación del relé 3:"));
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    ASSERT_TRUE(GetGUIThreadInfo(app.ThreadId(), &focus));
    EXPECT_EQ(focus.hwndFocus, editor.Item(IDC_OUT_RELAY + 2)) << "the arrow focuses its edit";

    EXPECT_TRUE(editor.Checked(IDC_OUT_SEG7));
    editor.Click(IDC_OUT_SEG14);
    for (int id : {IDC_OUT_TERMINAL + 2, IDC_OUT_TERMINAL + 3, IDC_OUT_TERMINAL_SPIN + 2,
                   IDC_OUT_TERMINAL_SPIN + 3, IDC_OUT_TERMINAL3_LABEL, IDC_OUT_TERMINAL4_LABEL})
        EXPECT_FALSE(editor.Enabled(id)) << id;
    EXPECT_EQ(editor.Text(IDC_OUT_TERMINAL + 2), "12");

    ControllerConfig saved = Accepted();
    const uint8_t relays[5] = {0, 99, 1, 0, 20};
    EXPECT_EQ(std::memcmp(saved.relayFunction, relays, 5), 0);
    EXPECT_EQ(saved.optionFlags & kOptionSegments14, kOptionSegments14);
    const uint8_t terminals[4] = {0, 150, 0, 0};
    EXPECT_EQ(std::memcmp(saved.auxTerminalFunction, terminals, 4), 0);
}

// ---------------------------------------------------------------------------------------------
// Door and advanced

TEST_F(EditorTest, DoorOptionBitsAndTheMaximumZoneOfScreenSystemTwo) {
    ControllerConfig image = MakeEmptyConfig();
    image.doorMode = 6; // rests open, delayed opening
    Start(&image);
    ASSERT_TRUE(editor.GoTo(kDoor));
    EXPECT_TRUE(editor.Checked(IDC_DOOR_AUTOMATIC));
    EXPECT_TRUE(editor.Checked(IDC_DOOR_RESTS_OPEN));
    EXPECT_FALSE(editor.Checked(IDC_DOOR_MAX_ZONE));
    EXPECT_TRUE(editor.Checked(IDC_DOOR_DELAYED));
    editor.Click(IDC_DOOR_MAX_ZONE);
    ASSERT_TRUE(editor.GoTo(kGeneral)); // doorMode 8 now
    editor.Choose(IDC_GEN_SCREENS, "2 - EXS, EXD, PN para 2 velocidades");
    ASSERT_TRUE(editor.GoTo(kDoor));
    EXPECT_FALSE(editor.Enabled(IDC_DOOR_MAX_ZONE));
    EXPECT_FALSE(editor.Checked(IDC_DOOR_MAX_ZONE));
    EXPECT_EQ(Accepted().doorMode, 6);
}

TEST_F(EditorTest, DuplexMasterWithAManualDoorThenAnAutomaticOne) {
    ControllerConfig image = MakeEmptyConfig();
    image.controllerFunction = 3;
    image.stopCount = image.lastServedStop = 8;
    rebuildServedStopFlags(image);
    image.restStation = 12;
    image.fireStation = 0;
    image.specialVoiceAnnouncer = 1;
    image.closeAttempts = 4;
    image.openAttempts = 3;
    Start(&image);
    ASSERT_TRUE(editor.GoTo(kAdvanced));
    EXPECT_EQ(editor.Selected(IDC_ADV_REST), " 0");
    EXPECT_EQ(editor.Items(IDC_ADV_REST).back(), " 8");
    EXPECT_EQ(editor.Selected(IDC_ADV_FIRE), "<none>");
    // With a manual door: stations yes, resting with the door closed no.
    EXPECT_TRUE(editor.Enabled(IDC_ADV_MAIN));
    EXPECT_TRUE(editor.Enabled(IDC_ADV_SECONDARY));
    EXPECT_FALSE(editor.Enabled(IDC_ADV_MAIN_CLOSED));
    EXPECT_FALSE(editor.Enabled(IDC_ADV_SECONDARY_CLOSED));
    EXPECT_TRUE(editor.Enabled(IDC_ADV_ANNOUNCER));
    editor.Choose(IDC_ADV_PORT, "3 - TTL");
    EXPECT_FALSE(editor.Enabled(IDC_ADV_ANNOUNCER));
    EXPECT_TRUE(editor.Checked(IDC_ADV_ANNOUNCER));

    // Manual to automatic starts without options and keeps the attempts.
    ASSERT_TRUE(editor.GoTo(kDoor));
    EXPECT_TRUE(editor.Checked(IDC_DOOR_MANUAL));
    EXPECT_FALSE(editor.Enabled(IDC_DOOR_RESTS_OPEN));
    EXPECT_FALSE(editor.Enabled(IDC_DOOR_CLOSE_ATTEMPTS));
    editor.Click(IDC_DOOR_AUTOMATIC);
    EXPECT_TRUE(editor.Enabled(IDC_DOOR_RESTS_OPEN));
    EXPECT_FALSE(editor.Checked(IDC_DOOR_RESTS_OPEN));
    EXPECT_EQ(editor.Selected(IDC_DOOR_CLOSE_ATTEMPTS), " 4");

    ControllerConfig saved = Accepted();
    EXPECT_EQ(saved.restStation, 0);
    EXPECT_EQ(saved.fireStation, 1);
    EXPECT_EQ(saved.specialVoiceAnnouncer, 1);
    EXPECT_EQ(SupervisionPort(saved), 3);
    EXPECT_EQ(saved.doorMode, 1);
    EXPECT_EQ(saved.closeAttempts, 4);
    EXPECT_EQ(saved.openAttempts, 3);
}

// ---------------------------------------------------------------------------------------------
// The sheet and the document

TEST_F(EditorTest, CancelLeavesTheDocumentAndOkReplacesIt) {
    Start();
    for (bool accept : {false, true}) {
        EXPECT_EQ(editor.Text(IDC_GEN_SYSTEM_NUMBER), "1");
        editor.Type(IDC_GEN_SYSTEM_NUMBER, "4321");
        ASSERT_TRUE(editor.GoTo(kOutputs));
        EXPECT_EQ(editor.Text(IDC_OUT_RELAY + 0), "0");
        editor.Type(IDC_OUT_RELAY + 0, "20");
        ASSERT_TRUE(editor.GoTo(kTimes)); // both pages have handed their changes on
        if (accept) break;
        EXPECT_TRUE(editor.Cancel());
        EXPECT_EQ(app.Title(), Title(1));
        EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
        ASSERT_TRUE(editor.Open());
    }
    EXPECT_TRUE(editor.Ok());
    EXPECT_TRUE(app.WaitForTitle(Title(4321))) << app.Title();
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE));
    EXPECT_EQ(SavedImage(app, "A04321_1.Z94").relayFunction[0], 20);
}

TEST_F(EditorTest, HallCallControllerPassesTheSwitchedOffPagesThrough) {
    ControllerConfig image = MakeEmptyConfig();
    image.controllerFunction = 0;
    image.cabinNumber = 0;
    image.relayFunction[3] = 44;
    image.auxTerminalFunction[3] = 7;
    image.optionFlags = kOptionSegments14;
    image.TGON = 200;
    image.doorMode = 3;
    image.restStation = 30; // above the stops: the advanced page would correct it
    Start(&image);
    EXPECT_EQ(editor.Text(IDC_GEN_CABIN), "E");
    for (int page : {kOutputs, kTimes, kDoor, kAdvanced}) {
        ASSERT_TRUE(editor.GoTo(page));
        EXPECT_TRUE(editor.AllDisabled()) << "page " << page;
        if (page == kOutputs) {
            EXPECT_TRUE(editor.Screenshot("editor_outputs_function_0"));
        }
    }
    ASSERT_TRUE(editor.GoTo(kStops));
    EXPECT_TRUE(editor.Enabled(IDC_STP_NAME));
    ControllerConfig saved = Accepted("A00001_E.Z94");
    EXPECT_EQ(std::memcmp(&saved, &image, sizeof image), 0);
}

TEST_F(EditorTest, ScreenshotsOfEveryPage) {
    ControllerConfig image = MakeEmptyConfig();
    image.systemNumber = 12345;
    image.controllerFunction = 3;
    image.controlType = 4;
    image.stopCount = image.lastServedStop = 24;
    rebuildServedStopFlags(image);
    image.doorMode = 6;
    std::snprintf(image.siteName, sizeof image.siteName, "%s", "Edificio Torre Norte");
    for (int i = 0; i < kMaxStops; ++i)
        std::snprintf(image.stopNames[i], sizeof image.stopNames[i], "%d", i);
    std::memcpy(image.stopNames[0], "PB", 3);
    std::memcpy(image.stopNames[23], "SS", 3);
    const uint8_t relays[kRelayCount] = {1, 2, 3, 4, 20, 61, 62, 14, 15,
                                         0, 0, 0, 0, 0,  0,  0,  0,  36};
    std::memcpy(image.relayFunction, relays, sizeof relays);
    image.auxTerminalFunction[0] = 11;
    image.auxTerminalFunction[1] = 38;
    image.stopDoors[2] = 3;
    image.duplexSecondaryStation = 12;
    Start(&image);
    const char* shots[] = {"editor_1_general", "editor_2_outputs", "editor_3_stops",
                           "editor_4_times",   "editor_5_door",    "editor_6_advanced"};
    for (int page = kGeneral; page <= kAdvanced; ++page) {
        ASSERT_TRUE(editor.GoTo(page));
        if (page == kOutputs) editor.Type(IDC_OUT_RELAY + 17, "36");
        EXPECT_TRUE(editor.Screenshot(shots[page]));
    }
    EXPECT_TRUE(editor.Cancel());
}

// ---------------------------------------------------------------------------------------------
// Help

// The pop-up's text begins with the topic's first sentence; the next key takes it away.
void ExpectPopUp(App& app, const std::string& firstSentence) {
    HWND popup = WaitForProgramWindow(app, "ZrtHelpPopup");
    ASSERT_TRUE(popup) << "no pop-up for \"" << firstSentence << "\"";
    std::string text = ControlText(popup);
    EXPECT_EQ(text.substr(0, firstSentence.size()), firstSentence) << text;
    PressKey(VK_SHIFT);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }));
    app.WaitIdle();
}

TEST_F(EditorTest, HelpButtonAndPopUpsForControlsAndRanges) {
    Start();
    ASSERT_TRUE(editor.GoTo(kStops));
    editor.PressHelp();
    HWND help = WaitForProgramWindow(app, "ZrtHelpWindow");
    ASSERT_TRUE(help);
    HWND topic = FindWindowExA(help, nullptr, "ZrtHelpTopic", nullptr);
    EXPECT_TRUE(WaitUntil([&] {
        return ControlText(topic) == W1252("Configuración del controlador");
    })) << ControlText(topic);

    // Stop 5's "A" box and stop 1's "D" box, which is disabled (first served stop).
    F1On(editor.Sheet(), editor.Item(IDC_STP_NO_UP + 4));
    ExpectPopUp(app, W1252("Marcada, el ascensor no atiende en esta parada las llamadas de piso "
                           "para subir."));
    ASSERT_FALSE(editor.Enabled(IDC_STP_NO_DOWN));
    editor.RightClickWhatsThis(IDC_STP_NO_DOWN);
    ExpectPopUp(app, W1252("Marcada, el ascensor no atiende en esta parada las llamadas de piso "
                           "para bajar."));

    ASSERT_TRUE(editor.GoTo(kOutputs));
    F1On(editor.Sheet(), editor.Item(IDC_OUT_RELAY + 4));
    ExpectPopUp(app, W1252("Cada uno de los 18 relés"));
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_TRUE(editor.Cancel());
}

} // namespace
