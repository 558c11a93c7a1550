// RecordingHosts: progress and prompt hosts for tests that record every call and answer questions from a script.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "app/Progress.h"
#include "app/Prompt.h"

namespace reshaper_test {

struct ProgressCall {
    enum Kind { Begin, Log, End, SetRange };
    Kind kind = Begin;
    std::string title;  // Begin
    int32_t total = 0;  // Begin, SetRange
    int32_t start = 0;  // Begin: start; SetRange: position
    int32_t step = 0;   // Log
    bool hasText = false;
    std::string text;  // Log, when hasText
    int style = 0;
    uint8_t red = 0, green = 0, blue = 0;
    bool redraw = false;
};

class RecordingProgressHost : public iProgressHost {
public:
    void Begin(const char* title, int32_t total, int32_t start) override;
    void Log(int32_t step, const char* text, int style, uint8_t red, uint8_t green, uint8_t blue, bool redraw) override;
    void End() override;
    void SetRange(int32_t total, int32_t position) override;

    std::vector<ProgressCall> calls;
    // Every text logged, joined in order.
    std::string Text() const;
    // The logged texts whose colour is (red, green, blue), joined in order.
    std::string TextInColour(uint8_t red, uint8_t green, uint8_t blue) const;
    // Sum of the positive steps logged since the last Begin, plus its start (the bar's position).
    int64_t Position() const;
};

struct PromptCall {
    bool question = false;
    std::string title;
    std::string text;
    MessageKind kind = MessageKind::Information;
    bool answer = false;  // questions: what was answered
};

class RecordingPromptHost : public iPromptHost {
public:
    void ShowMessage(const std::string& title, const std::string& text, MessageKind kind) override;
    // Answers with the next scripted answer, or `defaultAnswer` when the script is used up.
    bool AskOkCancel(const std::string& title, const std::string& text, MessageKind kind) override;

    std::deque<bool> answers;
    bool defaultAnswer = false;
    std::vector<PromptCall> calls;
    size_t CountMessages() const;
    size_t CountQuestions() const;
};

}  // namespace reshaper_test
