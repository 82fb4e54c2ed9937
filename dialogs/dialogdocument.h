#pragma once
// What the settings and grid dialogs need of a project: its model to read,
// and a way to change it as one undoable step. The dialogs never write the
// model themselves; each change is a pair of functions (apply, take back)
// that keeps only what it changes. The desktop program hands the pair to the
// project document's undo stack; UndoStackDocument runs it on a plain model.
#include <QObject>
#include <QString>
#include <cstddef>
#include <functional>

class QUndoStack;

namespace korva {

class GridData;

// The parts of the model a change touches; the same bits as the document's
// change report.
enum ChangePart : unsigned {
    CellsPart = 1u << 0,
    GeometryPart = 1u << 1,
    SettingsPart = 1u << 4,
    SimulationPeriodPart = 1u << 9,
};

class DialogDocument : public QObject {
    Q_OBJECT
public:
    // Applies the change (again, on redo); false when it changed nothing,
    // which the first time drops the change instead of keeping an empty step.
    using Apply = std::function<bool(GridData&)>;
    using TakeBack = std::function<void(GridData&)>;

    using QObject::QObject;
    virtual const GridData& Grid() const = 0;
    // Runs apply now as one undoable change named text; bytes is what the
    // two functions keep.
    virtual void Change(const QString& text, Apply apply, TakeBack takeBack, unsigned parts,
                        std::size_t bytes) = 0;

signals:
    // After every change, its undo and its redo.
    void ModelChanged(unsigned parts);
};

// A model with its own undo stack: the dialogs' document where no project
// window is around them.
class UndoStackDocument : public DialogDocument {
    Q_OBJECT
public:
    UndoStackDocument(GridData& grid, QUndoStack& stack, QObject* parent = nullptr);
    const GridData& Grid() const override { return grid_; }
    void Change(const QString& text, Apply apply, TakeBack takeBack, unsigned parts,
                std::size_t bytes) override;

private:
    GridData& grid_;
    QUndoStack& stack_;
};

} // namespace korva
