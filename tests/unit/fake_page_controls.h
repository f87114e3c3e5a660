#pragma once
// The editor's pages under test: the fake controls and one page on a working image.
#include "fake_page.h"

#include <gtest/gtest.h>

// Choosing an entry a list does not hold is a fault of the test.
struct TestPageControls : FakePage {
    void Choose(EditorPage& page, int id, const std::string& text) {
        if (!FakePage::Choose(page, id, text))
            ADD_FAILURE() << "list " << id << " has no item '" << text << "'";
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
