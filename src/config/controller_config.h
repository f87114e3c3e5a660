#pragma once
// The controller's 256-byte configuration: the body of a .Z94 file and the source of the texts
// sent to the controller. Multi-byte numbers are little-endian; there is no padding.
#include <cstddef>
#include <cstdint>

constexpr int kMaxStops = 24;
constexpr int kRelayCount = 18;
constexpr int kAuxTerminalCount = 4;
constexpr int kSiteNameSize = 45; // field size; the name itself holds at most 40 characters
constexpr int kSiteNameMax = 40;
constexpr int kStopNameSize = 4; // slot size; the name itself holds at most 2 characters
constexpr int kStopNameMax = 2;

#pragma pack(push, 1)
struct ControllerConfig {
    uint16_t systemNumber;
    uint8_t stopCount;
    uint8_t optionFlags; // bit 0 releveling, bits 1-2 supervision port, bit 3 14-segment indicator
    uint8_t controlType;
    uint8_t controllerFunction;
    uint8_t restStation;
    uint8_t duplexMainStation;
    uint8_t duplexSecondaryStation;
    uint8_t fireStation;
    uint8_t TEP;
    uint8_t TALA;
    uint8_t TZUM;
    uint8_t TPA;
    uint8_t TACL;
    uint8_t TACEA;
    uint8_t TNIV0;
    uint8_t TRETP;
    uint8_t TAPA;
    uint8_t TOPC;
    uint8_t TACEB;
    uint8_t TARR;
    uint8_t TESTR;
    uint8_t TGON;
    uint8_t TGEN;
    uint8_t TINHP;
    uint8_t doorMode; // 0 manual; 1..8 automatic, doorMode - 1 holds the door option bits
    uint8_t auxOutputType;
    uint8_t relayFunction[kRelayCount];
    uint8_t auxTerminalFunction[kAuxTerminalCount];
    uint8_t screenSystem;
    uint8_t cabinNumber;
    char siteName[kSiteNameSize];
    char stopNames[kMaxStops][kStopNameSize];
    uint8_t stopDoors[kMaxStops]; // bit 0 door 1, bit 1 door 2
    uint16_t carSpeed;
    uint8_t preOpening;
    uint8_t mainRestsDoorClosed;
    uint8_t secondaryRestsDoorClosed;
    uint8_t firstServedStop;
    uint8_t lastServedStop;
    uint8_t preClosingContact;
    uint8_t falseStopLimit;
    uint8_t closeAttempts;
    uint8_t openAttempts;
    uint8_t minLoadCabinCallLimit;
    uint8_t alwaysOpenOnArrival;
    uint8_t stopCallsNotServed[kMaxStops]; // bit 0 cabin, bit 1 down, bit 2 up; 7 = not served
    uint8_t independentHallButtons;
    uint8_t specialVoiceAnnouncer;
};
#pragma pack(pop)

static_assert(sizeof(ControllerConfig) == 256, "the configuration image is 256 bytes");
static_assert(offsetof(ControllerConfig, systemNumber) == 0, "layout");
static_assert(offsetof(ControllerConfig, stopCount) == 2, "layout");
static_assert(offsetof(ControllerConfig, optionFlags) == 3, "layout");
static_assert(offsetof(ControllerConfig, controlType) == 4, "layout");
static_assert(offsetof(ControllerConfig, controllerFunction) == 5, "layout");
static_assert(offsetof(ControllerConfig, restStation) == 6, "layout");
static_assert(offsetof(ControllerConfig, duplexMainStation) == 7, "layout");
static_assert(offsetof(ControllerConfig, duplexSecondaryStation) == 8, "layout");
static_assert(offsetof(ControllerConfig, fireStation) == 9, "layout");
static_assert(offsetof(ControllerConfig, TEP) == 10, "layout");
static_assert(offsetof(ControllerConfig, TALA) == 11, "layout");
static_assert(offsetof(ControllerConfig, TZUM) == 12, "layout");
static_assert(offsetof(ControllerConfig, TPA) == 13, "layout");
static_assert(offsetof(ControllerConfig, TACL) == 14, "layout");
static_assert(offsetof(ControllerConfig, TACEA) == 15, "layout");
static_assert(offsetof(ControllerConfig, TNIV0) == 16, "layout");
static_assert(offsetof(ControllerConfig, TRETP) == 17, "layout");
static_assert(offsetof(ControllerConfig, TAPA) == 18, "layout");
static_assert(offsetof(ControllerConfig, TOPC) == 19, "layout");
static_assert(offsetof(ControllerConfig, TACEB) == 20, "layout");
static_assert(offsetof(ControllerConfig, TARR) == 21, "layout");
static_assert(offsetof(ControllerConfig, TESTR) == 22, "layout");
static_assert(offsetof(ControllerConfig, TGON) == 23, "layout");
static_assert(offsetof(ControllerConfig, TGEN) == 24, "layout");
static_assert(offsetof(ControllerConfig, TINHP) == 25, "layout");
static_assert(offsetof(ControllerConfig, doorMode) == 26, "layout");
static_assert(offsetof(ControllerConfig, auxOutputType) == 27, "layout");
static_assert(offsetof(ControllerConfig, relayFunction) == 28, "layout");
static_assert(offsetof(ControllerConfig, auxTerminalFunction) == 46, "layout");
static_assert(offsetof(ControllerConfig, screenSystem) == 50, "layout");
static_assert(offsetof(ControllerConfig, cabinNumber) == 51, "layout");
static_assert(offsetof(ControllerConfig, siteName) == 52, "layout");
static_assert(offsetof(ControllerConfig, stopNames) == 97, "layout");
static_assert(offsetof(ControllerConfig, stopDoors) == 193, "layout");
static_assert(offsetof(ControllerConfig, carSpeed) == 217, "layout");
static_assert(offsetof(ControllerConfig, preOpening) == 219, "layout");
static_assert(offsetof(ControllerConfig, mainRestsDoorClosed) == 220, "layout");
static_assert(offsetof(ControllerConfig, secondaryRestsDoorClosed) == 221, "layout");
static_assert(offsetof(ControllerConfig, firstServedStop) == 222, "layout");
static_assert(offsetof(ControllerConfig, lastServedStop) == 223, "layout");
static_assert(offsetof(ControllerConfig, preClosingContact) == 224, "layout");
static_assert(offsetof(ControllerConfig, falseStopLimit) == 225, "layout");
static_assert(offsetof(ControllerConfig, closeAttempts) == 226, "layout");
static_assert(offsetof(ControllerConfig, openAttempts) == 227, "layout");
static_assert(offsetof(ControllerConfig, minLoadCabinCallLimit) == 228, "layout");
static_assert(offsetof(ControllerConfig, alwaysOpenOnArrival) == 229, "layout");
static_assert(offsetof(ControllerConfig, stopCallsNotServed) == 230, "layout");
static_assert(offsetof(ControllerConfig, independentHallButtons) == 254, "layout");
static_assert(offsetof(ControllerConfig, specialVoiceAnnouncer) == 255, "layout");

// The layout above is the in-memory one only on a little-endian machine, which every target of
// this program is (x86 and x86-64).
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "little-endian targets only");

// Calls-not-served bits
constexpr uint8_t kNotServedCabin = 1;
constexpr uint8_t kNotServedDown = 2;
constexpr uint8_t kNotServedUp = 4;
constexpr uint8_t kNotServedAll = 7;

// optionFlags
constexpr uint8_t kOptionReleveling = 0x01;
constexpr uint8_t kOptionSupervisionMask = 0x06;
constexpr uint8_t kOptionSegments14 = 0x08;

inline int SupervisionPort(const ControllerConfig& c) {
    return (c.optionFlags >> 1) & 3;
}

// The configuration that "New" produces.
ControllerConfig MakeEmptyConfig();

// Derives stopCallsNotServed from firstServedStop and lastServedStop.
void rebuildServedStopFlags(ControllerConfig& config);

// True when any relay or auxiliary terminal carries `code`.
bool hasRelayFunction(int code, const ControllerConfig& config);

// Bounded views of the texts, which a file or a controller may send without their terminator.
// Copy into `out` (size >= field size + 1) and always terminate.
void CopySiteName(const ControllerConfig& config, char* out, size_t outSize);
void CopyStopName(const ControllerConfig& config, int stopIndex, char* out, size_t outSize);
