// Writes the label of a configuration file as an SVG picture, to look at a label without
// Windows:  label_svg [FILE.Z94 [LINE1 [LINE2]]] > label.svg
// Without a file it draws the new configuration; the company lines default to the program's.
#include "app/config_file.h"
#include "label/label_renderer.h"
#include "label/label_svg.h"

#include <cstdio>

int main(int argc, char** argv) {
    ControllerConfig image = MakeEmptyConfig();
    if (argc > 1) {
        unsigned char bytes[kConfigFileSize];
        FILE* file = std::fopen(argv[1], "rb");
        int size = file ? (int)std::fread(bytes, 1, sizeof bytes, file) : 0;
        if (file) std::fclose(file);
        if (!DecodeConfigFile(bytes, size, image)) {
            std::fprintf(stderr, "%s: not a configuration file\n", argv[1]);
            return 1;
        }
    }
    RecordingCanvas canvas;
    DrawLabel(canvas.Canvas(), image, argc > 2 ? argv[2] : "BRIVALT", argc > 3 ? argv[3] : "S.A.");
    std::fputs(LabelSvg(canvas.elements).c_str(), stdout);
    return 0;
}
