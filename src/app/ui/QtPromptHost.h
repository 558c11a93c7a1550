// QtPromptHost: the GUI's prompt host: message boxes and OK/Cancel questions as Qt message boxes.
#pragma once

#include "app/Prompt.h"

class QtPromptHost : public iPromptHost {
public:
    ~QtPromptHost() override;
    void ShowMessage(const std::string& title, const std::string& text, MessageKind kind) override;
    bool AskOkCancel(const std::string& title, const std::string& text, MessageKind kind) override;
};
