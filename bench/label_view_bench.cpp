// Repaint benchmark of the label view, run under Wine: the view in a window of the main
// window's default size, fitted to the label's width and then at 800 %, each repainted in full
// 100 times (the label drawn off screen, then copied: the configuration changes before every
// repaint, as after an edit), and then 100 times unchanged (the view uncovered: the picture
// painted last is copied); prints the median and spread of each as a fraction of a 60 Hz frame,
// and the processor time of a repaint (mean of the same repaints).
//
//   label_view_bench.exe [REPAINTS]
#include "config/controller_config.h"
#include "label/win32/label_view.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr double kFrameMs = 1000.0 / 60;

// The expanded label: the most elements a label has.
ControllerConfig g_image;

void ReadContent(void*, LabelContent* content) {
    *content = {g_image, "BRIVALT", "S.A."};
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

double Ms(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[size_t(p * double(v.size() - 1) + 0.5)];
}

// This thread's processor time in milliseconds: on a machine shared with other work the wall
// time per repaint says less than what the repaint itself costs.
double ThreadCpuMs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

void Measure(LabelView& view, const char* what, int repaints, bool changed) {
    std::vector<double> ms;
    double cpuStart = ThreadCpuMs();
    for (int i = 0; i < repaints; ++i) {
        // The system number is printed on the label: a real change, of the same cost each time.
        if (changed) g_image.systemNumber = uint16_t(g_image.systemNumber == 7 ? 8 : 7);
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        InvalidateRect(view.window, nullptr, FALSE);
        UpdateWindow(view.window);
        GdiFlush();
        QueryPerformanceCounter(&end);
        ms.push_back(Ms(start, end));
    }
    double cpu = (ThreadCpuMs() - cpuStart) / repaints;
    double median = Percentile(ms, 0.5);
    std::printf("%-30s zoom %5d %%  median %6.2f ms = %.2f frame  min %6.2f  max %6.2f  "
                "IQR %5.2f  processor %6.2f ms = %.2f frame\n",
                what, view.ZoomPercent(), median, median / kFrameMs,
                *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()),
                Percentile(ms, 0.75) - Percentile(ms, 0.25), cpu, cpu / kFrameMs);
}

} // namespace

int main(int argc, char** argv) {
    int repaints = argc > 1 ? std::atoi(argv[1]) : 100;
    g_image = MakeEmptyConfig();
    g_image.controlType = 4;
    g_image.stopCount = 24;
    for (int k = 0; k < kRelayCount; ++k)
        g_image.relayFunction[k] = (uint8_t)(k + 1);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = instance;
    wc.lpszClassName = "LabelBenchParent";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, wc.lpszClassName, "label", WS_OVERLAPPEDWINDOW, 10, 10, 620,
                                  460, nullptr, nullptr, instance, nullptr);
    ShowWindow(parent, SW_SHOW);
    LabelView view;
    if (!parent || !view.Create(instance, parent, {nullptr, ReadContent})) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }
    view.LayoutView(0, 0);
    RECT client;
    GetClientRect(view.window, &client);
    std::printf("view %ld x %ld pixels, expanded label, %d repaints each\n", client.right,
                client.bottom, repaints);
    view.FitLabelWidth();
    Measure(view, "width of the label", repaints, true);
    Measure(view, "width of the label, unchanged", repaints, false);
    view.state.zoomPercent = 800;
    view.state.CenterOn(500, 950);
    view.RefreshView();
    Measure(view, "800 %", repaints, true);
    Measure(view, "800 %, unchanged", repaints, false);
    DestroyWindow(parent);
    return 0;
}
