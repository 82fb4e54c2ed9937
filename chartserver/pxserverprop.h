#pragma once
// PXServerProp: the chart property object of one page request. Chart
// properties pass straight through to Graph1 on the hidden form, each access
// traced; Path, URL, OutPut, DTCSetSession, KeepSeconds and TraceClass are
// held by the object and steer where images go and how long they live.
#include "dispatchable.h"
#include "loader.h"
#include "pxform.h"

#include <memory>
#include <string>

namespace korva::pxserver {

struct ChartProperty;

class PXServerProp : public Dispatchable {
public:
    PXServerProp();
    ~PXServerProp() override; // ends the session by DTCSetSession

    // Chart properties by name; throw PxError or plot::ChartError.
    Value GetChartProperty(const ChartProperty& property, std::optional<int16_t> index);
    void SetChartProperty(const ChartProperty& property, std::optional<int16_t> index,
                          const Value& value);

    std::string StartSession();
    // The image address (address folder + base name, without extension) or a
    // text beginning with "Error: "; never throws.
    std::string DrawGraph(const std::string& session);
    std::string GetMap(const std::string& file, bool killFile);
    bool KillSession(const std::string& session);

    const std::string& SessionName() const { return sessionName_; }
    PXForm& Form() { return *form_; }
    void SetPath(const std::string& path);
    const std::string& Path() const { return path_; }
    void SetURL(const std::string& url);
    std::string URL();
    void SetOutPut(const std::string& extension);
    std::string OutPut();
    void SetKeepSeconds(int32_t seconds);
    int32_t KeepSeconds() const { return keepSeconds_; }
    void SetTraceClass(bool on);
    bool TraceClass() const { return traceFlag_; }
    void SetDTCSetSession(int32_t mode) { sessionMode_ = mode; }
    int32_t DTCSetSession() const { return sessionMode_; }

    std::optional<MemberKind> Describe(std::string_view name) const override;
    Value Get(std::string_view name, std::optional<int16_t> index) override;
    void Put(std::string_view name, std::optional<int16_t> index, const Value& value) override;
    Value Call(std::string_view name, std::span<const Value> args) override;

private:
    void Trace(const std::string& text) const;
    std::string Suffix() const { return "     " + sessionName_; }
    std::string DrawGraphSteps(std::string session);

    // In the order the object is made.
    std::shared_ptr<PXForm> form_;
    std::shared_ptr<Loader> loader_;
    std::string sessionName_;
    bool traceFlag_ = false;
    std::string output_ = ".JPG";
    std::string url_ = "images/";
    std::string path_ = "images/";
    int32_t sessionMode_ = 2;
    int32_t keepSeconds_ = 180;
};

} // namespace korva::pxserver
