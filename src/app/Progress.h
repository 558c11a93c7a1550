// Progress: the progress log operations of long procedures, forwarded to whichever host shows the log.
#pragma once

#include <cstdint>

// Text styles of ProgressLog. Any other value keeps face and weight and applies only the colour.
constexpr int kProgressStylePlain = 0;    // "Helvetica", regular
constexpr int kProgressStyleBold = 1;     // "Helvetica", bold (2 and 3 are the same)
constexpr int kProgressStyleError = 2;    // bold; callers colour it red
constexpr int kProgressStyleSuccess = 3;  // bold; callers colour it green
constexpr int kProgressStyleFixed = 4;    // "Courier", bold

// What shows the log: the GUI's progress windows, the CLI's terminal, a test's recorder. The front below keeps
// track of whether a log is current, so a host is only called between its Begin and End.
class iProgressHost {
public:
    virtual ~iProgressHost() = default;
    // A new log: range 0..total, position start, empty text, the title shown.
    virtual void Begin(const char* title, int32_t total, int32_t start) = 0;
    // Advances the bar by `step` when step > 0; appends `text` (null: none) in the style and colour; paints at
    // once when `redraw`. Text carries its own line ends ("\r\n").
    virtual void Log(int32_t step, const char* text, int style, uint8_t red, uint8_t green, uint8_t blue,
                     bool redraw) = 0;
    // The operation is over: the log stays readable, it is no longer current.
    virtual void End() = 0;
    virtual void SetRange(int32_t total, int32_t position) = 0;
};

// Installs the host (null: none, the log operations are then silent); returns the previous one. The caller
// keeps ownership. Changing the host drops the current log without calling End.
iProgressHost* SetProgressHost(iProgressHost* host);
iProgressHost* GetProgressHost();

// Ends the current log if there is one (as ProgressEnd), then begins a new one, which becomes current. Nothing
// without a host.
void ProgressBegin(const char* title, int32_t total, int32_t start);
// 0 and nothing done without a current log; 1 after handing the step and text to the host.
int ProgressLog(int32_t step, const char* text, int style = kProgressStylePlain, uint8_t red = 0, uint8_t green = 0,
                uint8_t blue = 0, bool redraw = true);
// Ends the current log; afterwards there is none. Nothing without one.
void ProgressEnd();
// Sets the current log's range and position; nothing without a current log.
void ProgressSetRange(int32_t total, int32_t position);
// True between ProgressBegin and ProgressEnd.
bool IsProgressActive();
// Called by a host whose current log went away without ProgressEnd (the user closed the window): the log
// operations stop writing into it.
void ProgressDropCurrent();

// Installs a host for the life of the object and restores the previous one afterwards.
class ScopedProgressHost {
public:
    explicit ScopedProgressHost(iProgressHost* host) : previous_(SetProgressHost(host)) {}
    ~ScopedProgressHost() { SetProgressHost(previous_); }
    ScopedProgressHost(const ScopedProgressHost&) = delete;
    ScopedProgressHost& operator=(const ScopedProgressHost&) = delete;

private:
    iProgressHost* previous_;
};
