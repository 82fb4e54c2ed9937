#include "pxform.h"

#include "component.h"
#include "pxerror.h"

namespace korva::pxserver {

PXForm::PXForm() {
    traceFlag_ = Component::Instance().ConfiguredTraceFlag();
    Event("Form_Initialize()");
}

PXForm::~PXForm() {
    try {
        Event("Form_Terminate()");
    } catch (...) {
        // A trace line is never worth a failure at release.
    }
}

void PXForm::Event(const char* name) const {
    Component::Instance().Trace(name, traceFlag_);
}

void PXForm::Load() {
    if (chart_) return;
    traceFlag_ = Component::Instance().ConfiguredTraceFlag();
    chart_ = Component::Instance().MakeChart();
    Event("Form_Load()");
}

void PXForm::Unload() {
    if (!chart_) return;
    Event("Form_QueryUnload()");
    Event("Form_Unload()");
    visible_ = false;
    chart_.reset();
}

void PXForm::Show() {
    Load();
    if (visible_) return;
    visible_ = true;
    Event("Form_Activate()");
    Event("Form_Resize()");
    Event("Form_Paint()");
}

void PXForm::Hide() {
    visible_ = false;
}

ChartSurface& PXForm::Graph1() {
    Load();
    return *chart_;
}

std::optional<MemberKind> PXForm::Describe(std::string_view name) const {
    if (SameName(name, "ScaleMode") || SameName(name, "Visible")) return MemberKind::Property;
    if (SameName(name, "Show") || SameName(name, "Hide") || SameName(name, "Load") ||
        SameName(name, "Unload"))
        return MemberKind::Method;
    return std::nullopt;
}

Value PXForm::Get(std::string_view name, std::optional<int16_t>) {
    if (SameName(name, "ScaleMode")) return scaleMode_;
    if (SameName(name, "Visible")) return visible_;
    throw PxError::UnknownMember(std::string(name));
}

void PXForm::Put(std::string_view name, std::optional<int16_t>, const Value& value) {
    if (SameName(name, "ScaleMode")) {
        scaleMode_ = ToInteger(value);
    } else if (SameName(name, "Visible")) {
        ToBoolean(value) ? Show() : Hide();
    } else {
        throw PxError::UnknownMember(std::string(name));
    }
}

Value PXForm::Call(std::string_view name, std::span<const Value>) {
    if (SameName(name, "Show"))
        Show();
    else if (SameName(name, "Hide"))
        Hide();
    else if (SameName(name, "Load"))
        Load();
    else if (SameName(name, "Unload"))
        Unload();
    else
        throw PxError::UnknownMember(std::string(name));
    return {};
}

} // namespace korva::pxserver
