// Prompt: forwarding of message boxes and questions to the installed host.
#include "app/Prompt.h"

namespace {
iPromptHost* gHost = nullptr;
bool gDefaultAnswer = false;
}  // namespace

iPromptHost* SetPromptHost(iPromptHost* host) {
    iPromptHost* previous = gHost;
    gHost = host;
    return previous;
}

iPromptHost* GetPromptHost() { return gHost; }

bool SetDefaultPromptAnswer(bool ok) {
    bool previous = gDefaultAnswer;
    gDefaultAnswer = ok;
    return previous;
}

void ShowMessageBox(const std::string& title, const std::string& text, MessageKind kind) {
    if (gHost) gHost->ShowMessage(title, text, kind);
}

bool AskOkCancel(const std::string& title, const std::string& text, MessageKind kind) {
    return gHost ? gHost->AskOkCancel(title, text, kind) : gDefaultAnswer;
}
