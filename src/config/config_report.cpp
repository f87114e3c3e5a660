#include "config/config_report.h"

#include "base/cp1252.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/text_builder.h"
#include "config/code_tables.h"
#include "config/relay_catalogue.h"

namespace {

struct Report {
    const ControllerConfig& c;
    TextBuilder& t;
    bool automaticDoor() const { return c.doorMode != 0; }

    void Text(unsigned id) { t.Append(ResString(id)); }
    // A labelled line: the label, the value's text and the line end.
    void Line(const char* label, unsigned textId) {
        t.Append(label);
        Text(textId);
        t.Append("\r");
    }
    void YesNoLine(const char* label, bool yes) {
        Line(label, yes ? str::ReportYes : str::ReportNo);
    }
    void Relay(const char* format, int number, int code) {
        char text[512];
        t.Format(format, number);
        relayReportText(code, text, sizeof text);
        t.Append(text);
        t.Append("\r");
    }

    void Heading(const ReportHeading& h);
    void General();
    void Outputs();
    void Times();
    void Stops();
    void Door();
    void Advanced();
};

void Report::Heading(const ReportHeading& h) {
    t.Format("\r                        %10s %-10s", h.companyLine1 ? h.companyLine1 : "",
             h.companyLine2 ? h.companyLine2 : "");
    t.Append("\r");
    Text(str::ReportTitle);
    t.Format("%d.%d.%d", (int)(h.productVersionMS >> 16), (int)(h.productVersionMS & 0xFFFF),
             (int)(h.productVersionLS >> 16));
    t.Append("\r\r\r");
    char date[256];
    FormatDateLine(h.now, date, sizeof date);
    t.Append(date);
}

void Report::General() {
    char site[kSiteNameSize + 1];
    CopySiteName(c, site, sizeof site);
    t.Append("\r\r- CONFIGURACION GENERAL");
    t.Append(W1252("\r\r- Identificación\r\r"));
    t.Format("Obra:                  %s\r", site);
    t.Format(W1252("Sistema número:        %05u\r"), (unsigned)c.systemNumber);
    t.Append(W1252("Cabina número:         "));
    if (c.controllerFunction == 0)
        t.Append("E\r");
    else
        t.Format("%d\r", c.cabinNumber);
    t.Append(W1252("\r\r- Definición\r\r"));
    Line(W1252("Función:               "), ControllerFunctionTextId(c.controllerFunction));
    if (c.controllerFunction == 0) return;
    Line("Tipo:                  ", ControlTypeTextId(c.controlType));
    t.Format("Cantidad de paradas:  %02d\r", c.stopCount);
    YesNoLine(W1252("Con renivelación:     "), c.optionFlags & kOptionReleveling);
    if (c.controllerFunction != 2)
        YesNoLine("Pulsadores ext. ind:  ", c.independentHallButtons & 1);
    Line("Sistema de Pantallas:  ", ScreenSystemTextId(c.screenSystem));
    t.Format("Velocidad de cabina: %3d m/min\r", c.carSpeed);
    t.Format("Primera parada:       %2d\r", c.firstServedStop);
    t.Format("Ultima parada:        %2d\r", c.lastServedStop);
}

void Report::Outputs() {
    t.Append("\r\r- CONFIGURACION DE SALIDAS\r\r");
    Line("Salida Auxiliar:   ", AuxOutputTypeTextId(c.auxOutputType));
    t.Append("\r");
    for (int i = 0; i < kRelayCount; ++i)
        Relay(W1252("Relé %2d:           "), i + 1, c.relayFunction[i]);
    t.Append("\r");
    // A 14-segment indicator takes terminals 3 and 4.
    bool segments14 = c.optionFlags & kOptionSegments14;
    int terminals = segments14 ? 2 : kAuxTerminalCount;
    for (int i = 0; i < terminals; ++i)
        Relay(W1252("Relé auxliar %2d:   "), i + 1, c.auxTerminalFunction[i]);
    t.Append(segments14 ? W1252("\rInd. de posición:  14 segmentos\r")
                        : W1252("\rInd. de posición:  7 segmentos\r"));
}

void Report::Times() {
    t.Append("\r\r- CONFIGURACION DE TIEMPOS\r\r");
    t.Format(W1252("TEP   - Límite entre pantallas:         %3d seg.\r"), c.TEP);
    t.Format("TALA  - A alarma por falta de SM:       %3d seg.\r", c.TALA);
    t.Format("TZUM  - Tolerancia a ascensorista:      %3d seg.\r", c.TZUM);
    t.Format("TPA   - Parada:                         %3d seg.\r", c.TPA);
    t.Format("TACL  - A coche libre:                  %3d seg.\r", c.TACL);
    t.Format("TACEA - Aceleradora de alta:            %3d dec.\r", c.TACEA);
    t.Format("TACEB - Aceleradora de baja:            %3d dec.\r", c.TACEB);
    t.Format(W1252("TINHP - Inhibición de parada            %3d dec.\r"), c.TINHP);
    t.Format(W1252("TARR  - De relé auxiliar de arranque    %3d dec.\r"), c.TARR);
    t.Format("TOPC  - Preferencia de cabina           %3d seg.\r", c.TOPC);
    t.Format("TNIV0 - A descanso a nivel 0:           %3d min.\r", c.TNIV0);
    t.Format("TRETP - Retardo para parar:             %3d dec.\r", c.TRETP);
    t.Format(W1252("TAPA  - Límite operador de puerta       %3d seg.\r"), c.TAPA);
    t.Format(W1252("TESTR - Estrella / triángulo            %3d dec.\r"), c.TESTR);
    t.Format("TGON  - Gong                            %3d dec.\r", c.TGON);
    t.Format("TGEN  - Generador                       %3d min.\r", c.TGEN);
}

void Report::Stops() {
    t.Append("\r\r- CONFIGURACION DE PARADAS\r\r");
    t.Append("Parada    Nombre    Abre puerta    No atiende llamadas\r");
    t.Append("                      1     2         Asc.  Des.  Cab.\r");
    // stopCount comes from the image and may be anything; only 24 stops exist.
    int stops = c.stopCount < kMaxStops ? c.stopCount : kMaxStops;
    for (int stop = stops; stop >= 1; --stop) {
        int i = stop - 1;
        char name[kStopNameSize + 1];
        CopyStopName(c, i, name, sizeof name);
        t.Format("  %2d        %2s        ", stop, name);
        t.Append(c.stopDoors[i] & 1 ? "x     " : "      ");
        t.Append(c.stopDoors[i] & 2 ? "x          " : "           ");
        t.Append(c.stopCallsNotServed[i] & kNotServedUp ? "x     " : "      ");
        t.Append(c.stopCallsNotServed[i] & kNotServedDown ? "x     " : "      ");
        t.Append(c.stopCallsNotServed[i] & kNotServedCabin ? "x" : " ");
        t.Append("\r");
    }
}

void Report::Door() {
    t.Append("\r\r- CONFIGURACION DE PUERTA\r\r");
    t.Append("Tipo:                 ");
    t.Append(automaticDoor() ? W1252("Automática") : "Manual");
    t.Append("\r");
    t.Append(W1252("\r\r- Configuración general\r\r"));
    YesNoLine("Cont. de precierre:   ", c.preClosingContact == 1);
    if (!automaticDoor()) return;
    int bits = c.doorMode - 1;
    t.Append(W1252("\r\r- Configuración de puerta automática\r\r"));
    t.Append("Reposa:               ");
    t.Append(bits & 1 ? "Abierta" : "Cerrada");
    t.Append("\r");
    if (c.screenSystem == 1 || c.screenSystem == 4) {
        t.Append("Zona de puerta:       ");
        t.Append(bits & 2 ? W1252("Máxima") : W1252("Mínima"));
        t.Append("\r");
    }
    YesNoLine("Apertura retardada:   ", bits & 4);
    YesNoLine("Preapertura:          ", c.preOpening != 0);
    YesNoLine("Abre siempre:         ", c.alwaysOpenOnArrival != 0);
    t.Append("\r\r- Operador de puerta\r\r");
    t.Format("Intentos de cierre:  %2d\r", c.closeAttempts);
    t.Format("Intentos de apertura:%2d\r", c.openAttempts);
}

void Report::Advanced() {
    t.Append("\r\r- CONFIGURACION AVANZADA");
    t.Append("\r\r- Estaciones\r\r");
    t.Format(W1252("Estación de reposo:   %02d\r"), c.restStation);
    t.Format(W1252("Estación de incendio: %02d\r"), c.fireStation);
    t.Append("\r\r- Varios\r\r");
    int port = SupervisionPort(c);
    Line(W1252("Puerto de supervisión: "), SupervisionPortTextId(port));
    if (port != 3) {
        t.Append("Anunciador vocal ");
        t.Append(c.specialVoiceAnnouncer ? "especial" : W1252("estándar"));
        t.Append("\r");
    }
    t.Append("\r\r- Borrado de llamadas de cabina\r\r");
    t.Format("Paradas falsas:       %02d\r", c.falseStopLimit);
    t.Format(W1252("Llam. peso mínimo:    %02d\r"), c.minLoadCabinCallLimit);
    if (c.controllerFunction != 3) return;
    t.Append("\r\r- Funcionamiento duplex\r\r");
    auto station = [&](const char* format, int stop, bool restsClosed) {
        t.Format(format, stop);
        if (automaticDoor()) {
            t.Append(" - descansa con puerta ");
            t.Append(restsClosed ? "Cerrada" : "Abierta");
        }
        t.Append("\r");
    };
    station(W1252("Estación principal:   %02d"), c.duplexMainStation, c.mainRestsDoorClosed);
    station(W1252("Estación secundaria:  %02d"), c.duplexSecondaryStation,
            c.secondaryRestsDoorClosed);
}

} // namespace

int BuildConfigReport(const ControllerConfig& config, const ReportHeading& heading, char* out,
                      int size) {
    if (size <= 0) return 0;
    TextBuilder t(out, (size_t)size);
    Report r{config, t};
    r.Heading(heading);
    r.General();
    bool full = config.controllerFunction != 0;
    if (full) {
        r.Outputs();
        r.Times();
    }
    r.Stops();
    if (full) {
        r.Door();
        r.Advanced();
        t.DropLast('\r');
    }
    return (int)t.length;
}
