// Reading the project file: the fixed sequence of labelled items with the
// version gates of older files. Every failure becomes one message; no
// exception leaves the reader.
#include "files/project/projectfile.h"
#include "files/project/projectrecords.h"
#include "files/project/projecttextreader.h"
#include "model/errors.h"
#include "model/messages.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <exception>
#include <fcntl.h>
#include <istream>
#include <iterator>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace korva {

namespace {

// Raised for a failure that ends the read but is accepted: the time-series
// selections and everything after them are missing or damaged. damaged is
// false when the input simply ended there (a file cut short after its print
// dates), true when text that is not a selection stood in the way: then the
// items after it, still in the file, were not read.
struct TolerableInputError {
    std::string text;
    bool damaged = false;
};

class ProjectFileReader {
public:
    ProjectFileReader(ProjectTextReader& in, GridData& grid) : in_(in), grid_(grid) {}

    void Read() {
        ReadHeaderAndGrid();
        ReadParameterBlocks();
        ReadBoundaryBlocks();
        ReadSettings();
        ReadBasinFactors();
        ReadEvapotranspiration();
        ReadMethodChoices();
        ReadIrrigationLists();
        ReadPrintItems();
        ReadOutputSelection();
        ReadTrailer();
    }

private:
    // The version gates. The version is held in single precision and most
    // gates are double constants, so a file of version "1.3" is below the
    // gate 1.3 (1.3f < 1.3); the gates 1.5, 2.0 and 2.5 are exact.
    bool AtLeast(double gate) const { return static_cast<double>(version_) >= gate; }
    bool AtLeast(float gate) const { return version_ >= gate; }

    // A label of the main sequence; shown is its text in the message.
    void Expect(std::string_view key, std::string_view shown, char delimiter = '=') {
        if (!in_.MatchLabel(key, delimiter)) {
            throw InputError("Parse error looking for '" + std::string(shown) + "' header");
        }
    }
    void Expect(std::string_view key) { Expect(key, std::string(key) + " =", '='); }

    double Double(std::string_view key) {
        Expect(key);
        return ReadDoubleOf(in_, std::string(key) + " =");
    }
    int32_t Int(std::string_view key) {
        Expect(key);
        return ReadIntOf(in_, std::string(key) + " =");
    }
    template <size_t N> void Doubles(std::string_view key, std::array<double, N>& values) {
        Expect(key);
        for (double& v : values)
            v = ReadDoubleOf(in_, std::string(key) + " =");
    }

    void ReadHeaderAndGrid() {
        Expect("file version");
        // Every gate compares with the version, so it must be a number.
        if (!in_.ReadFloat(version_) || !std::isfinite(version_)) {
            throw InputError("Parse error reading a number after the 'file version =' header");
        }
        ReaderContents(grid_).ProjectFileVersion = version_;

        Expect("model", "model =");
        const double kindValue = ReadDoubleOf(in_, "model =");
        // Truncated like the integer it is meant to be (1.7 is 1). Only the
        // two kinds exist; any other would leave a model without parameters.
        if (!(kindValue > -1.0 && kindValue < 2.0)) {
            throw InputError("Parse error: unknown model kind " + FormatKind(kindValue) +
                             " after the 'model =' header");
        }
        grid_.ResetModel(static_cast<int>(kindValue));

        const int32_t rows = Int("nrows");
        const int32_t columns = Int("ncolumns");
        const int32_t layers = Int("nlayers");
        CheckDimensions(rows, columns, layers);
        ReaderContents(grid_).rowSpacing.assign(static_cast<size_t>(rows), 0.0);
        ReaderContents(grid_).columnSpacing.assign(static_cast<size_t>(columns), 0.0);
        ReaderContents(grid_).layerSpacing.assign(static_cast<size_t>(layers), 0.0);
        grid_.Resize(layers, rows, columns);

        const std::pair<const char*, std::vector<double>*> spacings[3] = {
            {"spacings for row", &ReaderContents(grid_).rowSpacing},
            {"spacings for column", &ReaderContents(grid_).columnSpacing},
            {"spacings for layer", &ReaderContents(grid_).layerSpacing}};
        for (const auto& [key, list] : spacings) {
            Expect(key);
            for (double& v : *list)
                v = ReadDoubleOf(in_, std::string(key) + " =");
        }
        grid_.UpdateUniformSpacing();
    }

    static std::string FormatKind(double kind) {
        std::string text = std::to_string(kind);
        while (text.size() > 1 && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.') text.pop_back();
        return text;
    }

    // Dimensions are believed only as far as the rest of the file could hold
    // the values they announce: the spacing lists and every parameter block
    // present in this version, each value at least a digit and a separator.
    void CheckDimensions(int64_t rows, int64_t columns, int64_t layers) {
        const uint64_t room = in_.RemainingBytes() + 1;
        bool fits = rows > 0 && columns > 0 && layers > 0;
        if (fits) {
            const auto r = static_cast<uint64_t>(rows);
            const auto c = static_cast<uint64_t>(columns);
            const auto l = static_cast<uint64_t>(layers);
            fits = r <= room && c <= room && l <= room &&
                   (r + c + l) * MinValueTextBytes <= room + 2 && r * c <= room &&
                   r * c <= room / l;
            if (fits) {
                // Cells of one layer, then all the values of the parameter blocks.
                const uint64_t surface = r * c;
                uint64_t needed = 0;
                for (int code : ReaderContents(grid_).ParameterOrder) {
                    const ParameterData& p = ReaderContents(grid_).parameters.at(code);
                    if (!(version_ >= p.FirstFileVersion)) continue;
                    needed += (p.IsSurface() ? surface : surface * l) * MinValueTextBytes;
                    if (needed > room) break;
                }
                fits = needed <= room;
            }
        }
        if (!fits) {
            throw InputError("Parse error: the grid of nrows = " + std::to_string(rows) +
                             ", ncolumns = " + std::to_string(columns) +
                             ", nlayers = " + std::to_string(layers) + " does not fit the file");
        }
    }

    void ReadParameterBlocks() {
        for (int code : ReaderContents(grid_).ParameterOrder) {
            ParameterData& parameter = ReaderContents(grid_).parameters.at(code);
            if (version_ >= parameter.FirstFileVersion) {
                ReadParameterBlock(in_, parameter);
            } else {
                parameter.RecomputeRange();
            }
        }
    }

    void ReadBoundaryBlocks() {
        for (int type = 0; type < BoundaryTypeCount; ++type) {
            if (type == InactiveType && !AtLeast(1.3)) continue;
            ReadBoundaryBlock(in_, ReaderContents(grid_).boundaries[static_cast<size_t>(type)],
                              ReaderContents(grid_).memberships[static_cast<size_t>(type)], type,
                              version_);
            if (type == BasinType) SizePerBasinLists();
        }
    }

    // Every basin has its yield response factors, salinity upper bounds and
    // irrigation list. On the freshly constructed model this is the same as
    // appending one entry per basin; on any other it keeps the lists aligned
    // with the basins just read.
    void SizePerBasinLists() {
        const size_t basins =
            static_cast<size_t>(ReaderContents(grid_).boundaries[BasinType].Count());
        for (auto& list : ReaderContents(grid_).YieldResponseFactors)
            list.assign(basins, 0.0);
        for (auto& list : ReaderContents(grid_).SalinityUpperBounds)
            list.assign(basins, 0.0);
        ReaderContents(grid_).irrigation.assign(basins, IrrigationData{});
    }

    void ReadSettings() {
        SimulationSettings& s = ReaderContents(grid_).settings;
        Expect("simulation parameters", "simulation parameters:", ':');
        s.freeDiffusion = Double("free diffusion");
        if (!AtLeast(1.5f)) Double("irrigation salt concentration");
        s.irrigationTimeStep = Double("irrigation time step");
        s.simulationTimeStep = Double("simulation time step");
        s.porosity = Double("porosity");
        s.simulationYear = Int("simulation year");
        s.simulationStart = Int("simulation start");
        s.simulationEnd = Int("simulation end");
        s.toleranceLevel1 = Double("tolerance level 1");
        s.toleranceLevel2 = Double("tolerance level 2");
        s.tortuosity = Double("tortuosity");
        if (AtLeast(1.6)) {
            if (!AtLeast(1.8)) {
                Double("aquifer compressibility");
            } else {
                Expect("kv_kh_rat", "kv_kh_rat=");
                s.kvKhRatio = ReadDoubleOf(in_, "kv_kh_rat=");
            }
            s.waterCompressibility = Double("water compressibility");
        }
        if (AtLeast(1.9)) {
            std::array<double, 3> dispersion{};
            Doubles("longitudinal, horizontal, vertical dispersion", dispersion);
            s.longitudinalDispersion = dispersion[0];
            s.horizontalDispersion = dispersion[1];
            s.verticalDispersion = dispersion[2];
        } else {
            s.longitudinalDispersion = s.horizontalDispersion = s.verticalDispersion = 10.0;
        }
        if (AtLeast(2.1) && !AtLeast(2.5f)) Double("leach efficiency");
        if (AtLeast(2.5f)) s.useSaltSolver = Int("use salt solver");
        s.pressureSaturationMethod = Int("pressure saturation method");
        Doubles("pore size", s.poreSize);
        Doubles("residual moisture", s.residualMoisture);
        Doubles("scale length", s.scaleLength);
        s.rootGrowthMethod = Int("root growth method");
        Doubles("empirical constant 1", s.empiricalConstant1);
        Doubles("empirical constant 2", s.empiricalConstant2);
        s.rootExtractionMethod = Int("root extraction method");
        for (auto& parameters : s.rootExtractionParams) {
            Doubles("root extraction parameters", parameters);
        }
        s.cropYieldMethod = Int("crop yield method");
    }

    void ReadBasinFactors() {
        const size_t basins =
            static_cast<size_t>(ReaderContents(grid_).boundaries[BasinType].Count());
        for (size_t b = 0; b < basins; ++b) {
            Expect("yield response factors");
            for (auto& list : ReaderContents(grid_).YieldResponseFactors) {
                list[b] = ReadDoubleOf(in_, "yield response factors =");
            }
            Expect("salinity upper bounds");
            for (auto& list : ReaderContents(grid_).SalinityUpperBounds) {
                list[b] = ReadDoubleOf(in_, "salinity upper bounds =");
            }
        }
    }

    void ReadEvapotranspiration() {
        SimulationSettings& s = ReaderContents(grid_).settings;
        if (AtLeast(1.3)) {
            Expect("ET period", "ET period:");
            s.ETPeriod.first = ReadIntOf(in_, "ET period:");
            s.ETPeriod.last = ReadIntOf(in_, "ET period:");
        } else {
            s.ETPeriod.first = s.simulationStart;
            s.ETPeriod.last = s.simulationEnd;
        }
        Expect("daily ET usage", "daily ET usage:", ':');
        // A last day of 0 means that no daily values are defined.
        if (s.ETPeriod.last == 0) return;
        const int64_t days = int64_t{s.ETPeriod.last} - int64_t{s.ETPeriod.first} + 1;
        CheckCount(in_, days, "daily ET usage:", MinValueTextBytes);
        s.DailyETUsage.resize(static_cast<size_t>(days));
        for (double& v : s.DailyETUsage)
            v = ReadDoubleOf(in_, "daily ET usage:");
    }

    void ReadMethodChoices() {
        SimulationSettings& s = ReaderContents(grid_).settings;
        s.kWeightingMethod = Int("K-weighting method");
        s.equationType = Int("equation type");
        s.initialConditionsType = Int("initial conditions type");
    }

    void ReadIrrigationLists() {
        for (IrrigationData& list : ReaderContents(grid_).irrigation) {
            Expect("irrigation list for basin", "irrigation list for basin:", ':');
            ReadIrrigationList(in_, list);
        }
    }

    void ReadPrintItems() {
        Expect("number of print control items");
        const int32_t n =
            ReadCountOf(in_, "number of print control items =", MinPrintItemTextBytes);
        ReaderContents(grid_).printList.resize(static_cast<size_t>(n));
        for (PrintDataItem& item : ReaderContents(grid_).printList)
            ReadPrintItem(in_, item);
    }

    void ReadOutputSelection() {
        if (AtLeast(2.2)) {
            // A project that ends after its print dates is accepted, whatever
            // its version, as the time-series grid accepts it.
            if (in_.AtEnd()) throw TolerableInputError{"OutputParamData: No more input"};
            ReadCellList(in_, ReaderContents(grid_).GridOutputParamList);
        }
        try {
            ReadTimeSeriesGrid(in_, ReaderContents(grid_).TimeSeriesCellGrid);
        } catch (const InputError& e) {
            // A failed number or label leaves the text that failed unread, so
            // anything left to read means damage rather than a file cut short.
            throw TolerableInputError{e.what(), !in_.AtEnd()};
        }
    }

    void ReadTrailer() {
        Expect("time series cell color");
        for (double& c : TimeSeriesCellColor)
            c = ReadDoubleOf(in_, "time series cell color =");
        TimeSeriesDisplay = Int("time series display");
        Expect("output project base name");
        ReaderContents(grid_).OutputBaseName = TrimLeading(in_.RestOfLine());

        Expect("number of crop parameters");
        const int32_t crops = ReadCountOf(in_, "number of crop parameters =", MinCropTextBytes);
        ReaderContents(grid_).cropParams.resize(static_cast<size_t>(crops));
        Expect("crop param header");
        in_.RestOfLine();
        for (CropParamData& crop : ReaderContents(grid_).cropParams)
            ReadCropRecord(in_, crop);
        Expect("number of crop-basin parameters");
        const int32_t records =
            ReadCountOf(in_, "number of crop-basin parameters =", MinCropBasinTextBytes);
        ReaderContents(grid_).cropBasins.resize(static_cast<size_t>(records));
        for (CropBasinData& record : ReaderContents(grid_).cropBasins)
            ReadCropBasinRecord(in_, record);

        BoundaryTypeData& natural = ReaderContents(grid_).boundaries[NaturalBoundaryType];
        const size_t naturals = static_cast<size_t>(natural.Count());
        natural.flux.resize(naturals);
        natural.waterQuality.resize(naturals);
        if (AtLeast(1.7)) {
            Expect("fluxes", "fluxes:", ':');
            for (double& v : natural.flux)
                v = ReadDoubleOf(in_, "fluxes:");
        }
        if (AtLeast(2.0f)) {
            Expect("water quality", "water quality:", ':');
            for (double& v : natural.waterQuality)
                v = ReadDoubleOf(in_, "water quality:");
        }
        if (AtLeast(1.2)) ReaderContents(grid_).ZExaggeration = Double("Z exaggerration");
    }

    ProjectTextReader& in_;
    GridData& grid_;
    float version_ = 0.0f;
};

bool ReadWith(GridData& grid, ProjectTextReader& in, const std::string& path,
              ProjectReadResult& result) {
    result = ProjectReadResult{};
    try {
        ProjectFileReader(in, grid).Read();
        result.read = true;
        return true;
    } catch (const TolerableInputError& e) {
        ShowMessage("Input error: " + e.text);
        result.read = true;
        result.readWithErrors = e.damaged;
        if (e.damaged) result.damage = e.text;
        return true;
    } catch (const InputError& e) {
        ShowMessage(std::string(e.what()) + " in file " + path);
    } catch (const std::bad_alloc&) {
        ShowMessage("Not enough memory to read input file " + path);
    } catch (const std::exception& e) {
        ShowMessage(std::string("Unable to read input file ") + path + ": " + e.what());
    }
    return false;
}

} // namespace

bool ReadProjectText(GridData& grid, std::string_view text, const std::string& path,
                     ProjectReadResult& result) {
    ProjectTextReader in(text);
    return ReadWith(grid, in, path, result);
}

bool ReadProjectText(GridData& grid, std::string_view text, const std::string& path) {
    ProjectReadResult result;
    return ReadProjectText(grid, text, path, result);
}

bool ReadProjectFile(GridData& grid, std::istream& stream, const std::string& path,
                     ProjectReadResult& result) {
    const std::string text((std::istreambuf_iterator<char>(stream)),
                           std::istreambuf_iterator<char>());
    return ReadProjectText(grid, text, path, result);
}

bool ReadProjectFile(GridData& grid, std::istream& stream, const std::string& path) {
    ProjectReadResult result;
    return ReadProjectFile(grid, stream, path, result);
}

bool ReadProjectFile(GridData& grid, const std::string& path, ProjectReadResult& result) {
    result = ProjectReadResult{};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0) ::close(fd);
        ShowMessage("Unable to open input file " + path);
        return false;
    }
    bool ok = false;
    {
        ProjectTextReader in(fd, static_cast<uint64_t>(info.st_size));
        ok = ReadWith(grid, in, path, result);
    }
    ::close(fd);
    return ok;
}

bool ReadProjectFile(GridData& grid, const std::string& path) {
    ProjectReadResult result;
    return ReadProjectFile(grid, path, result);
}

bool IsSameFile(const std::string& source, const std::string& target) {
    if (source == target) return true;
    struct stat a {};
    struct stat b {};
    // Through links, so a link to the project or a second name of it counts.
    if (::stat(source.c_str(), &a) != 0 || ::stat(target.c_str(), &b) != 0) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace korva
