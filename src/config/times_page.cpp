// "Tiempos": the sixteen one-byte timers, each in its own unit.
#include "config/page_table.h"

#include "base/message_box.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "res/resource.h"

#include <cstdio>
#include <initializer_list>

namespace {

struct TimerField {
    uint8_t ControllerConfig::*field;
    int editId;
    unsigned unitId;
};

// Field order, which is also the order they are read and checked in, and the order of their
// names in the string table (str::TimerNames onwards).
const TimerField kTimers[kTimerCount] = {
    {&ControllerConfig::TEP, IDC_TIM_TEP, str::Seconds},
    {&ControllerConfig::TALA, IDC_TIM_TALA, str::Seconds},
    {&ControllerConfig::TZUM, IDC_TIM_TZUM, str::Seconds},
    {&ControllerConfig::TPA, IDC_TIM_TPA, str::Seconds},
    {&ControllerConfig::TACL, IDC_TIM_TACL, str::Seconds},
    {&ControllerConfig::TACEA, IDC_TIM_TACEA, str::Tenths},
    {&ControllerConfig::TNIV0, IDC_TIM_TNIV0, str::Minutes},
    {&ControllerConfig::TRETP, IDC_TIM_TRETP, str::Tenths},
    {&ControllerConfig::TAPA, IDC_TIM_TAPA, str::Seconds},
    {&ControllerConfig::TOPC, IDC_TIM_TOPC, str::Seconds},
    {&ControllerConfig::TACEB, IDC_TIM_TACEB, str::Tenths},
    {&ControllerConfig::TARR, IDC_TIM_TARR, str::Tenths},
    {&ControllerConfig::TESTR, IDC_TIM_TESTR, str::Tenths},
    {&ControllerConfig::TGON, IDC_TIM_TGON, str::Tenths},
    {&ControllerConfig::TGEN, IDC_TIM_TGEN, str::Minutes},
    {&ControllerConfig::TINHP, IDC_TIM_TINHP, str::Tenths},
};

constexpr int kNumberEditChars = 9;

// Every timer stays on screen and editable whether or not the outputs use it: the controller
// keeps running all of them, and a technician may set one up before assigning its relay.
void ShowTimerField(const PageControls& c, const TimerField& timer, uint8_t value,
                    bool /*applicable*/) {
    c.SetNumber(timer.editId, value);
    c.Show(timer.editId, true);
    c.Enable(timer.editId + IDC_TIM_LABEL_OFFSET, true);
    c.Enable(timer.editId + IDC_TIM_UNIT_OFFSET, true);
}

bool UsesAny(const ControllerConfig& config, std::initializer_list<int> codes) {
    for (int code : codes)
        if (hasRelayFunction(code, config)) return true;
    return false;
}

} // namespace

void timerApplicability(const ControllerConfig& config, bool (&applicable)[kTimerCount]) {
    const ControllerConfig& c = config;
    for (int t = 0; t < kTimerCount; ++t) {
        uint8_t ControllerConfig::*field = kTimers[t].field;
        bool uses = true; // TEP, TALA, TPA, TACL, TNIV0, TOPC and TARR always
        if (field == &ControllerConfig::TZUM) uses = UsesAny(c, {36, 37});
        if (field == &ControllerConfig::TACEA)
            uses = UsesAny(c, {5, 6, 40, 41, 42, 57, 58, 67, 68});
        if (field == &ControllerConfig::TACEB)
            uses = UsesAny(c, {5, 7, 40, 41, 42, 59, 60, 67, 68});
        if (field == &ControllerConfig::TRETP)
            uses = UsesAny(c, {18, 24, 30, 31, 76, 77, 78, 79, 80, 81});
        if (field == &ControllerConfig::TESTR) uses = UsesAny(c, {23, 24, 39});
        if (field == &ControllerConfig::TGON) uses = UsesAny(c, {20});
        if (field == &ControllerConfig::TGEN) uses = UsesAny(c, {38});
        if (field == &ControllerConfig::TAPA) uses = c.doorMode != 0;
        if (field == &ControllerConfig::TINHP) uses = c.screenSystem == 1;
        applicable[t] = uses;
    }
}

void FillTimesPage(const PageControls& c, EditorPage& page) {
    const ControllerConfig& copy = page.copy;
    bool applicable[kTimerCount];
    timerApplicability(copy, applicable);
    for (int t = 0; t < kTimerCount; ++t)
        ShowTimerField(c, kTimers[t], copy.*kTimers[t].field, applicable[t]);
}

bool ReadTimesPage(const PageControls& c, EditorPage& page) {
    ControllerConfig& copy = page.copy;
    for (const TimerField& timer : kTimers) {
        if (!c.IsVisible(timer.editId)) continue;
        char typed[kNumberEditChars + 1];
        c.GetText(timer.editId, typed, sizeof typed);
        long value = ParseLeadingDecimal(typed);
        if (value < 0 || value > 255) {
            char name[256], unit[256], text[600];
            LoadResString(str::TimerNames + unsigned(&timer - kTimers), name, sizeof name);
            LoadResString(timer.unitId, unit, sizeof unit);
            std::snprintf(text, sizeof text, ResString(str::TimeRange), name, 0, 255, unit);
            c.Warn(text, str::CaptionAttention);
            return false;
        }
        copy.*timer.field = (uint8_t)value;
    }
    return true;
}
