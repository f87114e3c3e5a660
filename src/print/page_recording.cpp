#include "print/page_recording.h"

namespace {

struct Recorder {
    PageRecording* recording;
    RecordedPage current; // the lines since the last page ended
};

Recorder& Of(void* context) {
    return *static_cast<Recorder*>(context);
}

} // namespace

PageRecording RecordTextPages(const char* text, const TextGrid& grid) {
    PageRecording recording;
    Recorder recorder{&recording, {}};
    // A page is what is ended: a job's pages are the ones it ends, however they were started.
    PrintDevice device{};
    device.context = &recorder;
    device.textOut = [](void* c, int x, int y, const char* line, int length) {
        Of(c).current.push_back({x, y, std::string(line, (size_t)length)});
    };
    device.endPage = [](void* c) {
        Of(c).recording->pages.push_back(std::move(Of(c).current));
        Of(c).current.clear();
        return true;
    };
    device.startPage = [](void*) { return true; };
    device.endDocument = [](void*) { return true; };
    device.abortDocument = [](void*) {};
    device.cancelled = [](void*) { return false; };
    TextPages pages;
    pages.Begin(device, grid);
    recording.outcome = pages.PrintText(text);
    pages.End();
    return recording;
}
