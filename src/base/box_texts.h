#pragma once
// The texts of a message box from the string table: the text in 256 characters, the caption in
// 30. Caption 0 is none, so that the system's default caption shows.
constexpr int kBoxTextSize = 256;
constexpr int kBoxCaptionSize = 30;

struct BoxCaption {
    char text[kBoxCaptionSize] = "";
    bool none = true;

    explicit BoxCaption(unsigned id);
    // What the message box takes: the caption, or nullptr for none.
    const char* Get() const { return none ? nullptr : text; }
};

struct BoxTexts {
    char text[kBoxTextSize] = "";
    BoxCaption caption;

    BoxTexts(unsigned textId, unsigned captionId);
};
