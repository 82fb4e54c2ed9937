#include "prompter.h"

#include <QFileDialog>
#include <QMessageBox>

namespace korva {

namespace {
DialogPrompter dialogPrompter;
Prompter* current = &dialogPrompter;
} // namespace

void DialogPrompter::Inform(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, MessageTitle, text);
}

void DialogPrompter::Warn(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, MessageTitle, text);
}

Answer DialogPrompter::Ask(QWidget* parent, const QString& text, bool withCancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    switch (QMessageBox::question(parent, MessageTitle, text, buttons,
                                  withCancel ? QMessageBox::Yes : QMessageBox::No)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return withCancel ? Answer::Cancel : Answer::No;
    }
}

QString DialogPrompter::OpenFileName(QWidget* parent, const QString& caption,
                                     const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString DialogPrompter::SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                     const QString& suggested) {
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

Prompter& Prompts() {
    return *current;
}

Prompter* SetPrompter(Prompter* prompter) {
    Prompter* previous = current;
    current = prompter != nullptr ? prompter : &dialogPrompter;
    return previous;
}

} // namespace korva
