// The editor sheet over an arbitrary image, driven as a technician could: list choices, typing,
// clicks, spin steps and page changes in any order, then OK. What the sheet accepts the document
// must take (2 to 24 stops, a served range inside them); and when the editor was handed an image
// in range, what it accepts must be in range too, or the transmit command refuses it. The one
// exception is an output code above 99: the Outputs page stores whatever code is typed, by its
// low 8 bits, and leaves it to that refusal to name the output.
//
// Input: the 256-byte image, then operations, each an opcode byte and its arguments:
//   0 choose: control, entry      1 type: control, length, characters     2 click: control
//   3 spin: control (its edit), step      4 go to page      5 OK
// A control argument picks among the page's controls of that kind that are enabled and shown.
#include "fake_page.h"

#include "config/config_ranges.h"
#include "res/resource.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// One page's window: its controls keep their state between visits, as the sheet's do. It
// remembers which controls the page gave a text (edits) or a check (buttons).
struct PageWindow : FakePage {
    std::set<int> edits, buttons;
    PageWindow() {
        pc.setText = [](void* c, int id, const char* t) {
            static_cast<PageWindow*>(static_cast<FakePage*>(c))->edits.insert(id);
            At(c, id).text = t;
        };
        pc.setCheck = [](void* c, int id, bool on) {
            static_cast<PageWindow*>(static_cast<FakePage*>(c))->buttons.insert(id);
            At(c, id).checked = on;
        };
    }
    // Keeps the controls' storage from input to input; a control left from an earlier one has
    // no items, text or check, so Pick never offers it.
    void Reset() {
        for (auto& [id, c] : controls)
            c.items.clear(), c = {{}, std::move(c.items)};
        edits.clear(), buttons.clear(), focus = 0;
    }
    enum Kind { List, Edit, Button };
    int Pick(uint8_t choice, int kind) {
        std::vector<int> ids;
        for (auto& [id, c] : controls) {
            bool fits = kind == List   ? !c.items.empty()
                        : kind == Edit ? edits.count(id) > 0
                                       : buttons.count(id) > 0;
            if (c.enabled && c.visible && fits) ids.push_back(id);
        }
        return ids.empty() ? 0 : ids[choice % ids.size()];
    }
    // Types into an edit, which notifies its page.
    void Type(EditorPage& page, int id, const char* text) {
        controls[id].text = text;
        page.OnCommand(pc, id, 0x300); // any edit notification
    }
};

const int kRadioGroups[][2] = {{IDC_DOOR_MANUAL, IDC_DOOR_AUTOMATIC},
                               {IDC_OUT_SEG7, IDC_OUT_SEG14}};

struct Input {
    const uint8_t* at;
    size_t left;
    uint8_t Next() { return left ? (--left, *at++) : 0; }
};

bool InRangeButTypedCodes(ControllerConfig image) {
    for (uint8_t& code : image.relayFunction)
        code = code > 99 ? 0 : code;
    for (uint8_t& code : image.auxTerminalFunction)
        code = code > 99 ? 0 : code;
    FieldOutOfRange found;
    return !FindFieldOutOfRange(image, found);
}

void ExpectDocumentTakes(const ControllerConfig& image) {
    int stops = (int8_t)image.stopCount;
    if (stops < 2 || stops > kMaxStops) std::abort();
    if (image.firstServedStop < 1 || image.firstServedStop >= image.lastServedStop ||
        image.lastServedStop > stops)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ControllerConfig image;
    std::memset(&image, 0, sizeof image);
    size_t used = size < sizeof image ? size : sizeof image;
    std::memcpy(&image, data, used);
    FieldOutOfRange found;
    bool startedInRange = !FindFieldOutOfRange(image, found);
    Input in{data + used, size - used};

    EditorSession session;
    session.Begin(image);
    static PageWindow windows[kEditorPageCount];
    for (PageWindow& w : windows)
        w.Reset();
    int active = 0;
    session.pages[0].Activate(windows[0].pc, session.working);
    while (in.left) {
        PageWindow& w = windows[active];
        EditorPage& page = session.pages[active];
        w.boxes.clear();
        uint8_t op = in.Next() % 6;
        switch (op) {
        case 0: {
            int id = w.Pick(in.Next(), PageWindow::List);
            if (!id) break;
            w[id].selection = in.Next() % w[id].items.size();
            page.OnCommand(w.pc, id, kNotifySelectionChanged);
            break;
        }
        case 1: {
            int id = w.Pick(in.Next(), PageWindow::Edit);
            std::string text;
            for (int n = in.Next() % 12; n > 0 && in.left; --n)
                text += (char)in.Next();
            if (id) w.Type(page, id, text.c_str()); // an edit holds no NUL
            break;
        }
        case 2: {
            int id = w.Pick(in.Next(), PageWindow::Button);
            if (!id) break;
            bool radio = false;
            for (auto& group : kRadioGroups)
                if (id == group[0] || id == group[1]) {
                    w[group[0]].checked = id == group[0];
                    w[group[1]].checked = id == group[1];
                    radio = true;
                }
            if (!radio) w[id].checked = !w[id].checked;
            page.OnCommand(w.pc, id, kNotifyClicked);
            break;
        }
        case 3: {
            int bar = w.Pick(in.Next(), PageWindow::Edit) + (IDC_OUT_RELAY_SPIN - IDC_OUT_RELAY);
            uint8_t step = in.Next() % 3;
            if (w.controls.count(bar) && !w[bar].enabled) break;
            page.OnSpin(w.pc, bar,
                        step == 0   ? SpinStep::Up
                        : step == 1 ? SpinStep::Down
                                    : SpinStep::Other);
            break;
        }
        case 4:
        case 5: {
            bool ok = op == 5;
            int next = ok ? active : in.Next() % kEditorPageCount;
            if (!page.Leave(w.pc, session.working)) break; // the sheet stays on that page
            ExpectDocumentTakes(session.working);
            if (ok) {
                if (startedInRange && !InRangeButTypedCodes(session.working)) std::abort();
                return 0;
            }
            active = next;
            session.pages[active].Activate(windows[active].pc, session.working);
            break;
        }
        }
    }
    return 0;
}
