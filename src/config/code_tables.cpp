#include "config/code_tables.h"

namespace {
unsigned InRange(int value, int low, int high, unsigned base) {
    return value >= low && value <= high ? base + value : kTextNotValid;
}
} // namespace

unsigned ControlTypeTextId(int v) {
    return InRange(v, 0, 5, 20200);
}
unsigned ControllerFunctionTextId(int v) {
    return InRange(v, 0, 3, 20210);
}
unsigned ScreenSystemTextId(int v) {
    return InRange(v, 1, 6, 20220);
}
unsigned AuxOutputTypeTextId(int v) {
    return InRange(v, 1, 8, 20230);
}
unsigned SupervisionPortTextId(int v) {
    return InRange(v, 0, 3, 20240);
}

int StopLimit(int controlType) {
    switch (controlType) {
    case 3: return 16;
    case 5: return 23;
    default: return 24;
    }
}
