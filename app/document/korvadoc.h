#pragma once
// CKORVADoc: one open project. It owns the project's GridData for its whole
// life, the undo history of every change made in the window, the modeless
// dialogs that work on the project, and the view settings that are not stored
// in the project file. Views and dialogs read the model through Grid() and
// change it only through Execute() or the operations below, each one
// undoable command; the document then tells every view what changed.
#include "model/griddata.h"
#include "modelchange.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <map>
#include <memory>

class QWidget;

namespace korva {

class MessageSink;
class ModelRun;
struct ProblemList;

class CKORVADoc : public QObject {
    Q_OBJECT
public:
    // The update hints of UpdateAllViews.
    enum Hint { ModelChanged = 0, BoundaryColorChanged = 1, TransparencyChanged = 2 };

    explicit CKORVADoc(QObject* parent = nullptr);
    ~CKORVADoc() override;

    const GridData& Grid() const { return *grid_; }
    // For undo commands only: everything else changes the model through Execute.
    GridData& GridForEdit() { return *grid_; }

    QUndoStack* UndoStack() { return &undoStack_; }
    // Pushes command; its redo() applies the change. The history is bounded by
    // HistoryBudget() bytes: when the new command would pass it, the older
    // steps are forgotten first (the new one can still be undone).
    void Execute(QUndoCommand* command);
    static constexpr std::size_t DefaultHistoryBudget = 256u << 20;
    std::size_t HistoryBudget() const { return historyBudget_; }
    void SetHistoryBudget(std::size_t bytes) { historyBudget_ = bytes; }
    static constexpr int HistoryLimit = 1000; // steps
    // Bytes the commands of the history hold.
    std::size_t HistoryBytes() const;

    // Tells every view to redraw: 0 model changed, 1 boundary colour, 2 transparency.
    void UpdateAllViews(int hint);
    // Called by commands after they changed the model (redo and undo).
    void ReportChange(const ModelChange& change);

    // Modified means "differs from the file": tied to the undo history's clean
    // state, so undoing back to the saved state clears it.
    bool IsModified() const;
    void SetModifiedFlag(bool modified);

    // The project file, empty while the project was never saved.
    QString PathName() const { return pathName_; }
    // KORVA1, KORVA2, ... for new projects, else the file name.
    QString Title() const { return title_; }
    void SetTitle(const QString& title);
    // The process-wide current folder every relative file name is resolved in.
    static QString WorkingFolder();
    // The folder of the program (ends with "/"): where the solvers are.
    QString ProgramFolder() const { return programFolder_; }
    // Another folder for the solvers (tests use stand-ins); ends with "/".
    void SetProgramFolder(const QString& folder) {
        programFolder_ = folder.endsWith('/') ? folder : folder + '/';
    }
    // The messages of the model and readers: shown in message boxes.
    MessageSink& Messages();

    // Transparency of the output display in the 3D view, 0..1; not stored in
    // the project file and not a change of the model.
    double OutputTransparency() const { return outputTransparency_; }
    void SetOutputTransparency(double transparency);

    // True when the project was read with errors: what was read is shown, but
    // a save would write an incomplete project, so the save asks first.
    bool ReadWithErrors() const { return readWithErrors_; }

    // --- the life of a project ------------------------------------------------
    // A new empty 3D model.
    bool OnNewDocument();
    // Reads the project at path (the reader's messages are shown; content
    // errors leave the document open with what was read), makes the file's
    // folder the working folder and loads the results of an earlier run.
    // False only when the file cannot be read at all.
    bool OnOpenDocument(const QString& path);
    // Writes the project to path; on success the document takes that name
    // and is no longer modified. A failed save changes nothing but shows the
    // writer's message.
    bool OnSaveDocument(const QString& path);
    // "&Save" (saveAs false; asks for a name when there is none) and
    // "Save &As...". False when cancelled or failed.
    bool DoSave(bool saveAs, QWidget* parent = nullptr);
    // The save prompt before a close or a run: true when the project may go
    // (saved, not modified, or the user said No), false on Cancel or a failed save.
    bool SaveModified(QWidget* parent = nullptr);
    // "Import Model File": asks, then replaces the model by a solver input set.
    void ImportModelFile(QWidget* parent = nullptr);
    // The import itself, from the set at basePath (no prompts).
    bool ImportModelSet(const QString& basePath);

    // --- operations of the control panels and editors -------------------------
    int AddBoundary(int type, const std::string& name, const RgbColor& color);
    void DeleteBoundary(int type, int index);
    void RenameBoundary(int type, int index, const std::string& name);
    // Every call marks the project modified; the lists that show the period
    // are told only when something changed.
    void SetSimulationPeriod(int start, int end, int year);
    // The colour as bytes 0..255; views are updated with hint 1.
    void SetBoundaryColor(int type, int index, int red, int green, int blue);
    // Puts the results of a run (read into outputs) into the model as one step.
    void LoadRunResults(OutputStore outputs, const std::string& outputBaseName);

    // --- the model run ------------------------------------------------------------
    // Everything of a run up to the started solver: the check (problems are
    // handed to resolveProblems, where the user may correct them; false aborts
    // the run), the save prompt, the input set next to the project, the stale
    // results, the solver. Null when no run was started: aborted, cancelled,
    // never saved (no message), or a failure that has been shown.
    using ProblemResolver = std::function<bool(ProblemList& problems)>;
    std::unique_ptr<ModelRun> RunModel(const ProblemResolver& resolveProblems,
                                       QWidget* parent = nullptr);
    // Reads the results of a finished run and puts them into the model as one
    // step. A damaged result set (the reader says why) loads no results, so
    // nothing stale or half-read is shown.
    bool LoadResultsOf(const ModelRun& run);

    // --- modeless dialogs ---------------------------------------------------------
    // The dialog stored under key, created by create on first use and kept
    // for the document's life; every call shows it again (also when hidden or
    // minimised) and raises it.
    QWidget* ShowModeless(const QString& key, const std::function<QWidget*()>& create);
    // The dialog under key if it was created, else null.
    QWidget* Modeless(const QString& key) const;

signals:
    void ViewsUpdate(int hint);
    void ModelEdited(const korva::ModelChange& change);
    void ModifiedChanged(bool modified);
    void TitleChanged(const QString& title);
    // Open dialogs listen to these to refresh their lists.
    void BoundaryListChanged(int type);
    void BasinRenamed(int index, const QString& name);
    void SimulationPeriodChanged();
    // The document took the name path (opened or saved): recent files follow.
    void PathChanged(const QString& path);

private:
    void SetPathName(const QString& path);

    std::unique_ptr<GridData> grid_;
    QUndoStack undoStack_;
    QString pathName_;
    QString title_;
    QString programFolder_;
    double outputTransparency_ = 0.5;
    bool readWithErrors_ = false;
    std::size_t historyBudget_ = DefaultHistoryBudget;
    std::map<QString, QPointer<QWidget>> modeless_;
};

} // namespace korva
