#pragma once
// Component: what all objects of one loaded component share: its own folder
// (for "Tracker.txt", "PXPropVB.INI" and pxfkill), the configuration lookups
// and the chart factory that makes each hidden form's Graph1.
#include "chartsurface.h"

#include <memory>
#include <string>
#include <string_view>

namespace korva::pxserver {

class Component {
public:
    static Component& Instance();

    std::string OwnFolder() const;
    // Lets a test run the component from a temporary folder.
    void SetOwnFolder(std::string folder);

    void SetChartFactory(ChartFactory factory);
    std::unique_ptr<ChartSurface> MakeChart() const;

    // Appends a trace line to "Tracker.txt" in the own folder when on is true.
    void Trace(std::string_view text, bool on) const;

    // Key of section from "PXPropVB.ini" by the rule for a bare profile name.
    std::string ReadSystemProfile(std::string_view section, std::string_view key) const;
    // Key of section from "PXPropVB.INI" in the own folder when that file
    // exists, else by the rule for a bare profile name.
    std::string ReadConfiguration(std::string_view section, std::string_view key) const;

    // The trace flag configured for new objects: key TraceClass of System.
    bool ConfiguredTraceFlag() const;

private:
    Component();
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace korva::pxserver
