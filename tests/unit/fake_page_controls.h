#pragma once
// The editor's pages under test: the fake controls and one page on a working image.
#include "fake_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

// Several values compared at once.
using Ints = std::vector<int>;

// What the user does on a page: picks a list entry by its text (one the list does not hold is
// a fault of the test), clicks a radio button of a group, types into an edit.
struct TestPageControls : FakePage {
    void Choose(EditorPage& page, int id, const std::string& text) {
        FakeControl& list = controls[id];
        auto at = std::find(list.items.begin(), list.items.end(), text);
        if (at == list.items.end())
            ADD_FAILURE() << "list " << id << " has no item '" << text << "'";
        list.selection = at == list.items.end() ? -1 : (int)(at - list.items.begin());
        page.OnCommand(pc, id, kNotifySelectionChanged);
    }
    std::string Selected(int id) {
        FakeControl& list = controls[id];
        return list.selection < 0 ? "<none>" : list.items[list.selection];
    }
    // Several lists' selections, "a|b".
    std::string Selected(std::initializer_list<int> ids) {
        std::string texts;
        for (int id : ids)
            texts.append(texts.empty() ? "" : "|").append(Selected(id));
        return texts;
    }
    void Click(EditorPage& page, int id, std::initializer_list<int> group) {
        for (int other : group)
            controls[other].checked = other == id;
        page.OnCommand(pc, id, kNotifyClicked);
    }
    void Type(EditorPage& page, int id, const std::string& text) {
        controls[id].text = text;
        page.OnCommand(pc, id, 0x300); // any edit notification
    }
};

inline const EditorPageRow& PageRow(int dialogId) {
    for (int i = 0; i < kEditorPageCount; ++i)
        if (kEditorPages[i].dialogId == dialogId) return kEditorPages[i];
    ADD_FAILURE() << "no page of dialog " << dialogId;
    return kEditorPages[0];
}

// One page of the editor on a working image, as the sheet holds it.
struct PageTest : ::testing::Test {
    TestPageControls fake;
    ControllerConfig working = MakeEmptyConfig();
    EditorPage page;

    void Open(int dialogId) {
        page = EditorPage{};
        page.row = &PageRow(dialogId);
        page.Activate(fake.pc, working);
    }
    bool Leave() { return page.Leave(fake.pc, working); }
    // The one message the last step showed.
    std::string Message() {
        EXPECT_EQ(fake.boxes.size(), 1u);
        std::string text = fake.boxes.empty() ? "" : fake.boxes.back().text;
        fake.boxes.clear();
        return text;
    }
};
