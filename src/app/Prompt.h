// Prompt: message boxes and OK/Cancel questions of core procedures, forwarded to whichever host shows them.
#pragma once

#include <string>

enum class MessageKind { Information, Warning, Error, Question };

// What shows messages and asks questions: the GUI's message boxes, the CLI's terminal, a test's script.
class iPromptHost {
public:
    virtual ~iPromptHost() = default;
    // A message with an OK button.
    virtual void ShowMessage(const std::string& title, const std::string& text, MessageKind kind) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool AskOkCancel(const std::string& title, const std::string& text, MessageKind kind) = 0;
};

// Installs the host (null: none); returns the previous one. The caller keeps ownership.
iPromptHost* SetPromptHost(iPromptHost* host);
iPromptHost* GetPromptHost();

// The answer questions get while no host is installed; false (Cancel) unless changed, so that nothing
// destructive happens without someone to ask. Returns the previous answer.
bool SetDefaultPromptAnswer(bool ok);

// Shows a message through the host; nothing without one.
void ShowMessageBox(const std::string& title, const std::string& text, MessageKind kind = MessageKind::Information);
// Asks through the host; without one, the default answer. True for OK.
bool AskOkCancel(const std::string& title, const std::string& text, MessageKind kind = MessageKind::Question);

// Installs a host for the life of the object and restores the previous one afterwards.
class ScopedPromptHost {
public:
    explicit ScopedPromptHost(iPromptHost* host) : previous_(SetPromptHost(host)) {}
    ~ScopedPromptHost() { SetPromptHost(previous_); }
    ScopedPromptHost(const ScopedPromptHost&) = delete;
    ScopedPromptHost& operator=(const ScopedPromptHost&) = delete;

private:
    iPromptHost* previous_;
};
