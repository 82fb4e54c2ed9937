#include "component.h"

#include "componentpaths.h"
#include "profilefile.h"
#include "pxerror.h"
#include "tracewriter.h"

#include <filesystem>
#include <mutex>

namespace korva::pxserver {

struct Component::State {
    mutable std::mutex mutex;
    std::string ownFolder = pxserver::OwnFolder();
    ChartFactory chartFactory;
};

Component::Component() : state_(std::make_shared<State>()) {}

Component& Component::Instance() {
    static Component component;
    return component;
}

std::string Component::OwnFolder() const {
    std::lock_guard lock(state_->mutex);
    return state_->ownFolder;
}

void Component::SetOwnFolder(std::string folder) {
    std::lock_guard lock(state_->mutex);
    state_->ownFolder = WithTrailingSlash(std::move(folder));
}

void Component::SetChartFactory(ChartFactory factory) {
    std::lock_guard lock(state_->mutex);
    state_->chartFactory = std::move(factory);
}

std::unique_ptr<ChartSurface> Component::MakeChart() const {
    ChartFactory factory;
    {
        std::lock_guard lock(state_->mutex);
        factory = state_->chartFactory;
    }
    if (!factory) throw PxError(plot::kErrCannotCreate, "The chart control is not available");
    return factory();
}

void Component::Trace(std::string_view text, bool on) const {
    if (on) AppendTraceLine(OwnFolder(), text);
}

std::string Component::ReadSystemProfile(std::string_view section, std::string_view key) const {
    return ProfileFile::ReadString(SystemConfigFolder() + "PXPropVB.ini", section, key);
}

std::string Component::ReadConfiguration(std::string_view section, std::string_view key) const {
    const std::string own = OwnFolder();
    std::error_code ec;
    for (const char* name : {"PXPropVB.INI", "PXPropVB.ini"}) {
        if (std::filesystem::exists(own + name, ec))
            return ProfileFile::ReadString(own + name, section, key);
    }
    return ReadSystemProfile(section, key);
}

bool Component::ConfiguredTraceFlag() const {
    return !ReadSystemProfile("System", "TraceClass").empty();
}

} // namespace korva::pxserver
