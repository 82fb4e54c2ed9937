#pragma once
// The steps of one model run without a window, from writing the solver's
// input to the solver's end: the desktop program's run dialog and korva-batch
// both drive them. Checking and saving the project come before and loading
// the results after; they belong to the caller.
#include "pipedprocess.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace korva {

class GridData;
struct OutputStore;

class ModelRun {
public:
    // projectPath names the saved project file; programFolder (ending in "/")
    // holds the solvers; the solver runs in workingFolder, the project's folder
    // when empty, since that is where its input set is written.
    // The run reads grid (its input set, kind and dimensions) and never
    // changes it: the results come back through LoadResults.
    ModelRun(const GridData& grid, const std::string& projectPath, const std::string& programFolder,
             const std::string& workingFolder = {});
    ~ModelRun();
    ModelRun(const ModelRun&) = delete;
    ModelRun& operator=(const ModelRun&) = delete;

    // "korva_model2d" for model kind 0, "korva_model3d" for 1, empty otherwise.
    static std::string SolverName(int modelKind);

    // The extensions of the files a run writes or deletes beside the project:
    // the input set, the results and the solver's log.
    static const std::vector<std::string>& RunFileExtensions();
    // Why the project at projectPath cannot be run, or empty when it can: a
    // project whose file name ends in one of RunFileExtensions() would be
    // overwritten or deleted by its own run.
    static std::string ProjectNameProblem(const std::string& projectPath);

    // The longest solver output line kept, in bytes; the rest of a longer line
    // is dropped and the line says so.
    static constexpr std::size_t MaxOutputLineLength = 16384;

    // The project file name without folder and extension: the solver's one
    // argument and the base of every result file.
    const std::string& BaseName() const { return baseName_; }
    // Folder and base name: where the input set goes.
    const std::string& BasePath() const { return basePath_; }
    const std::string& WorkingFolder() const { return workingFolder_; }
    // The solver's progress log, in the working folder.
    std::string LogPath() const;
    // The program and its one argument; empty for a model kind without a solver.
    std::vector<std::string> SolverCommand() const;

    // Writes the input set next to the project; false (with the writer's
    // message shown) when a file could not be written, or when the project's
    // name is one a run cannot use (ProjectNameProblem, shown).
    bool WriteInput();
    // Deletes this project's results of an earlier run and the scratch files
    // that run's solver left; returns the paths deleted.
    std::vector<std::string> CleanStaleResults();
    // Starts the solver. False, with a message naming the program, when the
    // model kind has no solver or the program cannot be started.
    bool StartSolver();

    // One look at the solver's output without blocking: true with line set
    // (trailing white space removed) when a line or part of one came. ended is
    // set once the output has ended; the solver has then finished.
    bool Poll(std::string& line, bool& ended);
    // As Poll, but a line that has arrived without its line feed is held back
    // until the rest comes (or the output ends), for callers that show every
    // line once, as it was written. A line longer than MaxOutputLineLength is
    // cut there and ends with a note of how much was dropped.
    bool PollWholeLine(std::string& line, bool& ended);
    // Reads lines until the output ends, waiting for each; every non-empty
    // line goes to onLine when given.
    void FollowToEnd(void (*onLine)(const std::string& line, void* data) = nullptr,
                     void* data = nullptr);
    // The percentage of the log's latest complete status line; false when the
    // log is not there yet (keep what was shown).
    bool ReadProgress(int& percent) const;

    // Ends a running solver and waits until it has gone.
    void Cancel();
    bool Cancelled() const { return cancelled_; }
    // Waits for the solver's end; true when it ended by itself with status 0
    // and wrote its list of output times where the project has print dates
    // inside the run (a solver that writes nothing has not run). Otherwise
    // FailureMessage tells what happened.
    bool Finish();
    // "The solver PROGRAM ended with exit status 2." and the like; empty after
    // a successful run.
    const std::string& FailureMessage() const { return failure_; }
    PipedProcess* Process() { return process_.get(); }

    // Reads the results of a successful run into results, which the caller
    // installs in the model (GridData::InstallOutputs) together with BaseName()
    // as the project's output base name (the project's folder resolves it when
    // the project is opened again). results starts empty. False when the
    // reader stopped at a damaged file (it has said why); what was read stays
    // in results.
    bool LoadResults(OutputStore& results) const;

private:
    // Records the scratch files that appeared while the solver ran, once.
    void NoteScratchFiles();
    // Adds piece to the line being collected, keeping at most
    // MaxOutputLineLength bytes of it.
    void Collect(const std::string& piece);
    // The collected line, with the note of a cut, and a fresh start.
    std::string TakeCollected();

    const GridData& grid_;
    std::string programFolder_;
    std::string projectPath_;
    std::string baseName_;
    std::string basePath_;
    std::string workingFolder_;
    std::unique_ptr<PipedProcess> process_;
    bool cancelled_ = false;
    std::string failure_;
    std::string partial_;                    // the start of a line still being written
    std::size_t dropped_ = 0;                // bytes of that line beyond the longest kept
    std::vector<std::string> scratchBefore_; // scratch files when the solver started
    bool scratchListed_ = false;
};

} // namespace korva
