#include "config/code_tables.h"

#include "base/string_ids.h"

namespace {
unsigned InRange(int value, int low, int high, unsigned base) {
    return value >= low && value <= high ? base + value : str::NotValid;
}
} // namespace

unsigned ControlTypeTextId(int v) {
    return InRange(v, 0, 5, str::ControlTypeNames);
}
unsigned ControllerFunctionTextId(int v) {
    return InRange(v, 0, 3, str::ControllerFunctionNames);
}
unsigned ScreenSystemTextId(int v) {
    return InRange(v, 1, 6, str::ScreenSystemNames);
}
unsigned AuxOutputTypeTextId(int v) {
    return InRange(v, 1, 8, str::AuxOutputTypeNames);
}
unsigned SupervisionPortTextId(int v) {
    return InRange(v, 0, 3, str::SupervisionPortNames);
}

int StopLimit(int controlType) {
    switch (controlType) {
    case 3: return 16;
    case 5: return 23;
    default: return 24;
    }
}
