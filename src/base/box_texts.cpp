#include "base/box_texts.h"

#include "base/res_string.h"

BoxCaption::BoxCaption(unsigned id) : none(id == 0) {
    if (id) LoadResString(id, text, sizeof text);
}

BoxTexts::BoxTexts(unsigned textId, unsigned captionId) : caption(captionId) {
    LoadResString(textId, text, sizeof text);
}
