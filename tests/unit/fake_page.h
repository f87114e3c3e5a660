#pragma once
// A page's controls as a map, for driving the editor's page logic without windows. Selecting an
// index outside a list clears its selection, as a combo box does.
#include "config/page_table.h"
#include "config/page_controls.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

struct FakeControl {
    std::string text;
    std::vector<std::string> items;
    int selection = -1;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
};

struct FakeBox {
    std::string text;
    std::string caption; // "<default>" for the system's caption
    unsigned flags;
};

struct FakePage {
    std::map<int, FakeControl> controls;
    std::vector<FakeBox> boxes;
    int focus = 0;
    PageControls pc{};

    FakePage() {
        pc.context = this;
        pc.setText = [](void* c, int id, const char* t) { At(c, id).text = t; };
        pc.getText = [](void* c, int id, char* buffer, int size) {
            snprintf(buffer, size, "%s", At(c, id).text.c_str());
        };
        pc.clearList = [](void* c, int id) {
            At(c, id).items.clear();
            At(c, id).selection = -1;
        };
        pc.addListItem = [](void* c, int id, const char* t) { At(c, id).items.push_back(t); };
        pc.selectListItem = [](void* c, int id, int index) {
            FakeControl& f = At(c, id);
            f.selection = index >= 0 && index < (int)f.items.size() ? index : -1;
        };
        pc.listSelection = [](void* c, int id) { return At(c, id).selection; };
        pc.setCheck = [](void* c, int id, bool on) { At(c, id).checked = on; };
        pc.isChecked = [](void* c, int id) { return At(c, id).checked; };
        pc.enable = [](void* c, int id, bool on) { At(c, id).enabled = on; };
        pc.enableAll = [](void* c, bool on) {
            for (auto& entry : static_cast<FakePage*>(c)->controls)
                entry.second.enabled = on;
        };
        pc.show = [](void* c, int id, bool on) { At(c, id).visible = on; };
        pc.isVisible = [](void* c, int id) { return At(c, id).visible; };
        pc.setFocus = [](void* c, int id) { static_cast<FakePage*>(c)->focus = id; };
        pc.messageBox = [](void* c, const char* text, const char* caption, unsigned flags) {
            static_cast<FakePage*>(c)->boxes.push_back(
                {text, caption ? caption : "<default>", flags});
            return 1;
        };
    }
    FakePage(const FakePage&) = delete;

    static FakeControl& At(void* c, int id) { return static_cast<FakePage*>(c)->controls[id]; }
    FakeControl& operator[](int id) { return controls[id]; }
};
