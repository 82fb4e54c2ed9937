#include "commandtable.h"

namespace korva {

void CommandTable::Register(const QString& id, CommandHandler handler) {
    handlers_[id] = std::move(handler);
    emit StatesMayHaveChanged();
}

void CommandTable::Register(const QString& id, std::function<void(const CommandContext&)> run,
                            std::function<bool(const CommandContext&)> enabled) {
    Register(id, CommandHandler{std::move(run), std::move(enabled), {}});
}

bool CommandTable::Has(const QString& id) const {
    return Find(id) != nullptr;
}

const CommandHandler* CommandTable::Find(const QString& id) const {
    const auto found = handlers_.find(id);
    if (found == handlers_.end() || !found->second.run) return nullptr;
    return &found->second;
}

bool CommandTable::Run(const QString& id, const CommandContext& context) const {
    const CommandHandler* handler = Find(id);
    if (handler == nullptr) return false;
    if (handler->enabled && !handler->enabled(context)) return false;
    handler->run(context);
    return true;
}

bool CommandTable::IsEnabled(const QString& id, const CommandContext& context,
                             bool requiresDocument) const {
    const CommandHandler* handler = Find(id);
    if (handler == nullptr) return false;
    if (handler->enabled) return handler->enabled(context);
    return !requiresDocument || context.document != nullptr;
}

} // namespace korva
