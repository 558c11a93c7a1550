// RecordingHosts: the recorders behind the progress log and prompt fronts in tests.
#include "support/RecordingHosts.h"

namespace reshaper_test {

void RecordingProgressHost::Begin(const char* title, int32_t total, int32_t start) {
    ProgressCall c;
    c.kind = ProgressCall::Begin;
    c.title = title ? title : "";
    c.total = total;
    c.start = start;
    calls.push_back(c);
}

void RecordingProgressHost::Log(int32_t step, const char* text, int style, uint8_t red, uint8_t green, uint8_t blue,
                                bool redraw) {
    ProgressCall c;
    c.kind = ProgressCall::Log;
    c.step = step;
    c.hasText = text != nullptr;
    if (text) c.text = text;
    c.style = style;
    c.red = red;
    c.green = green;
    c.blue = blue;
    c.redraw = redraw;
    calls.push_back(c);
}

void RecordingProgressHost::End() {
    ProgressCall c;
    c.kind = ProgressCall::End;
    calls.push_back(c);
}

void RecordingProgressHost::SetRange(int32_t total, int32_t position) {
    ProgressCall c;
    c.kind = ProgressCall::SetRange;
    c.total = total;
    c.start = position;
    calls.push_back(c);
}

std::string RecordingProgressHost::Text() const {
    std::string out;
    for (const ProgressCall& c : calls)
        if (c.kind == ProgressCall::Log) out += c.text;
    return out;
}

std::string RecordingProgressHost::TextInColour(uint8_t red, uint8_t green, uint8_t blue) const {
    std::string out;
    for (const ProgressCall& c : calls)
        if (c.kind == ProgressCall::Log && c.red == red && c.green == green && c.blue == blue) out += c.text;
    return out;
}

int64_t RecordingProgressHost::Position() const {
    int64_t position = 0;
    for (const ProgressCall& c : calls) {
        if (c.kind == ProgressCall::Begin || c.kind == ProgressCall::SetRange) position = c.start;
        if (c.kind == ProgressCall::Log && c.step > 0) position += c.step;
    }
    return position;
}

void RecordingPromptHost::ShowMessage(const std::string& title, const std::string& text, MessageKind kind) {
    calls.push_back(PromptCall{false, title, text, kind, false});
}

bool RecordingPromptHost::AskOkCancel(const std::string& title, const std::string& text, MessageKind kind) {
    bool answer = defaultAnswer;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    calls.push_back(PromptCall{true, title, text, kind, answer});
    return answer;
}

size_t RecordingPromptHost::CountMessages() const {
    size_t n = 0;
    for (const PromptCall& c : calls) n += c.question ? 0 : 1;
    return n;
}

size_t RecordingPromptHost::CountQuestions() const { return calls.size() - CountMessages(); }

}  // namespace reshaper_test
