#include "cli/commands/shared.h"
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "model/modelcheck.h"
#include "run/modelrun.h"

#include <iostream>
#include <ostream>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

namespace korva::cli {

extern const Command RunCommand;
void WriteProblems(const ProblemList& problems, std::ostream& out);

namespace {

constexpr int ExitInterrupted = 130; // the shell's status for a Ctrl-C

volatile sig_atomic_t interruptRequested = 0;

void OnInterrupt(int) {
    interruptRequested = 1;
}

// Catches Ctrl-C (and a polite kill) for the length of a run, so the solver
// is ended by us and not left running; the old handlers come back afterwards.
class InterruptGuard {
public:
    InterruptGuard() {
        interruptRequested = 0;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0; // no restart: a waiting poll returns at once
        sigaction(SIGINT, &action, &oldInt_);
        sigaction(SIGTERM, &action, &oldTerm_);
    }
    ~InterruptGuard() {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};

// A one-line progress bar on a terminal: redrawn in place, wiped before
// other text is written.
class ProgressBar {
public:
    ProgressBar(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
    void Show(int percent, const std::string& latest) {
        if (!enabled_) return;
        constexpr int width = 30;
        const int filled = percent * width / 100;
        std::string text = "\r\033[K[" + std::string(filled, '#') +
                           std::string(width - filled, '-') + "] " + std::to_string(percent) + "% ";
        text += latest.substr(0, 40);
        err_ << text << std::flush;
        shown_ = true;
    }
    void Clear() {
        if (enabled_ && shown_) err_ << "\r\033[K" << std::flush;
        shown_ = false;
    }

private:
    std::ostream& err_;
    bool enabled_;
    bool shown_ = false;
};

} // namespace

static int RunRun(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {"--fix"}, {"--solver-dir"}, parsed, RunCommand, context))
        return ExitUsage;
    if (parsed.positional.size() != 1) {
        return UsageError(RunCommand, context, "expected one project file");
    }
    const std::string project = parsed.positional[0];
    const std::string nameProblem = ModelRun::ProjectNameProblem(project);
    if (!nameProblem.empty()) {
        context.err << "korva-batch run: " << nameProblem << "\n";
        return ExitFailure;
    }
    GridData grid;
    ProjectReadResult read;
    if (!ReadProjectFile(grid, project, read)) return ExitFailure;
    // The items after the damage hold defaults: a run would simulate other
    // inputs than the user's, and its save would lose them from the file.
    if (read.readWithErrors) {
        context.err << "korva-batch run: " << project
                    << " was read with errors, so the model is incomplete; nothing was run or "
                       "written. Repair the file first.\n";
        return ExitFailure;
    }

    ProblemList problems;
    grid.CheckModel(problems);
    if (!problems.Empty()) {
        if (!parsed.Has("--fix")) {
            WriteProblems(problems, context.err);
            context.err << "korva-batch run: the model check found problems; "
                           "'--fix' applies the default values\n";
            return ExitFailure;
        }
        problems.UseDefaults();
        grid.ApplyModelCheckValues(problems);
        for (std::size_t i = 0; i < problems.Count(); ++i) {
            context.err << "korva-batch run: " << problems.messages[i];
            if (problems.Editable(i)) context.err << " set to " << problems.currentValues[i];
            context.err << "\n";
        }
    }

    const std::string* solverDir = parsed.Value("--solver-dir");
    ModelRun run(grid, project, solverDir ? *solverDir : context.programFolder);
    // A run on input that could not be written would read an old set.
    if (!run.WriteInput()) return ExitFailure;
    run.CleanStaleResults();
    const std::vector<std::string> command = run.SolverCommand();
    if (!command.empty()) context.err << "Running " << command[0] << " \"" << command[1] << "\"\n";
    if (!run.StartSolver()) return ExitFailure;

    InterruptGuard guard;
    const bool terminal = &context.err == &std::cerr && ::isatty(STDERR_FILENO);
    ProgressBar bar(context.err, terminal);
    int percent = 0;
    std::string latest;
    bool ended = false;
    while (!ended) {
        if (interruptRequested) {
            bar.Clear();
            run.Cancel();
            context.err << "korva-batch run: cancelled; the solver was stopped\n";
            return ExitInterrupted;
        }
        pollfd p{run.Process()->OutputDescriptor(), POLLIN, 0};
        ::poll(&p, 1, 200);
        std::string line;
        // A bounded batch, so a chatty solver cannot keep Ctrl-C waiting.
        for (int taken = 0; taken < 1000 && run.PollWholeLine(line, ended); ++taken) {
            bar.Clear();
            context.out << line << std::endl;
            latest = line;
        }
        run.ReadProgress(percent);
        bar.Show(percent, latest);
    }
    bar.Clear();
    if (!run.Finish()) {
        context.err << "korva-batch run: " << run.FailureMessage() << "\n";
        return ExitFailure;
    }

    OutputStore results;
    if (!run.LoadResults(results)) {
        context.err << "korva-batch run: the results of " << run.BasePath()
                    << " could not be read\n";
        return ExitFailure;
    }
    grid.InstallOutputs(std::move(results));
    grid.SetOutputBaseName(run.BaseName());
    if (!WriteProjectFile(grid, project)) return ExitFailure;
    const std::size_t times =
        grid.Outputs().gridOutputs.empty() ? 0 : grid.Outputs().gridOutputs.front().times.size();
    context.err << "korva-batch run: " << times << " output times loaded; " << project
                << " saved\n";
    return ExitSuccess;
}

const Command RunCommand{
    "run", "run [--fix] [--solver-dir DIR] IN.kvp",
    "run the solver on a project and load its results",
    "Runs the model of IN.kvp as the program's Run command does, without a window:\n"
    "  1. the model check; its problems stop the run, unless --fix applies their\n"
    "     default values (a time step of 1; an irrigation on the first day is let be);\n"
    "  2. writes the solver's input set next to the project (IN.kvi, IN.irr, ...);\n"
    "  3. deletes this project's results of an earlier run (IN.day, IN-N.kvo,\n"
    "     IN_CODE.tss, IN.log) and the scratch files tmp? to tmp??? that the earlier\n"
    "     run's solver made (a run records them in .IN.scratch; other files of such\n"
    "     names are left alone);\n"
    "  4. starts korva_model2d or korva_model3d from the program folder (or DIR) in\n"
    "     the project's folder, with the project's name as its one argument;\n"
    "  5. writes the solver's output lines to standard output and, on a terminal, a\n"
    "     progress bar from the percentage in IN.log;\n"
    "  6. when the solver has ended successfully, loads the results and saves the\n"
    "     project with its output base name.\n\n"
    "Ctrl-C stops the solver and leaves the project as it was (exit status 130). A\n"
    "solver that cannot be started, that ends with a non-zero status or a signal, or\n"
    "that writes no IN.day although the project has print dates inside the run, fails\n"
    "the run (exit status 1) and nothing is loaded. A solver output line longer than\n"
    "16384 bytes is cut there, with a note.\n\n"
    "A project that was read with errors (damage before its end) is not run, and one\n"
    "whose name ends in an extension of the run's own files (.kvi, .irr, .tsi, .psn,\n"
    ".drn, .ets, .yld, .prn, .day, .kvo, .tss, .log) is refused: the run would\n"
    "overwrite or delete it.\n",
    RunRun};

} // namespace korva::cli
