// Writing the project file: the sections in the file's order, and the safe
// save that never leaves a half-written project in place of the old one.
#include "files/project/projectfile.h"
#include "files/project/projectrecords.h"
#include "files/project/projecttextwriter.h"
#include "model/messages.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace korva {

namespace {

double EntryOr(const std::vector<double>& list, int i, double fallback) {
    return i >= 0 && static_cast<size_t>(i) < list.size() ? list[static_cast<size_t>(i)] : fallback;
}

void WriteHeaderAndGrid(const GridData& grid, ProjectTextWriter& out) {
    out.Text("file version = 2.5\r\n");
    out.Text("model (0 -> original(2d), 1 -> modified (3d)) =");
    out.Integer(grid.ModelKind());
    out.EndLine();
    out.Text("nrows = ");
    out.Integer(grid.NumRows());
    out.Text(" ncolumns = ");
    out.Integer(grid.NumColumns());
    out.Text(" nlayers = ");
    out.Integer(grid.NumLayers());
    out.EndLine();
    const std::pair<const char*, const std::vector<double>*> spacings[3] = {
        {"row", &grid.RowSpacing()},
        {"column", &grid.ColumnSpacing()},
        {"layer", &grid.LayerSpacing()}};
    for (const auto& [name, list] : spacings) {
        out.Text("spacings for ");
        out.Text(name);
        out.Text(" = ");
        out.NumbersEachFollowedBySpace(list->data(), list->size());
        out.EndLine();
    }
    out.EndLine();
}

void WriteLine(ProjectTextWriter& out, std::string_view label, double value) {
    out.Text(label);
    out.Number(value);
    out.EndLine();
}

void WriteLine(ProjectTextWriter& out, std::string_view label, int64_t value) {
    out.Text(label);
    out.Integer(value);
    out.EndLine();
}

template <size_t N>
void WriteJoinedLine(ProjectTextWriter& out, std::string_view label,
                     const std::array<double, N>& values) {
    out.Text(label);
    out.NumbersJoined(values.data(), N);
    out.EndLine();
}

void WriteSettings(const GridData& grid, ProjectTextWriter& out) {
    const SimulationSettings& s = grid.Settings();
    out.Text("simulation parameters:\r\n");
    WriteLine(out, "free diffusion = ", s.freeDiffusion);
    WriteLine(out, "irrigation time step = ", s.irrigationTimeStep);
    WriteLine(out, "simulation time step = ", s.simulationTimeStep);
    WriteLine(out, "porosity = ", s.porosity);
    WriteLine(out, "simulation year = ", int64_t{s.simulationYear});
    WriteLine(out, "simulation start = ", int64_t{s.simulationStart});
    WriteLine(out, "simulation end = ", int64_t{s.simulationEnd});
    WriteLine(out, "tolerance level 1 = ", s.toleranceLevel1);
    WriteLine(out, "tolerance level 2 = ", s.toleranceLevel2);
    WriteLine(out, "tortuosity = ", s.tortuosity);
    WriteLine(out, "kv_kh_rat = ", s.kvKhRatio);
    WriteLine(out, "water compressibility = ", s.waterCompressibility);
    WriteJoinedLine(out, "longitudinal, horizontal, vertical dispersion = ",
                    std::array<double, 3>{s.longitudinalDispersion, s.horizontalDispersion,
                                          s.verticalDispersion});
    WriteLine(out, "use salt solver = ", s.useSaltSolver);
    WriteLine(out,
              "pressure saturation method (0->BROOKS_COREY, 1->VAN_GENUCHTEN,\r\n"
              "  2->HAVERKAMP) = ",
              int64_t{s.pressureSaturationMethod});
    WriteJoinedLine(out, "pore size = ", s.poreSize);
    WriteJoinedLine(out, "residual moisture = ", s.residualMoisture);
    WriteJoinedLine(out, "scale length = ", s.scaleLength);
    WriteLine(out,
              "root growth method (0->RASMUSSEN_HANKS, 1->FERERES,\r\n"
              "   2->HANKS_HILL, 3->BORG_GRIMES, 4->SCHOUWENAARS) = ",
              int64_t{s.rootGrowthMethod});
    WriteJoinedLine(out,
                    "empirical constant 1 (1 for each of the five types) = ", s.empiricalConstant1);
    WriteJoinedLine(out,
                    "empirical constant 2 (1 for each of the five types) = ", s.empiricalConstant2);
    WriteLine(out,
              "root extraction method (0->VAN_GENUCHTEN, 1->MOLZ_REMSON,\r\n"
              "  2->HILLEL, 3->VS2DT, 4->FEDDES, 5->GARDNER, \r\n"
              "  6->WHISLER, 7->HERKELRATH, 8->VAN_GENUCHTEN_HOFFMAN) = ",
              int64_t{s.rootExtractionMethod});
    for (int m = 0; m < RootExtractionMethodCount; ++m) {
        out.Text("root extraction parameters for method ");
        out.Integer(m);
        out.Text(" = ");
        out.NumbersJoined(s.rootExtractionParams[static_cast<size_t>(m)].data(),
                          RootExtractionParamCount);
        out.EndLine();
    }
    WriteLine(out, "crop yield method (0->YIELD_MODEL_1) = ", int64_t{s.cropYieldMethod});
}

void WriteBasinFactors(const GridData& grid, ProjectTextWriter& out) {
    const int basins = grid.Contents().boundaries[BasinType].Count();
    for (int b = 0; b < basins; ++b) {
        out.Text("yield response factors for basin ");
        out.Integer(b);
        out.Text(" = ");
        for (size_t k = 0; k < grid.YieldResponseFactors().size(); ++k) {
            if (k > 0) out.Space();
            out.Number(EntryOr(grid.YieldResponseFactors()[k], b, 0.0));
        }
        out.EndLine();
        out.Text("salinity upper bounds for basin ");
        out.Integer(b);
        out.Text(" = ");
        for (size_t k = 0; k < grid.SalinityUpperBounds().size(); ++k) {
            if (k > 0) out.Space();
            out.Number(EntryOr(grid.SalinityUpperBounds()[k], b, 0.0));
        }
        out.EndLine();
    }
}

void WriteEvapotranspiration(const GridData& grid, ProjectTextWriter& out) {
    const SimulationSettings& s = grid.Settings();
    out.Text("ET period=");
    out.Integer(s.ETPeriod.first);
    out.Space();
    out.Integer(s.ETPeriod.last);
    out.EndLine();
    out.Text("daily ET usage:\r\n");
    out.NumbersJoined(s.DailyETUsage.data(), s.DailyETUsage.size());
    // The reader takes one value per day of the period. A list shorter than
    // the period (the ET editor can leave one) is padded with zeros, or the
    // saved project could not be opened again.
    const int64_t days =
        s.ETPeriod.last != 0 ? int64_t{s.ETPeriod.last} - int64_t{s.ETPeriod.first} + 1 : 0;
    for (int64_t i = static_cast<int64_t>(s.DailyETUsage.size()); i < days; ++i) {
        if (i > 0) out.Space();
        out.Integer(0);
    }
    out.EndLine();
}

void WriteMethodChoices(const GridData& grid, ProjectTextWriter& out) {
    const SimulationSettings& s = grid.Settings();
    WriteLine(out,
              "K-weighting method (0->UPSTREAM_WEIGHTING, 1->ARITHMETIC_MEAN,\r\n"
              "  2->HARMONIC_MEAN, 3->GEOMETRIC_MEAN) = ",
              int64_t{s.kWeightingMethod});
    WriteLine(out, "equation type (0->MASS_BALANCE, 1->TAYLOR_SERIES) = ", int64_t{s.equationType});
    WriteLine(out, "initial conditions type (0->USER_DEFINED, 1->STATIC_EQUILIBRIUM) = ",
              int64_t{s.initialConditionsType});
}

void WriteOutputSelection(const GridData& grid, ProjectTextWriter& out) {
    // One irrigation list per basin: the reader expects exactly that many.
    const int basins = grid.Contents().boundaries[BasinType].Count();
    static const IrrigationData noIrrigation;
    for (int b = 0; b < basins; ++b) {
        const bool present = static_cast<size_t>(b) < grid.Irrigation().size();
        WriteIrrigationList(out, b,
                            present ? grid.Irrigation()[static_cast<size_t>(b)] : noIrrigation);
    }
    WriteLine(out,
              "number of print control items = ", static_cast<int64_t>(grid.PrintList().size()));
    for (const PrintDataItem& item : grid.PrintList())
        WritePrintItem(out, item);
    WriteCellList(out, grid.GridOutputParamList());
    WriteTimeSeriesGrid(out, grid.TimeSeriesCellGrid());
    out.EndLine();
    out.Text("time series cell color = ");
    out.NumbersJoined(TimeSeriesCellColor.data(), 3);
    out.EndLine();
    WriteLine(out, "time series display = ", int64_t{TimeSeriesDisplay});
    out.Text("output project base name = ");
    out.Text(grid.OutputBaseName());
    out.EndLine();
}

void WriteCrops(const GridData& grid, ProjectTextWriter& out) {
    WriteLine(out, "number of crop parameters = ", static_cast<int64_t>(grid.CropParams().size()));
    out.Text("crop param header = cropName \tinitialRootDepth \tmaxRootDepth \tcropC1 \tcropC2 "
             "\tcropC3 \tdatePlanting \tstage1 \tstage2 \tstage3 \tdateHarvest\r\n");
    for (const CropParamData& crop : grid.CropParams())
        WriteCropRecord(out, crop);
    WriteLine(out,
              "number of crop-basin parameters = ", static_cast<int64_t>(grid.CropBasins().size()));
    for (const CropBasinData& record : grid.CropBasins())
        WriteCropBasinRecord(out, record);
}

void WriteNaturalBoundaryValues(const GridData& grid, ProjectTextWriter& out) {
    const BoundaryTypeData& natural = grid.Contents().boundaries[NaturalBoundaryType];
    const int n = natural.Count();
    out.Text("fluxes:\r\n");
    for (int i = 0; i < n; ++i) {
        out.Number(EntryOr(natural.flux, i, 0.0));
        out.Space();
    }
    out.EndLine();
    out.Text("water quality:\r\n");
    for (int i = 0; i < n; ++i) {
        out.Number(EntryOr(natural.waterQuality, i, 0.0));
        out.Space();
    }
    out.EndLine();
}

// Writes all of data to fd; false with errno set when that fails.
bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// The file that a save replaces: a symbolic link is followed, so the link
// stays and its target gets the new text.
std::string SaveTarget(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec) return resolved.string();
    }
    return path;
}

// Creates a new temporary file beside target with the permissions target
// has (or a new file would get); -1 when the folder takes no new file.
int CreateTemporaryBeside(const std::string& target, std::string& temporaryPath) {
    mode_t mode = 0666; // narrowed by the umask, as for any new file
    struct stat existing {};
    bool keepMode = false;
    if (::stat(target.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
        keepMode = true;
    }
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath =
            target + ".saving-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            if (keepMode) ::fchmod(fd, mode);
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

void SyncFolderOf(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd); // the rename is durable only once the folder is
    ::close(fd);
}

} // namespace

void WriteProjectText(const GridData& grid, ProjectTextWriter& out) {
    WriteHeaderAndGrid(grid, out);
    for (int code : grid.ParameterOrder()) {
        const auto found = grid.Contents().parameters.find(code);
        if (found != grid.Contents().parameters.end()) WriteParameterBlock(out, found->second);
    }
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        WriteBoundaryBlock(out, grid.Boundary(type), grid.Memberships(type), type);
    }
    WriteSettings(grid, out);
    WriteBasinFactors(grid, out);
    WriteEvapotranspiration(grid, out);
    WriteMethodChoices(grid, out);
    WriteOutputSelection(grid, out);
    WriteCrops(grid, out);
    WriteNaturalBoundaryValues(grid, out);
    WriteLine(out, "Z exaggerration = ", grid.ZExaggeration());
}

bool WriteProjectFile(const GridData& grid, std::ostream& stream) {
    ProjectTextWriter writer([&stream](const char* data, size_t size) {
        stream.write(data, static_cast<std::streamsize>(size));
        return static_cast<bool>(stream);
    });
    WriteProjectText(grid, writer);
    return writer.Finish() && static_cast<bool>(stream.flush());
}

bool WriteProjectFile(const GridData& grid, const std::string& path) {
    const std::string target = SaveTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // A folder, or a file the user may not change, is not overwritten by a
    // rename behind its back.
    if (target.empty() || (exists && !S_ISREG(existing.st_mode)) ||
        (exists && ::access(target.c_str(), W_OK) != 0)) {
        ShowMessage("Unable to open output save file " + path);
        return false;
    }
    std::string temporary;
    const int fd = CreateTemporaryBeside(target, temporary);
    if (fd < 0) {
        ShowMessage("Unable to open output save file " + path);
        return false;
    }

    int error = 0;
    ProjectTextWriter writer([fd, &error](const char* data, size_t size) {
        if (WriteAll(fd, data, size)) return true;
        error = errno;
        return false;
    });
    WriteProjectText(grid, writer);
    bool ok = writer.Finish();
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        ShowMessage("Error writing save file " + path + ": " + std::strerror(error) +
                    ". The project was not saved; the file on disk is unchanged.");
        return false;
    }
    SyncFolderOf(target);
    return true;
}

} // namespace korva
