#include "modelrun.h"

#include "files/inputset/inputset.h"
#include "files/output/modeloutput.h"
#include "files/output/modeloutputscanner.h"
#include "logprogress.h"
#include "model/griddata.h"
#include "model/messages.h"
#include "staleresults.h"

#include <filesystem>

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

} // namespace

ModelRun::ModelRun(const GridData& grid, const std::string& projectPath,
                   const std::string& programFolder, const std::string& workingFolder)
    : grid_(grid), programFolder_(WithSeparator(programFolder)) {
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
        partial_ += piece;
        if (complete || (ended && !partial_.empty())) {
            line.swap(partial_);
            partial_.clear();
            TrimRight(line);
            if (!line.empty() || ended) return !line.empty();
            continue; // an empty line: look for the next one
        }
        return false; // nothing more waiting, or only part of a line
    }
}

void ModelRun::FollowToEnd(void (*onLine)(const std::string& line, void* data), void* data) {
    if (!process_) return;
    std::string line;
    int count = 0;
    bool more = true;
    while (more) {
        more = process_->ReadLine(line, count, false);
        TrimRight(line);
        if (!line.empty() && onLine != nullptr) onLine(line, data);
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
    }
}

bool ModelRun::Finish() {
    if (!process_) return false;
    const ProcessStatus status = process_->Wait();
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
    failure_.clear();
    return true;
}

bool ModelRun::LoadResults(OutputStore& results) const {
    results = OutputStore{};
    return ReadModelOutputStore(grid_, basePath_, grid_.NumRows(), grid_.NumColumns(),
                                grid_.NumLayers(), results, ReadWholeFile) == 1;
}

} // namespace korva
