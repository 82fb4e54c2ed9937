#include "korvadoc.h"

#include "commands/addboundarycommand.h"
#include "commands/boundarycolorcommand.h"
#include "commands/deleteboundarycommand.h"
#include "commands/editcommand.h"
#include "commands/loadresultscommand.h"
#include "commands/renameboundarycommand.h"
#include "commands/replacemodelcommand.h"
#include "commands/simulationperiodcommand.h"
#include "documentcommand.h"
#include "files/inputset/inputset.h"
#include "files/output/modeloutput.h"
#include "files/project/projectfile.h"
#include "model/modelcheck.h"
#include "prompter.h"
#include "promptermessagesink.h"
#include "run/modelrun.h"
#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace korva {

CKORVADoc::CKORVADoc(QObject* parent)
    : QObject(parent), grid_(std::make_unique<GridData>()),
      programFolder_(QCoreApplication::applicationDirPath() + "/") {
    qRegisterMetaType<korva::ModelChange>();
    undoStack_.setUndoLimit(HistoryLimit);
    connect(&undoStack_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit ModifiedChanged(!clean); });
    // Every new document starts in the configured folder, else in the
    // examples beside the program.
    ChangeWorkingFolder(StartFolder(programFolder_));
}

CKORVADoc::~CKORVADoc() {
    for (auto& [key, dialog] : modeless_)
        delete dialog.data();
}

void CKORVADoc::Execute(QUndoCommand* command) {
    std::size_t cost = 64;
    if (const auto* documentCommand = dynamic_cast<const DocumentCommand*>(command))
        cost = documentCommand->MemoryCost();
    if (undoStack_.count() > 0 && HistoryBytes() + cost > historyBudget_) {
        // Forget the older steps, but not whether the project differs from its file.
        const bool modified = IsModified();
        undoStack_.clear();
        if (modified) undoStack_.resetClean();
    }
    undoStack_.push(command);
}

std::size_t CKORVADoc::HistoryBytes() const {
    std::size_t bytes = 0;
    for (int i = 0; i < undoStack_.count(); ++i) {
        const QUndoCommand* command = undoStack_.command(i);
        const auto* documentCommand = dynamic_cast<const DocumentCommand*>(command);
        bytes += documentCommand != nullptr ? documentCommand->MemoryCost() : 64;
    }
    return bytes;
}

void CKORVADoc::UpdateAllViews(int hint) {
    emit ViewsUpdate(hint);
}

void CKORVADoc::ReportChange(const ModelChange& change) {
    emit ModelEdited(change);
    if (change.Touches(ModelChange::Boundaries) || change.Touches(ModelChange::BoundaryColors))
        emit BoundaryListChanged(change.boundaryType);
    if (change.Touches(ModelChange::SimulationPeriod)) emit SimulationPeriodChanged();
    UpdateAllViews(change.hint);
}

bool CKORVADoc::IsModified() const {
    return !undoStack_.isClean();
}

void CKORVADoc::SetModifiedFlag(bool modified) {
    if (modified == IsModified()) return;
    if (modified)
        undoStack_.resetClean();
    else
        undoStack_.setClean();
}

void CKORVADoc::SetTitle(const QString& title) {
    if (title == title_) return;
    title_ = title;
    emit TitleChanged(title_);
}

QString CKORVADoc::WorkingFolder() {
    return QDir::currentPath();
}

MessageSink& CKORVADoc::Messages() {
    static PrompterMessageSink sink;
    return sink;
}

void CKORVADoc::SetOutputTransparency(double transparency) {
    outputTransparency_ = std::clamp(transparency, 0.0, 1.0);
    UpdateAllViews(TransparencyChanged);
}

bool CKORVADoc::OnNewDocument() {
    grid_->ResetModel(1);
    undoStack_.clear();
    return true;
}

bool CKORVADoc::OnOpenDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Prompts().Warn(nullptr, QString("Cannot open the file %1:\n%2.")
                                    .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    file.close();
    ScopedMessageSink messages(Messages());
    auto grid = std::make_unique<GridData>();
    // A project the reader rejects still opens with what was read; the
    // reader has said what is wrong. Damage in the middle of a file the
    // reader accepts counts too: the items after it were never read, and a
    // save over the file would lose them for good.
    ProjectReadResult result;
    ReadProjectFile(*grid, path.toStdString(), result);
    readWithErrors_ = !result.read || result.readWithErrors;
    grid_ = std::move(grid);
    const QFileInfo info(path);
    ChangeWorkingFolder(info.absolutePath());
    ReadModelOutput(*grid_, std::string(), grid_->NumRows(), grid_->NumColumns(),
                    grid_->NumLayers());
    undoStack_.clear();
    SetPathName(info.absoluteFilePath());
    UpdateAllViews(ModelChanged);
    return true;
}

bool CKORVADoc::OnSaveDocument(const QString& path) {
    ScopedMessageSink messages(Messages());
    if (!WriteProjectFile(*grid_, path.toStdString())) return false;
    readWithErrors_ = false;
    SetPathName(QFileInfo(path).absoluteFilePath());
    undoStack_.setClean();
    return true;
}

bool CKORVADoc::DoSave(bool saveAs, QWidget* parent) {
    QString path = pathName_;
    if (saveAs || path.isEmpty()) {
        const QString suggested = path.isEmpty() ? title_ + ".kvp" : path;
        path = Prompts().SaveFileName(parent, saveAs ? "Save As" : "Save",
                                      "KORVA project files (*.kvp);;All Files (*)", suggested);
        if (path.isEmpty()) return false;
        if (QFileInfo(path).suffix().isEmpty()) path += ".kvp";
    }
    if (readWithErrors_ &&
        Prompts().Ask(parent,
                      QString("%1 was read with errors, so parts of the project may be "
                              "missing. Saving writes only what was read.\nSave anyway?")
                          .arg(title_),
                      false) != Answer::Yes)
        return false;
    return OnSaveDocument(path);
}

bool CKORVADoc::SaveModified(QWidget* parent) {
    if (!IsModified()) return true;
    switch (Prompts().Ask(parent, QString("Save changes to %1?").arg(title_), true)) {
    case Answer::Yes:
        return DoSave(false, parent);
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void CKORVADoc::ImportModelFile(QWidget* parent) {
    if (IsModified() &&
        Prompts().Ask(parent, "Warning: This will erase your current project data.  Continue?",
                      false) != Answer::Yes)
        return;
    QString path = Prompts().OpenFileName(parent, "Import Model File",
                                          "KORVA input files (*.kvi);;All Files (*)");
    if (path.isEmpty()) return;
    // The set's base path is the chosen name without its ".kvi".
    if (path.contains(".kvi")) path.chop(4);
    ImportModelSet(path);
}

bool CKORVADoc::ImportModelSet(const QString& basePath) {
    ScopedMessageSink messages(Messages());
    auto imported = std::make_unique<GridData>(*grid_);
    // The reader leaves the model untouched when it rejects the set (and has
    // said why), so a failed import is no change at all.
    if (!ReadModelInputFiles(*imported, basePath.toStdString())) return false;
    Execute(new ReplaceModelCommand(*this, "Import Model File", std::move(imported)));
    return true;
}

int CKORVADoc::AddBoundary(int type, const std::string& name, const RgbColor& color) {
    auto* command = new AddBoundaryCommand(*this, type, name, color);
    Execute(command);
    return command->Index();
}

void CKORVADoc::DeleteBoundary(int type, int index) {
    Execute(new DeleteBoundaryCommand(*this, type, index));
}

void CKORVADoc::RenameBoundary(int type, int index, const std::string& name) {
    Execute(new RenameBoundaryCommand(*this, type, index, name));
    if (type == BasinType) emit BasinRenamed(index, QString::fromStdString(name));
}

void CKORVADoc::SetSimulationPeriod(int start, int end, int year) {
    Execute(new SimulationPeriodCommand(*this, start, end, year));
}

void CKORVADoc::SetBoundaryColor(int type, int index, int red, int green, int blue) {
    const RgbColor color{red / 255.0, green / 255.0, blue / 255.0};
    Execute(new BoundaryColorCommand(*this, type, index, color));
}

void CKORVADoc::LoadRunResults(OutputStore outputs, const std::string& outputBaseName) {
    Execute(new LoadResultsCommand(*this, std::move(outputs), outputBaseName));
}

std::unique_ptr<ModelRun> CKORVADoc::RunModel(const ProblemResolver& resolveProblems,
                                              QWidget* parent) {
    ScopedMessageSink messages(Messages());
    ProblemList problems;
    grid_->CheckModel(problems);
    if (!problems.Empty()) {
        if (!resolveProblems || !resolveProblems(problems)) return nullptr;
        // The corrected values are a change of the project like any other;
        // one that changes nothing leaves no step.
        Execute(new ModelEditCommand(*this, "Correct Critical Problems",
                                     [problems](GridData& grid, UndoRecord* undo) {
                                         return grid.ApplyModelCheckValues(problems, undo);
                                     },
                                     {ModelChange::Settings, -1, ModelChanged}));
    }
    if (!SaveModified(parent)) return nullptr;
    // A project that was never saved has no name for its input set.
    if (pathName_.isEmpty()) return nullptr;

    auto run =
        std::make_unique<ModelRun>(*grid_, pathName_.toStdString(), programFolder_.toStdString());
    // Without its whole input set the solver would run on stale or missing
    // files, so a failed write (the writer has said which file) stops here.
    if (!run->WriteInput()) return nullptr;
    run->CleanStaleResults();
    if (grid_->ModelKind() == 0) {
        const std::vector<std::string> command = run->SolverCommand();
        if (!command.empty())
            Prompts().Inform(parent, QString("Running %1 \"%2\"")
                                         .arg(QString::fromStdString(command[0]),
                                              QString::fromStdString(command[1])));
    }
    if (!run->StartSolver()) return nullptr;
    return run;
}

bool CKORVADoc::LoadResultsOf(const ModelRun& run) {
    ScopedMessageSink messages(Messages());
    // The run reads its results into a store of their own; the command
    // installs it, so the load is one undoable step.
    OutputStore results;
    const bool complete = run.LoadResults(results);
    if (!complete) results.Clear();
    LoadRunResults(std::move(results), run.BaseName());
    return complete;
}

QWidget* CKORVADoc::ShowModeless(const QString& key, const std::function<QWidget*()>& create) {
    QPointer<QWidget>& dialog = modeless_[key];
    if (dialog.isNull()) dialog = create();
    if (dialog.isNull()) return nullptr;
    dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

QWidget* CKORVADoc::Modeless(const QString& key) const {
    const auto found = modeless_.find(key);
    return found == modeless_.end() ? nullptr : found->second.data();
}

void CKORVADoc::SetPathName(const QString& path) {
    pathName_ = path;
    SetTitle(QFileInfo(path).fileName());
    emit PathChanged(path);
}

} // namespace korva
