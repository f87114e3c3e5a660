#include "app/status_bar_layout.h"

int StatusPartEdges(const int* positions, int count, int width, int* edges) {
    int n = 0;
    for (int i = 1; i < count; ++i)
        edges[n++] = positions[i] >= 0 ? positions[i] : width + positions[i];
    edges[n++] = width - kSizeGripPartWidth;
    edges[n++] = -1;
    return n;
}
