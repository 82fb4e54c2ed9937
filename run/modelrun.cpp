#include "modelrun.h"

#include "files/inputset/inputset.h"
#include "files/output/modeloutput.h"
#include "files/output/modeloutputscanner.h"
#include "logprogress.h"
#include "model/calendar.h"
#include "model/griddata.h"
#include "model/messages.h"
#include "staleresults.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <poll.h>

namespace korva {

namespace fs = std::filesystem;

namespace {

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

void TrimRight(std::string& text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n' || text.back() == '\v' || text.back() == '\f'))
        text.pop_back();
}

std::string Lowercase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Print dates inside the simulated period are what make the solver write its
// list of output times; the input set passes the same ones on.
bool HasPrintDatesInRun(const GridData& grid) {
    const SimulationSettings& s = grid.Settings();
    return std::any_of(
        grid.PrintList().begin(), grid.PrintList().end(), [&](const PrintDataItem& p) {
            const int day = DateToDayNumber(p.day, p.month, p.year, s.simulationYear);
            return day != -1 && day >= s.simulationStart && day <= s.simulationEnd;
        });
}

} // namespace

const std::vector<std::string>& ModelRun::RunFileExtensions() {
    static const std::vector<std::string> extensions = {".kvi", ".irr", ".tsi", ".psn",
                                                        ".drn", ".ets", ".yld", ".prn",
                                                        ".day", ".kvo", ".tss", ".log"};
    return extensions;
}

std::string ModelRun::ProjectNameProblem(const std::string& projectPath) {
    // Compared without case: on a folder that ignores case "SITE.KVI" is the
    // run's "SITE.kvi" all the same.
    const std::string extension = Lowercase(fs::path(projectPath).extension().string());
    const auto& own = RunFileExtensions();
    if (std::find(own.begin(), own.end(), extension) == own.end()) return {};
    return "The project " + projectPath + " cannot be run: its name ends in \"" + extension +
           "\", the extension of a file the run itself writes or deletes, so the run would "
           "destroy the project. Save it under a name ending in \".kvp\" and run that.";
}

ModelRun::ModelRun(const GridData& grid, const std::string& projectPath,
                   const std::string& programFolder, const std::string& workingFolder)
    : grid_(grid), programFolder_(WithSeparator(programFolder)), projectPath_(projectPath) {
    const fs::path project(projectPath);
    baseName_ = project.stem().string();
    const fs::path folder = project.parent_path();
    basePath_ = (folder / baseName_).string();
    if (!workingFolder.empty()) {
        workingFolder_ = workingFolder;
    } else {
        workingFolder_ = folder.empty() ? std::string(".") : folder.string();
    }
}

ModelRun::~ModelRun() {
    // A run abandoned halfway must not leave the solver behind.
    if (process_ && process_->Running()) Cancel();
}

std::string ModelRun::SolverName(int modelKind) {
    if (modelKind == 0) return "korva_model2d";
    if (modelKind == 1) return "korva_model3d";
    return {};
}

std::string ModelRun::LogPath() const {
    return (fs::path(workingFolder_) / (baseName_ + ".log")).string();
}

std::vector<std::string> ModelRun::SolverCommand() const {
    const std::string name = SolverName(grid_.ModelKind());
    if (name.empty()) return {};
    std::string program = programFolder_ + name;
    // The solver starts in the working folder, so a relative program folder
    // must be made absolute against ours first.
    std::error_code error;
    const fs::path absolute = fs::absolute(program, error);
    if (!error) program = absolute.string();
    return {program, baseName_};
}

bool ModelRun::WriteInput() {
    const std::string problem = ProjectNameProblem(projectPath_);
    if (!problem.empty()) {
        ShowMessage(problem);
        return false;
    }
    return WriteModelInputFiles(grid_, basePath_);
}

std::vector<std::string> ModelRun::CleanStaleResults() {
    return DeleteStaleResults(basePath_, workingFolder_);
}

bool ModelRun::StartSolver() {
    const std::vector<std::string> command = SolverCommand();
    if (command.empty()) {
        ShowMessage("No solver exists for model kind " + std::to_string(grid_.ModelKind()) + ".");
        return false;
    }
    scratchBefore_ = ListScratchFiles(workingFolder_);
    scratchListed_ = true;
    process_ = std::make_unique<PipedProcess>(command, workingFolder_);
    if (!process_->Started()) {
        ShowMessage("Unable to start the solver " + command[0] + ": " + process_->StartError() +
                    ".");
        failure_ = "The solver " + command[0] + " could not be started.";
        process_.reset();
        return false;
    }
    return true;
}

bool ModelRun::Poll(std::string& line, bool& ended) {
    line.clear();
    ended = true;
    if (!process_) return false;
    int count = 0;
    ended = !process_->ReadLine(line, count, true);
    TrimRight(line);
    return !line.empty();
}

bool ModelRun::PollWholeLine(std::string& line, bool& ended) {
    line.clear();
    ended = true;
    if (!process_) return false;
    std::string piece;
    for (;;) {
        int count = 0;
        ended = !process_->ReadLine(piece, count, true);
        const bool complete = !ended && count > static_cast<int>(piece.size());
        Collect(piece);
        if (complete || (ended && (!partial_.empty() || dropped_ > 0))) {
            line = TakeCollected();
            if (!line.empty() || ended) return !line.empty();
            continue; // an empty line: look for the next one
        }
        return false; // nothing more waiting, or only part of a line
    }
}

void ModelRun::Collect(const std::string& piece) {
    const std::size_t room =
        partial_.size() < MaxOutputLineLength ? MaxOutputLineLength - partial_.size() : 0;
    if (piece.size() <= room) {
        partial_ += piece;
    } else {
        partial_.append(piece, 0, room);
        dropped_ += piece.size() - room;
    }
}

std::string ModelRun::TakeCollected() {
    std::string line;
    line.swap(partial_);
    TrimRight(line);
    if (dropped_ > 0) {
        line += " [line cut: " + std::to_string(dropped_) + " more bytes not shown]";
        dropped_ = 0;
    }
    return line;
}

void ModelRun::FollowToEnd(void (*onLine)(const std::string& line, void* data), void* data) {
    if (!process_) return;
    std::string line;
    bool ended = false;
    while (!ended) {
        pollfd p{process_->OutputDescriptor(), POLLIN, 0};
        ::poll(&p, 1, 200);
        while (PollWholeLine(line, ended)) {
            if (onLine != nullptr) onLine(line, data);
        }
    }
}

bool ModelRun::ReadProgress(int& percent) const {
    return ReadLogProgress(LogPath(), percent);
}

void ModelRun::Cancel() {
    cancelled_ = true;
    if (process_) {
        process_->Terminate();
        process_->Wait();
        NoteScratchFiles();
    }
}

void ModelRun::NoteScratchFiles() {
    if (!scratchListed_) return;
    scratchListed_ = false;
    RecordNewScratchFiles(workingFolder_, baseName_, scratchBefore_);
}

bool ModelRun::Finish() {
    if (!process_) return false;
    const ProcessStatus status = process_->Wait();
    NoteScratchFiles();
    if (cancelled_) {
        failure_ = "The run was cancelled.";
        return false;
    }
    if (!status.Success()) {
        // A solver that failed must not look like a run that produced nothing.
        failure_ = "The solver " + SolverCommand().front() + " ended with " +
                   DescribeProcessStatus(status) + ".";
        return false;
    }
    // The previous results were deleted before the start, so a solver that
    // says it succeeded but wrote nothing must not pass for a run that
    // produced no output times.
    std::error_code error;
    if (HasPrintDatesInRun(grid_) && !fs::exists(basePath_ + ".day", error)) {
        failure_ = "The solver " + SolverCommand().front() +
                   " ended without writing its results: " + basePath_ +
                   ".day is missing, though the project has print dates inside the run.";
        return false;
    }
    failure_.clear();
    return true;
}

bool ModelRun::LoadResults(OutputStore& results) const {
    results = OutputStore{};
    return ReadModelOutputStore(grid_, basePath_, grid_.NumRows(), grid_.NumColumns(),
                                grid_.NumLayers(), results, ReadWholeFile) == 1;
}

} // namespace korva
