#include "messages.h"

#include <atomic>
#include <cstdio>

namespace korva {

namespace {
StderrMessageSink stderrSink;
std::atomic<MessageSink*> currentSink{&stderrSink};
} // namespace

void StderrMessageSink::ShowMessage(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

void ShowMessage(const std::string& text) {
    currentSink.load()->ShowMessage(text);
}

MessageSink* SetMessageSink(MessageSink* sink) {
    MessageSink* previous = currentSink.exchange(sink ? sink : &stderrSink);
    return previous == &stderrSink ? nullptr : previous;
}

} // namespace korva
