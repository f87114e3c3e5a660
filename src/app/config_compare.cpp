#include "app/config_compare.h"

#include "base/cp1252.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/text_builder.h"
#include "config/code_tables.h"
#include "config/relay_catalogue.h"
#include "link/wire_encoding.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kEachStop = -1; // one entry for each stop of either image

struct CompareField;
using FieldText = void (*)(const ControllerConfig& c, const CompareField& f, int i, TextBuilder& t);

struct CompareField {
    const char* label; // the report's words; "%d" takes the relay, terminal or stop number
    int entries;       // one after another in the image, or kEachStop
    size_t offset;     // of the first entry, for the texts that read a plain byte
    FieldText text;
    const char* unit; // after a number, or nullptr
};

int ByteAt(const ControllerConfig& c, const CompareField& f, int i) {
    return reinterpret_cast<const uint8_t*>(&c)[f.offset + i];
}
void Text(TextBuilder& t, unsigned id) {
    t.Append(ResString(id));
}
void YesNo(TextBuilder& t, bool yes) {
    Text(t, yes ? str::ReportYes : str::ReportNo);
}
bool Automatic(const ControllerConfig& c) {
    return c.doorMode != 0;
}
// The door option bits mean something only for an automatic door.
int DoorBits(const ControllerConfig& c) {
    return c.doorMode - 1;
}

void Number(const ControllerConfig& c, const CompareField& f, int i, TextBuilder& t) {
    t.Format("%d", ByteAt(c, f, i));
    if (f.unit) t.Format(" %s", f.unit);
}
void TwoDigits(const ControllerConfig& c, const CompareField& f, int i, TextBuilder& t) {
    t.Format("%02d", ByteAt(c, f, i));
}
void NonZero(const ControllerConfig& c, const CompareField& f, int i, TextBuilder& t) {
    YesNo(t, ByteAt(c, f, i) != 0);
}
void SiteName(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    char site[kSiteNameSize + 1];
    CopySiteName(c, site, sizeof site);
    t.Append(site);
}
void SystemNumber(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    t.Format("%05u", (unsigned)c.systemNumber);
}
void Cabin(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    if (c.controllerFunction == 0)
        t.Append("E");
    else
        t.Format("%d", c.cabinNumber);
}
void Function(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    Text(t, ControllerFunctionTextId(c.controllerFunction));
}
void ControlType(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    Text(t, ControlTypeTextId(c.controlType));
}
void Releveling(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    YesNo(t, c.optionFlags & kOptionReleveling);
}
void HallButtons(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    YesNo(t, c.independentHallButtons & 1);
}
void Screens(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    Text(t, ScreenSystemTextId(c.screenSystem));
}
void Speed(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    t.Format("%d m/min", c.carSpeed);
}
void AuxOutput(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    Text(t, AuxOutputTypeTextId(c.auxOutputType));
}
void Relay(const ControllerConfig& c, const CompareField& f, int i, TextBuilder& t) {
    char text[256];
    relayReportText(ByteAt(c, f, i), text, sizeof text);
    t.Append(text);
}
void Indicator(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    t.Append(c.optionFlags & kOptionSegments14 ? "14 segmentos" : "7 segmentos");
}
void StopName(const ControllerConfig& c, const CompareField&, int i, TextBuilder& t) {
    char name[kStopNameSize + 1];
    CopyStopName(c, i, name, sizeof name);
    t.Append(name);
}
void StopDoors(const ControllerConfig& c, const CompareField&, int i, TextBuilder& t) {
    const char* const texts[] = {"-", "1", "2", "1 y 2"};
    t.Append(texts[c.stopDoors[i] & 3]);
}
void CallsNotServed(const ControllerConfig& c, const CompareField&, int i, TextBuilder& t) {
    int calls = c.stopCallsNotServed[i];
    const char* separator = "";
    const struct {
        uint8_t bit;
        const char* text;
    } kCalls[] = {{kNotServedUp, "Asc."}, {kNotServedDown, "Des."}, {kNotServedCabin, "Cab."}};
    for (const auto& call : kCalls)
        if (calls & call.bit) {
            t.Format("%s%s", separator, call.text);
            separator = " ";
        }
    if (!(calls & kNotServedAll)) t.Append("-");
}
void DoorType(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    t.Append(Automatic(c) ? W1252("Automática") : "Manual");
}
void PreClosing(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    YesNo(t, c.preClosingContact == 1);
}
void RestsOpen(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    t.Append(!Automatic(c) ? "-" : DoorBits(c) & 1 ? "Abierta" : "Cerrada");
}
void DoorZone(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    t.Append(!Automatic(c) ? "-" : DoorBits(c) & 2 ? W1252("Máxima") : W1252("Mínima"));
}
void DelayedOpening(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    if (Automatic(c))
        YesNo(t, DoorBits(c) & 4);
    else
        t.Append("-");
}
void Port(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    Text(t, SupervisionPortTextId(SupervisionPort(c)));
}
void Announcer(const ControllerConfig& c, const CompareField&, int, TextBuilder& t) {
    t.Append(c.specialVoiceAnnouncer ? "especial" : W1252("estándar"));
}
void RestsClosed(const ControllerConfig& c, const CompareField& f, int i, TextBuilder& t) {
    t.Append(ByteAt(c, f, i) ? "Cerrada" : "Abierta");
}

#define AT(field) offsetof(ControllerConfig, field)

// In the report's order. A field the report leaves out for some images (the hall buttons of a
// duplex, the terminals under a 14-segment indicator, ...) is still listed: it is sent all the
// same.
const CompareField kFields[] = {
    {"Obra", 1, 0, SiteName, nullptr},
    {W1252("Sistema número"), 1, 0, SystemNumber, nullptr},
    {W1252("Cabina número"), 1, 0, Cabin, nullptr},
    {W1252("Función"), 1, 0, Function, nullptr},
    {"Tipo", 1, 0, ControlType, nullptr},
    {"Cantidad de paradas", 1, AT(stopCount), TwoDigits, nullptr},
    {W1252("Con renivelación"), 1, 0, Releveling, nullptr},
    {"Pulsadores ext. ind", 1, 0, HallButtons, nullptr},
    {"Sistema de Pantallas", 1, 0, Screens, nullptr},
    {"Velocidad de cabina", 1, 0, Speed, nullptr},
    {"Primera parada", 1, AT(firstServedStop), Number, nullptr},
    {"Ultima parada", 1, AT(lastServedStop), Number, nullptr},
    {"Salida Auxiliar", 1, 0, AuxOutput, nullptr},
    {W1252("Relé %d"), kRelayCount, AT(relayFunction), Relay, nullptr},
    {W1252("Relé auxiliar %d"), kAuxTerminalCount, AT(auxTerminalFunction), Relay, nullptr},
    {W1252("Ind. de posición"), 1, 0, Indicator, nullptr},
    {W1252("TEP - Límite entre pantallas"), 1, AT(TEP), Number, "seg."},
    {"TALA - A alarma por falta de SM", 1, AT(TALA), Number, "seg."},
    {"TZUM - Tolerancia a ascensorista", 1, AT(TZUM), Number, "seg."},
    {"TPA - Parada", 1, AT(TPA), Number, "seg."},
    {"TACL - A coche libre", 1, AT(TACL), Number, "seg."},
    {"TACEA - Aceleradora de alta", 1, AT(TACEA), Number, "dec."},
    {"TACEB - Aceleradora de baja", 1, AT(TACEB), Number, "dec."},
    {W1252("TINHP - Inhibición de parada"), 1, AT(TINHP), Number, "dec."},
    {W1252("TARR - De relé auxiliar de arranque"), 1, AT(TARR), Number, "dec."},
    {"TOPC - Preferencia de cabina", 1, AT(TOPC), Number, "seg."},
    {"TNIV0 - A descanso a nivel 0", 1, AT(TNIV0), Number, "min."},
    {"TRETP - Retardo para parar", 1, AT(TRETP), Number, "dec."},
    {W1252("TAPA - Límite operador de puerta"), 1, AT(TAPA), Number, "seg."},
    {W1252("TESTR - Estrella / triángulo"), 1, AT(TESTR), Number, "dec."},
    {"TGON - Gong", 1, AT(TGON), Number, "dec."},
    {"TGEN - Generador", 1, AT(TGEN), Number, "min."},
    {"Parada %d - Nombre", kEachStop, 0, StopName, nullptr},
    {"Parada %d - Abre puerta", kEachStop, 0, StopDoors, nullptr},
    {"Parada %d - No atiende llamadas", kEachStop, 0, CallsNotServed, nullptr},
    {"Tipo de puerta", 1, 0, DoorType, nullptr},
    {"Cont. de precierre", 1, 0, PreClosing, nullptr},
    {"Reposa", 1, 0, RestsOpen, nullptr},
    {"Zona de puerta", 1, 0, DoorZone, nullptr},
    {"Apertura retardada", 1, 0, DelayedOpening, nullptr},
    {"Preapertura", 1, AT(preOpening), NonZero, nullptr},
    {"Abre siempre", 1, AT(alwaysOpenOnArrival), NonZero, nullptr},
    {"Intentos de cierre", 1, AT(closeAttempts), Number, nullptr},
    {"Intentos de apertura", 1, AT(openAttempts), Number, nullptr},
    {W1252("Estación de reposo"), 1, AT(restStation), TwoDigits, nullptr},
    {W1252("Estación de incendio"), 1, AT(fireStation), TwoDigits, nullptr},
    {W1252("Puerto de supervisión"), 1, 0, Port, nullptr},
    {"Anunciador vocal", 1, 0, Announcer, nullptr},
    {"Paradas falsas", 1, AT(falseStopLimit), TwoDigits, nullptr},
    {W1252("Llam. peso mínimo"), 1, AT(minLoadCabinCallLimit), TwoDigits, nullptr},
    {W1252("Estación principal"), 1, AT(duplexMainStation), TwoDigits, nullptr},
    {W1252("Estación principal - descansa con puerta"), 1, AT(mainRestsDoorClosed), RestsClosed,
     nullptr},
    {W1252("Estación secundaria"), 1, AT(duplexSecondaryStation), TwoDigits, nullptr},
    {W1252("Estación secundaria - descansa con puerta"), 1, AT(secondaryRestsDoorClosed),
     RestsClosed, nullptr},
};

#undef AT

int StopsOf(const ControllerConfig& c) {
    return c.stopCount < kMaxStops ? c.stopCount : kMaxStops;
}

// The entry's text, or "(no existe)" for a stop that the image does not have.
void EntryText(const ControllerConfig& c, const CompareField& f, int i, char* out, size_t size) {
    TextBuilder t(out, size);
    if (f.entries == kEachStop && i >= StopsOf(c))
        Text(t, str::CompareNoStop);
    else
        f.text(c, f, i, t);
    // Relay names carry blanks of their own after them, and the controller pads a site name with
    // blanks to its full width. A stop name's two characters are shown as they are.
    if (f.text == StopName) return;
    while (t.length > 0 && out[t.length - 1] == ' ')
        t.DropLast(' ');
}

bool SameButBlanks(const char* a, const char* b) {
    for (;; ++a, ++b) {
        while (*a == ' ')
            ++a;
        while (*b == ' ')
            ++b;
        if (*a != *b) return false;
        if (!*a) return true;
    }
}

void Quote(char* text, size_t size) {
    char copy[sizeof ConfigDifference::current];
    std::snprintf(copy, sizeof copy, "%s", text);
    std::snprintf(text, size, "\"%s\"", copy);
}

// The image as the controller would hold it after taking it: what the line does not carry, or
// carries in another form (a one-letter stop name gains a leading blank), is no difference.
ControllerConfig AsController(const ControllerConfig& image) {
    const PartTexts parts = EncodeParts(image);
    ControllerConfig held = image;
    LinkPacket packet{};
    std::memcpy(packet.data, parts.part1.data(), kPart1Length);
    DecodePart1(packet, held);
    std::memcpy(packet.data, parts.part2.data(), kPart2Length);
    DecodePart2(packet, held);
    return held;
}

void AddIfDifferent(const ControllerConfig& current, const ControllerConfig& file,
                    const CompareField& f, int i, std::vector<ConfigDifference>& differences) {
    ConfigDifference d;
    EntryText(current, f, i, d.current, sizeof d.current);
    EntryText(file, f, i, d.file, sizeof d.file);
    if (std::strcmp(d.current, d.file) == 0) return;
    // Otherwise the two would look alike.
    if (SameButBlanks(d.current, d.file)) {
        Quote(d.current, sizeof d.current);
        Quote(d.file, sizeof d.file);
    }
    std::snprintf(d.label, sizeof d.label, f.label, i + 1);
    differences.push_back(d);
}

} // namespace

std::vector<ConfigDifference> CompareConfigs(const ControllerConfig& currentImage,
                                             const ControllerConfig& fileImage) {
    const ControllerConfig current = AsController(currentImage), file = AsController(fileImage);
    std::vector<ConfigDifference> differences;
    int stops = StopsOf(current) > StopsOf(file) ? StopsOf(current) : StopsOf(file);
    const int count = sizeof kFields / sizeof kFields[0];
    for (int n = 0; n < count;) {
        const CompareField& f = kFields[n];
        if (f.entries != kEachStop) {
            for (int i = 0; i < f.entries; ++i)
                AddIfDifferent(current, file, f, i, differences);
            ++n;
            continue;
        }
        // The per-stop fields stop by stop, as the report's stop lines hold them.
        int end = n;
        while (end < count && kFields[end].entries == kEachStop)
            ++end;
        for (int stop = 0; stop < stops; ++stop)
            for (int k = n; k < end; ++k)
                AddIfDifferent(current, file, kFields[k], stop, differences);
        n = end;
    }
    return differences;
}
