// TerminalProgressHost: the CLI's progress log and prompts: coloured log lines, a progress bar, y/n questions.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "app/Progress.h"
#include "app/Prompt.h"

struct TerminalHostOptions {
    FILE* out = stdout;      // log lines
    FILE* err = stderr;      // progress bar, messages and questions
    FILE* in = stdin;        // answers to questions
    bool assumeYes = false;  // --yes: every question is answered OK without asking
    // -1: decide from the streams (a terminal, and NO_COLOR unset, for colours; a terminal for the bar; both
    // `in` and `err` terminals for asking); 0 or 1 force the choice (tests).
    int colours = -1;
    int progressBar = -1;
    int interactive = -1;
    // Turns a text as printed (CleanText's) into the terminal's characters; unset, texts are printed as they are.
    std::function<std::string(const std::string&)> shown;
};

// Log lines go to `out` with "\r\n" turned into "\n" and control bytes other than line ends and tabs shown as
// '?'; on a terminal in their colour (black and white stay the terminal's own colour; other colours take the
// nearest of the eight basic ones) and bold for styles 1 to 4. The title of each log is printed as a line. The
// bar is drawn on `err` and cleared whenever something else is printed. Messages go to `err` as
// "<title>: <text>". A question prints "<title>: <text> [y/N] " and is answered by --yes, else by a line read
// from the terminal ("y" or "yes", any case, is OK), else (no terminal, end of input) Cancel.
class TerminalProgressHost : public iProgressHost, public iPromptHost {
public:
    explicit TerminalProgressHost(const TerminalHostOptions& options = {});
    ~TerminalProgressHost() override;

    // iProgressHost
    void Begin(const char* title, int32_t total, int32_t start) override;
    void Log(int32_t step, const char* text, int style, uint8_t red, uint8_t green, uint8_t blue, bool redraw) override;
    void End() override;
    void SetRange(int32_t total, int32_t position) override;

    // iPromptHost
    void ShowMessage(const std::string& title, const std::string& text, MessageKind kind) override;
    bool AskOkCancel(const std::string& title, const std::string& text, MessageKind kind) override;

    // The ANSI colour escape for a log colour, or "" for the terminal's own colour.
    static std::string ColourEscape(uint8_t red, uint8_t green, uint8_t blue);
    // Text as printed: "\r\n" and lone "\r" become "\n", other control bytes but '\t' become '?'.
    static std::string CleanText(const std::string& text);

private:
    void DrawBar(bool force);
    void ClearBar();
    void PrintOut(const std::string& text, const std::string& prefix);
    // CleanText's text in the terminal's characters.
    std::string Shown(const std::string& text) const;

    TerminalHostOptions options_;
    bool colours_ = false;
    bool errColours_ = false;
    bool outIsTerminal_ = false;
    bool bar_ = false;
    bool interactive_ = false;
    std::string title_;
    int64_t total_ = 0;
    int64_t position_ = 0;
    int lastPercent_ = -1;
    bool barShown_ = false;
    bool active_ = false;
    bool atLineStart_ = true;
};
