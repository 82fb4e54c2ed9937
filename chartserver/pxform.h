#pragma once
// PXForm: the hidden form that hosts the chart control Graph1. It is never
// shown on a server; its events only trace their names when its own trace
// flag (key TraceClass, read on initialise and on load) is on.
#include "chartsurface.h"
#include "dispatchable.h"

#include <memory>
#include <mutex>

namespace korva::pxserver {

class PXForm : public Dispatchable {
public:
    PXForm();  // "Form_Initialize()"
    ~PXForm(); // "Form_Terminate()"

    // Creates Graph1 and traces "Form_Load()"; a loaded form stays as it is.
    void Load();
    // "Form_QueryUnload()", "Form_Unload()"; Graph1 and its properties go.
    void Unload();
    void Show(); // "Form_Activate()", "Form_Resize()", "Form_Paint()"
    void Hide();

    bool IsLoaded() const { return chart_ != nullptr; }
    bool IsVisible() const { return visible_; }
    int16_t ScaleMode() const { return scaleMode_; }
    void SetScaleMode(int16_t mode) { scaleMode_ = mode; }

    // The chart control; reaching it loads the form again after an unload,
    // as a control on an unloaded form does.
    ChartSurface& Graph1();

    std::optional<MemberKind> Describe(std::string_view name) const override;
    Value Get(std::string_view name, std::optional<int16_t> index) override;
    void Put(std::string_view name, std::optional<int16_t> index, const Value& value) override;
    Value Call(std::string_view name, std::span<const Value> args) override;

private:
    void Event(const char* name) const;

    bool traceFlag_ = false;
    bool visible_ = false;
    int16_t scaleMode_ = 1; // twips, until a caller asks for pixels
    std::unique_ptr<ChartSurface> chart_;
};

} // namespace korva::pxserver
