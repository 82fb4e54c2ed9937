// What the document does for its dialogs: modeless dialogs made once and
// shown again on every call, destroyed with the project, and the signals
// that tell open dialogs which of their lists changed.
#include "app/document/korvadoc.h"
#include "scriptedprompter.h"

#include <QDialog>
#include <QPointer>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(DocumentDialogsTest, ModelessDialogIsMadeOnceShownOnEveryCallAndGoesWithTheProject) {
    auto* document = new CKORVADoc;
    document->OnNewDocument();
    int made = 0;
    auto make = [&] {
        ++made;
        return new QDialog;
    };
    EXPECT_EQ(document->Modeless("constants"), nullptr);
    QPointer<QWidget> dialog = document->ShowModeless("constants", make);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_TRUE(dialog->isVisible());

    dialog->hide();
    dialog->setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(document->ShowModeless("constants", make), dialog.data());
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->windowState() & Qt::WindowMinimized);

    document->ShowModeless("irrigation", make);
    EXPECT_EQ(made, 2);
    delete document;
    EXPECT_TRUE(dialog.isNull()) << "the project's dialogs go with it";
}

TEST(DocumentDialogsTest, ListsThatChangedAreAnnouncedOnDoAndUndo) {
    test::ScriptedPrompter prompts;
    CKORVADoc document;
    document.OnNewDocument();
    QSignalSpy lists(&document, &CKORVADoc::BoundaryListChanged);
    QSignalSpy renamed(&document, &CKORVADoc::BasinRenamed);
    QSignalSpy edited(&document, &CKORVADoc::ModelEdited);

    document.AddBoundary(BasinType, "north", {0, 0, 1});
    ASSERT_EQ(lists.count(), 1);
    EXPECT_EQ(lists.last().at(0).toInt(), BasinType);
    document.RenameBoundary(BasinType, 0, "south");
    ASSERT_EQ(renamed.count(), 1);
    EXPECT_EQ(renamed.last().at(1).toString(), "south");
    document.UndoStack()->undo();
    document.UndoStack()->undo();
    EXPECT_EQ(lists.count(), 4) << "undo refreshes the lists too";
    EXPECT_EQ(edited.count(), 4);
    const auto change = edited.last().at(0).value<ModelChange>();
    EXPECT_TRUE(change.Touches(ModelChange::Boundaries));
    EXPECT_FALSE(change.Touches(ModelChange::Cells));
}

} // namespace
} // namespace korva
