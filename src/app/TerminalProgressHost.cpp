// TerminalProgressHost: progress log, bar and prompts on the terminal for reshaper-cli.
#include "app/TerminalProgressHost.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kBarWidth = 30;
constexpr size_t kBarTitleWidth = 36;
const char* const kReset = "\033[0m";
const char* const kBold = "\033[1m";

bool IsTerminal(FILE* f) { return f && ::isatty(::fileno(f)) == 1; }

bool Decide(int forced, bool automatic) { return forced < 0 ? automatic : forced != 0; }

}  // namespace

TerminalProgressHost::TerminalProgressHost(const TerminalHostOptions& options) : options_(options) {
    const char* noColour = std::getenv("NO_COLOR");
    bool allowColour = !(noColour && *noColour);
    colours_ = Decide(options.colours, IsTerminal(options.out) && allowColour);
    errColours_ = Decide(options.colours, IsTerminal(options.err) && allowColour);
    outIsTerminal_ = IsTerminal(options.out);
    bar_ = Decide(options.progressBar, IsTerminal(options.err));
    interactive_ = Decide(options.interactive, IsTerminal(options.in) && IsTerminal(options.err));
}

TerminalProgressHost::~TerminalProgressHost() { ClearBar(); }

std::string TerminalProgressHost::ColourEscape(uint8_t red, uint8_t green, uint8_t blue) {
    // Near black and every grey up to white are left to the terminal, whose background may be dark or light.
    int bits = (red >= 96 ? 1 : 0) | (green >= 96 ? 2 : 0) | (blue >= 96 ? 4 : 0);
    if (bits == 0 || bits == 7) return std::string();
    return "\033[" + std::to_string(30 + bits) + "m";
}

std::string TerminalProgressHost::CleanText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out.push_back('\n');
        } else if (c == '\n' || c == '\t') {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x20 || c == 0x7F) {
            out.push_back('?');
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::string TerminalProgressHost::Shown(const std::string& text) const {
    return options_.shown ? options_.shown(CleanText(text)) : CleanText(text);
}

void TerminalProgressHost::ClearBar() {
    if (!barShown_) return;
    std::fputs("\r\033[K", options_.err);
    std::fflush(options_.err);
    barShown_ = false;
}

void TerminalProgressHost::DrawBar(bool force) {
    if (!bar_ || !active_) return;
    int64_t pos = std::clamp<int64_t>(position_, 0, std::max<int64_t>(total_, 0));
    int percent = total_ > 0 ? static_cast<int>(pos * 100 / total_) : 0;
    if (!force && barShown_ && percent == lastPercent_) return;
    lastPercent_ = percent;
    int filled = total_ > 0 ? static_cast<int>(pos * kBarWidth / total_) : 0;
    std::string title = Shown(title_);
    std::replace(title.begin(), title.end(), '\n', ' ');
    if (title.size() > kBarTitleWidth) {
        size_t cut = kBarTitleWidth - 3;
        while (cut > 0 && (static_cast<unsigned char>(title[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
        title = title.substr(0, cut) + "...";
    }
    std::string line = "\r\033[K" + title + " [" + std::string(static_cast<size_t>(filled), '#') +
                       std::string(static_cast<size_t>(kBarWidth - filled), '.') + "] " + std::to_string(percent) + "%";
    std::fputs(line.c_str(), options_.err);
    std::fflush(options_.err);
    barShown_ = true;
}

void TerminalProgressHost::PrintOut(const std::string& text, const std::string& prefix) {
    if (text.empty()) return;
    ClearBar();
    // The escapes close before a final line end, so a colour never leaks into the next line.
    size_t body = text.size();
    while (body > 0 && text[body - 1] == '\n') --body;
    if (colours_ && !prefix.empty() && body > 0) {
        std::fputs(prefix.c_str(), options_.out);
        std::fwrite(text.data(), 1, body, options_.out);
        std::fputs(kReset, options_.out);
        std::fwrite(text.data() + body, 1, text.size() - body, options_.out);
    } else {
        std::fwrite(text.data(), 1, text.size(), options_.out);
    }
    std::fflush(options_.out);
    atLineStart_ = text.back() == '\n';
}

void TerminalProgressHost::Begin(const char* title, int32_t total, int32_t start) {
    title_ = title ? title : "";
    total_ = total;
    position_ = start;
    lastPercent_ = -1;
    active_ = true;
    if (!atLineStart_) PrintOut("\n", "");
    if (!title_.empty()) PrintOut(Shown(title_) + "\n", kBold);
    DrawBar(true);
}

void TerminalProgressHost::Log(int32_t step, const char* text, int style, uint8_t red, uint8_t green, uint8_t blue,
                               bool redraw) {
    if (step > 0) position_ += step;
    bool printed = false;
    if (text && *text) {
        std::string prefix = ColourEscape(red, green, blue);
        if (style >= 1 && style <= 4) prefix = kBold + prefix;
        PrintOut(Shown(text), prefix);
        printed = true;
    }
    // A bar drawn in the middle of a line of text would split it; it comes back once the line is complete.
    if (atLineStart_ || !outIsTerminal_) DrawBar(printed || redraw);
}

void TerminalProgressHost::End() {
    ClearBar();
    if (!atLineStart_) PrintOut("\n", "");
    active_ = false;
}

void TerminalProgressHost::SetRange(int32_t total, int32_t position) {
    total_ = total;
    position_ = position;
    DrawBar(true);
}

void TerminalProgressHost::ShowMessage(const std::string& title, const std::string& text, MessageKind kind) {
    ClearBar();
    std::string body = Shown(text);
    while (!body.empty() && body.back() == '\n') body.pop_back();
    bool colour = errColours_;
    std::string head = Shown(title);
    if (colour && kind == MessageKind::Error) head = std::string("\033[1;31m") + head + kReset;
    if (colour && kind == MessageKind::Warning) head = std::string("\033[1;33m") + head + kReset;
    std::fprintf(options_.err, "%s: %s\n", head.c_str(), body.c_str());
    std::fflush(options_.err);
    DrawBar(true);
}

bool TerminalProgressHost::AskOkCancel(const std::string& title, const std::string& text, MessageKind) {
    ClearBar();
    std::string body = Shown(text);
    while (!body.empty() && body.back() == '\n') body.pop_back();
    std::fprintf(options_.err, "%s: %s [y/N] ", Shown(title).c_str(), body.c_str());
    bool answer = false;
    if (options_.assumeYes) {
        std::fputs("y (--yes)\n", options_.err);
        answer = true;
    } else if (interactive_) {
        std::fflush(options_.err);
        char line[64];
        if (std::fgets(line, sizeof line, options_.in)) {
            std::string reply(line);
            // The rest of an overlong answer is read and dropped, so it cannot answer the next question.
            if (reply.find('\n') == std::string::npos) {
                int c;
                while ((c = std::fgetc(options_.in)) != EOF && c != '\n') {
                }
            }
            while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r' || reply.back() == ' '))
                reply.pop_back();
            size_t start = reply.find_first_not_of(' ');
            reply = start == std::string::npos ? std::string() : reply.substr(start);
            for (char& c : reply) c = static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
            answer = reply == "y" || reply == "yes";
        } else {
            std::fputs("\n", options_.err);
        }
    } else {
        std::fputs("n (no terminal to ask; --yes answers yes)\n", options_.err);
    }
    std::fflush(options_.err);
    DrawBar(true);
    return answer;
}
