#pragma once
// How the model tells the user something. Model and file code never open a
// dialog: they hand each message text to the current sink. The desktop program
// installs one that shows a message box, korva-batch one that writes a line to
// standard error, tests one that collects the texts.
#include <string>
#include <vector>

namespace korva {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(const std::string& text) = 0;
};

// Writes each message as one line to standard error; the sink in force until
// another is installed.
class StderrMessageSink : public MessageSink {
public:
    void ShowMessage(const std::string& text) override;
};

// Keeps the texts, for tests and for callers that want to look at them.
class CollectingMessageSink : public MessageSink {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// Sends text to the current sink.
void ShowMessage(const std::string& text);

// Installs sink (nullptr restores the standard-error sink) and returns the
// previous one. The sink is process-wide, like the program's one message box.
MessageSink* SetMessageSink(MessageSink* sink);

// Installs a sink for the lifetime of this object, then restores the previous one.
class ScopedMessageSink {
public:
    explicit ScopedMessageSink(MessageSink& sink) : previous_(SetMessageSink(&sink)) {}
    ~ScopedMessageSink() { SetMessageSink(previous_); }
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

private:
    MessageSink* previous_;
};

} // namespace korva
