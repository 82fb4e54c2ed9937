// korva-batch export-vtk: the project, and with --outputs its run's results,
// as VTK files for ParaView.
#include "cli/commands/shared.h"
#include "files/project/projectfile.h"
#include "files/vtk/vtkexport.h"
#include "model/griddata.h"

#include <ostream>
#include <string>

namespace korva::cli {

extern const Command ExportVtkCommand;

namespace {

int RunExportVtk(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {"--outputs", "--ascii"}, {}, parsed, ExportVtkCommand, context))
        return ExitUsage;
    if (parsed.positional.size() != 2)
        return UsageError(ExportVtkCommand, context, "expected a project and an output file");
    const std::string& in = parsed.positional[0];
    const std::string& out = parsed.positional[1];

    VtkExportOptions options;
    options.outputs = parsed.Has("--outputs");
    if (parsed.Has("--ascii")) options.encoding = VtkEncoding::Ascii;

    GridData grid;
    StreamMessageSink sink(context.err);
    ScopedMessageSink scoped(sink);
    if (options.outputs) {
        if (!LoadProjectOutputs(grid, in, ExportVtkCommand, context, nullptr)) return ExitFailure;
        if (VtkOutputTimeCount(grid) == 0) {
            context.err << "korva-batch export-vtk: the outputs of " << in
                        << " hold no output time\n";
            return ExitFailure;
        }
    } else if (!ReadProjectFile(grid, in)) {
        return ExitFailure;
    }
    std::string error;
    if (!ExportVtk(grid, out, options, &error)) {
        context.err << "korva-batch export-vtk: cannot write " << error << "\n";
        return ExitFailure;
    }
    if (options.outputs)
        context.out << "Wrote " << out << ", " << VtkOutputTimeCount(grid) << " output times and "
                    << VtkCollectionPath(out) << "\n";
    return ExitSuccess;
}

} // namespace

const Command ExportVtkCommand{
    "export-vtk", "export-vtk [--outputs] [--ascii] IN.kvp OUT.vtr",
    "write the project (and its outputs) as VTK files for ParaView",
    "Writes the grid of the project IN.kvp to OUT.vtr, a VTK XML rectilinear grid that\n"
    "ParaView opens. Coordinates are metres: x along the columns, y along the rows\n"
    "(row 0 at the smallest y, as in the 3D view), z upward from the bottom of the\n"
    "lowest layer (layer 0 on top), without Z exaggeration.\n\n"
    "Cell arrays:\n"
    "  every parameter by its display name (\"Ground Elevation\"); a cell without\n"
    "  data holds NaN. A surface parameter holds its values in the top layer's cells\n"
    "  and NaN in the layers below, so it shows on the ground.\n"
    "  one integer array per boundary kind (\"Natural Boundary\", \"Drain\",\n"
    "  \"Collector\", \"Basin\", \"No Flow\", \"Inactive\"): the 1-based number of the\n"
    "  boundary holding the cell, 0 for none.\n"
    "  \"Time Series Cells\": how many output codes the cell's time-series selection\n"
    "  holds, 0 for none.\n\n"
    "  --outputs   also read the outputs of the project's last run (see 'outputs')\n"
    "              and write one file per output time beside OUT (OUT_0001.vtr, ...)\n"
    "              with every grid output quantity by its name (a surface quantity in\n"
    "              the top layer's cells), and OUT.pvd, the collection ParaView\n"
    "              animates, whose time steps are the output times in days from\n"
    "              1 January of the simulation year.\n"
    "  --ascii     write the numbers as text; by default they follow the XML as raw\n"
    "              binary data, each array behind a 64-bit byte count.\n\n"
    "Each file is written under a temporary name and renamed when complete: a file\n"
    "that cannot be written (folder not writable, disk full) leaves no partial file.\n",
    RunExportVtk};

} // namespace korva::cli
