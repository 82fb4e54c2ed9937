#include "promptermessagesink.h"

#include "prompter.h"

#include <QApplication>

namespace korva {

void PrompterMessageSink::ShowMessage(const std::string& text) {
    Prompts().Inform(QApplication::activeWindow(), QString::fromStdString(text));
}

} // namespace korva
