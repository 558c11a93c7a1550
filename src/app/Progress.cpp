// Progress: the front of the progress log: current-log tracking and forwarding to the installed host.
#include "app/Progress.h"

namespace {
iProgressHost* gHost = nullptr;
bool gActive = false;
}  // namespace

iProgressHost* SetProgressHost(iProgressHost* host) {
    iProgressHost* previous = gHost;
    gHost = host;
    gActive = false;
    return previous;
}

iProgressHost* GetProgressHost() { return gHost; }

void ProgressBegin(const char* title, int32_t total, int32_t start) {
    if (!gHost) return;
    ProgressEnd();
    gHost->Begin(title ? title : "", total, start);
    gActive = true;
}

int ProgressLog(int32_t step, const char* text, int style, uint8_t red, uint8_t green, uint8_t blue, bool redraw) {
    if (!gHost || !gActive) return 0;
    gHost->Log(step, text, style, red, green, blue, redraw);
    return 1;
}

void ProgressEnd() {
    if (!gHost || !gActive) return;
    // Not current any more before the host runs, so a host that logs from End cannot recurse.
    gActive = false;
    gHost->End();
}

void ProgressSetRange(int32_t total, int32_t position) {
    if (!gHost || !gActive) return;
    gHost->SetRange(total, position);
}

bool IsProgressActive() { return gHost && gActive; }

void ProgressDropCurrent() { gActive = false; }
