// The life of a project file: open (also damaged files), save and save as
// through the atomic writer, the save prompt, and the import of a solver
// input set with its warning.
#include "app/document/korvadoc.h"
#include "apptesthelpers.h"
#include "files/inputset/inputset.h"
#include "scriptedprompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korva {
namespace {

using test::ModelText;

class DocumentFileTest : public ::testing::Test {
protected:
    QString Copy(const char* example) {
        const QString path = folder.filePath(example);
        QFile::copy(test::ExampleProject(example), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    QString Write(const QString& name, const QByteArray& text) {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName();
    }

    QTemporaryDir folder;
    test::ScriptedPrompter prompts;
};

TEST_F(DocumentFileTest, NewDocumentIsAnEmptyThreeDimensionalModel) {
    CKORVADoc document;
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_EQ(document.Grid().ModelKind(), 1);
    EXPECT_EQ(document.Grid().NumLayers(), 1);
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.PathName().isEmpty());
    EXPECT_DOUBLE_EQ(document.OutputTransparency(), 0.5);
}

TEST_F(DocumentFileTest, OpeningMakesTheFilesFolderTheWorkingFolder) {
    const QString path = Copy("field3d.kvp");
    CKORVADoc document;
    QSignalSpy named(&document, &CKORVADoc::PathChanged);
    ASSERT_TRUE(document.OnOpenDocument(path));
    EXPECT_EQ(QFileInfo(CKORVADoc::WorkingFolder()), QFileInfo(folder.path()));
    EXPECT_EQ(document.Title(), "field3d.kvp");
    EXPECT_EQ(named.count(), 1);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.Grid().NumRows(), 12);
}

TEST_F(DocumentFileTest, DamagedFilesOpenWithTheReadersMessageAndAskBeforeSave) {
    QFile example(test::ExampleProject("field3d.kvp"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const QByteArray text = example.readAll();
    const QString path = Write("cut.kvp", text.left(text.size() / 3));
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(path)) << "content errors leave the document open";
    EXPECT_FALSE(prompts.messages.isEmpty()) << "the reader said what is wrong";
    EXPECT_TRUE(document.ReadWithErrors());

    // A save of what was read asks first; No keeps the damaged file as it is.
    document.AddBoundary(DrainType, "d", {0, 0, 0});
    prompts.answers = {Answer::No};
    EXPECT_FALSE(document.DoSave(false));
    EXPECT_EQ(prompts.questions.size(), 1);
    QFile after(path);
    after.open(QIODevice::ReadOnly);
    EXPECT_EQ(after.readAll(), text.left(text.size() / 3));
    EXPECT_TRUE(document.IsModified());
}

// Damage inside the time-series selections is read past with a message, but
// the crops and everything after them stay unread: saving over the file
// would lose them, so the save asks first here too.
TEST_F(DocumentFileTest, DamageTheReaderReadsPastStillAsksBeforeSave) {
    QFile example(test::ExampleProject("field3d.kvp"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QByteArray text = example.readAll();
    const int at = text.indexOf("for this cell = 0\r\n");
    ASSERT_GE(at, 0);
    text.replace(at, 19, "for this cell = x\r\n");
    const QString path = Write("damaged.kvp", text);
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(path));
    EXPECT_FALSE(prompts.messages.isEmpty());
    EXPECT_TRUE(document.ReadWithErrors());

    prompts.answers = {Answer::No};
    EXPECT_FALSE(document.DoSave(false));
    EXPECT_EQ(prompts.questions.size(), 1);
    QFile after(path);
    after.open(QIODevice::ReadOnly);
    EXPECT_EQ(after.readAll(), text);
}

TEST_F(DocumentFileTest, HostileAndMissingFilesNeverCrash) {
    const QString binary = Write("noise.kvp", QByteArray(5000, '\xff') + QByteArray(100, '\0'));
    CKORVADoc document;
    EXPECT_TRUE(document.OnOpenDocument(binary));
    EXPECT_FALSE(prompts.messages.isEmpty());

    prompts.messages.clear();
    CKORVADoc missing;
    EXPECT_FALSE(missing.OnOpenDocument(folder.filePath("absent.kvp")));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains("absent.kvp"));
}

TEST_F(DocumentFileTest, SaveAsWritesTheProjectAndTakesItsName) {
    CKORVADoc document;
    document.OnNewDocument();
    document.SetTitle("KORVA1");
    document.AddBoundary(BasinType, "basin", {1, 0, 0});
    prompts.files = {folder.filePath("named")};
    ASSERT_TRUE(document.DoSave(false)) << "an untitled project asks for a name";
    EXPECT_EQ(document.PathName(), folder.filePath("named.kvp")) << ".kvp is added";
    EXPECT_EQ(document.Title(), "named.kvp");
    EXPECT_FALSE(document.IsModified());
    CKORVADoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(document.PathName()));
    EXPECT_EQ(ModelText(reread.Grid()), ModelText(document.Grid()));

    // Undo after the save makes the project differ from its file again.
    document.UndoStack()->undo();
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentFileTest, FailedSaveKeepsNameModifiedFlagAndOldFile) {
    const QString path = Copy("field3d.kvp");
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(path));
    document.AddBoundary(DrainType, "d", {0, 0, 0});
    // A folder that does not exist: the writer cannot create its file there.
    const QString target = folder.filePath("missing/there.kvp");
    prompts.files = {target};
    EXPECT_FALSE(document.DoSave(true));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.PathName(), QFileInfo(path).absoluteFilePath());
    ASSERT_FALSE(prompts.messages.isEmpty()) << "the writer's message is shown";
    EXPECT_TRUE(prompts.messages.last().contains("there.kvp"));
}

TEST_F(DocumentFileTest, SavePromptAnswers) {
    CKORVADoc document;
    document.OnNewDocument();
    EXPECT_TRUE(document.SaveModified()) << "nothing to ask";
    EXPECT_TRUE(prompts.questions.isEmpty());
    document.AddBoundary(DrainType, "d", {0, 0, 0});
    prompts.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(document.SaveModified());
    EXPECT_TRUE(document.SaveModified());
    prompts.answers = {Answer::Yes}; // then the name dialog is cancelled
    EXPECT_FALSE(document.SaveModified());
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentFileTest, ImportAsksOnlyWhenModifiedAndCutsTheKviExtension) {
    GridData source;
    {
        CKORVADoc example;
        example.OnOpenDocument(test::ExampleProject("field3d.kvp"));
        source = example.Grid();
    }
    const QString base = folder.filePath("model");
    ASSERT_TRUE(WriteModelInputFiles(source, base.toStdString()));

    CKORVADoc document;
    document.OnNewDocument();
    document.SetTitle("KORVA1");
    prompts.files = {base + ".kvi"};
    document.ImportModelFile();
    EXPECT_TRUE(prompts.questions.isEmpty()) << "an unmodified project is not asked about";
    EXPECT_EQ(prompts.filters.value(0), "KORVA input files (*.kvi);;All Files (*)");
    EXPECT_EQ(document.Grid().NumRows(), 12);
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.PathName().isEmpty()) << "the project keeps its (missing) name";
    EXPECT_EQ(document.Title(), "KORVA1");

    // Now modified: declining the warning changes nothing.
    const std::string imported = ModelText(document.Grid());
    prompts.answers = {Answer::No};
    document.ImportModelFile();
    EXPECT_EQ(prompts.questions.value(0),
              "Warning: This will erase your current project data.  Continue?");
    EXPECT_EQ(ModelText(document.Grid()), imported);

    // Undo takes the import back to the empty model.
    document.UndoStack()->undo();
    EXPECT_EQ(document.Grid().NumRows(), 1);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentFileTest, RejectedImportChangesNothing) {
    CKORVADoc document;
    document.OnNewDocument();
    const std::string before = ModelText(document.Grid());
    Write("broken.kvi", "not a model\n");
    prompts.files = {folder.filePath("broken.kvi")};
    document.ImportModelFile();
    EXPECT_FALSE(prompts.messages.isEmpty());
    EXPECT_EQ(ModelText(document.Grid()), before);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.UndoStack()->count(), 0);
}

} // namespace
} // namespace korva
