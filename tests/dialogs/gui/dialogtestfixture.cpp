#include "dialogtestfixture.h"

#include "files/project/projectfile.h"
#include "widgets/tablectrl.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace korva {

void DialogTest::SetUp() {
    sink = std::make_unique<ScopedMessageSink>(messages);
    ASSERT_TRUE(ReadProjectFile(grid, KORVA_SOURCE_DIR "/examples/field3d.kvp"));
    document = std::make_unique<UndoStackDocument>(grid, stack);
}

void DialogTest::TypeIntoCell(TableCtrl& table, int row, int column, const QString& text) {
    table.EditCell(row, column);
    auto* editor = table.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Delete);
    else
        QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits on a queued call
    // The closed editor goes only now, so the next edit finds its own.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void DialogTest::Type(QWidget* edit, const QString& text) {
    auto* line = qobject_cast<QLineEdit*>(edit);
    ASSERT_NE(line, nullptr);
    line->setFocus();
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Delete);
    QTest::keyClicks(line, text);
    emit line->editingFinished();
}

void DialogTest::Click(QWidget* parent, const QString& text) {
    for (QAbstractButton* button : parent->findChildren<QAbstractButton*>()) {
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
}

void DialogTest::ClickOk(QDialog* dialog) {
    auto* box = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

void DialogTest::ClickCancel(QDialog* dialog) {
    auto* box = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->button(QDialogButtonBox::Cancel), Qt::LeftButton);
}

} // namespace korva
