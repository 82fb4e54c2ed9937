#pragma once
// The bundled 3D example loaded into a model with its own undo stack, the
// messages the dialogs show collected, and a few ways to act as the user.
#include "dialogs/dialogdocument.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <QDialog>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <memory>

class QAbstractButton;

namespace korva {

class TableCtrl;

class DialogTest : public ::testing::Test {
public:
    void SetUp() override;

    // Types text into a table cell and ends the edit with Return.
    static void TypeIntoCell(TableCtrl& table, int row, int column, const QString& text);
    // Replaces a line edit's text as typing would.
    static void Type(QWidget* edit, const QString& text);
    // Clicks the child button of dialog showing text.
    static void Click(QWidget* parent, const QString& text);
    static void ClickOk(QDialog* dialog);
    static void ClickCancel(QDialog* dialog);

protected:
    GridData grid;
    QUndoStack stack;
    std::unique_ptr<UndoStackDocument> document;
    CollectingMessageSink messages;
    std::unique_ptr<ScopedMessageSink> sink;
};

} // namespace korva
