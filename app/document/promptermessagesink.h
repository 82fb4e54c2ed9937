#pragma once
// Shows the model's and the file readers' messages in the program's message
// boxes (through the current Prompter, so tests collect them).
#include "model/messages.h"

namespace korva {

class PrompterMessageSink : public MessageSink {
public:
    void ShowMessage(const std::string& text) override;
};

} // namespace korva
