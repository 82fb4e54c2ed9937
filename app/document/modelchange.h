#pragma once
// What a change of the model touched, reported with every command so that
// views and open dialogs refresh only what they show.
#include <QMetaType>

namespace korva {

struct ModelChange {
    enum Part : unsigned {
        Cells = 1u << 0,            // cell parameter values
        Geometry = 1u << 1,         // rows, columns, layers and their spacings
        Boundaries = 1u << 2,       // boundary lists or membership
        BoundaryColors = 1u << 3,   // only the colour of a boundary
        Settings = 1u << 4,         // simulation settings and methods
        Crops = 1u << 5,            // crops and basin-crop table
        Irrigation = 1u << 6,       // irrigation schedules
        Outputs = 1u << 7,          // the output store
        OutputSelection = 1u << 8,  // print dates and time-series cells
        SimulationPeriod = 1u << 9, // start, end and year of the simulation
        Everything = 0xffffffffu,
    };
    unsigned parts = Everything;
    int boundaryType = -1; // the boundary kind whose list changed, or -1
    int hint = 0;          // the views' update hint: 0 model, 1 boundary colour

    bool Touches(unsigned part) const { return (parts & part) != 0; }
};

} // namespace korva

Q_DECLARE_METATYPE(korva::ModelChange)
