#include "paraviewexportdlg.h"

#include "app/document/prompter.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korva {

namespace {

const QString Filter = QStringLiteral("VTK rectilinear grids (*.vtr);;All Files (*)");

} // namespace

ParaViewExportDlg::ParaViewExportDlg(const ParaViewExportChoice& choice, QWidget* parent)
    : QDialog(parent), choice_(choice) {
    setWindowTitle(QStringLiteral("Export to ParaView"));
    file_ = new QLineEdit(choice_.SuggestedPath(), this);
    file_->setMinimumWidth(360);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("File:"), this));
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);

    results_ = new QCheckBox(this);
    if (choice_.HasResults()) {
        results_->setText(QStringLiteral("Also write the results of the run: one file per output "
                                         "time (%1) and a .pvd collection ParaView animates")
                              .arg(choice_.OutputTimes()));
        results_->setChecked(true);
    } else {
        results_->setText(QStringLiteral("Also write the results of the run (this project has "
                                         "none yet)"));
        results_->setEnabled(false);
    }
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    auto* note = new QLabel(QStringLiteral("Coordinates are in metres without Z exaggeration; "
                                           "cells without data hold NaN."),
                            this);
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Export"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ParaViewExportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ParaViewExportDlg::reject);
    connect(browse, &QPushButton::clicked, this, &ParaViewExportDlg::Browse);
    connect(file_, &QLineEdit::textChanged, this, &ParaViewExportDlg::UpdateSummary);
    connect(results_, &QCheckBox::toggled, this, &ParaViewExportDlg::UpdateSummary);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addWidget(results_);
    layout->addWidget(summary_);
    layout->addWidget(note);
    layout->addStretch();
    layout->addWidget(buttons);
    UpdateSummary();
}

void ParaViewExportDlg::Browse() {
    const QString chosen =
        Prompts().SaveFileName(this, QStringLiteral("Export to ParaView"), Filter, file_->text());
    if (chosen.isEmpty()) return;
    // The chooser asked before replacing the file it returns, but not the one
    // with ".vtr" added.
    if (ParaViewExportChoice::WithVtrSuffix(chosen) == chosen) confirmed_ = chosen;
    file_->setText(chosen);
}

void ParaViewExportDlg::UpdateSummary() {
    const QString typed = file_->text().trimmed();
    if (typed.isEmpty()) {
        summary_->clear();
        return;
    }
    summary_->setText(choice_.Summary(ParaViewExportChoice::WithVtrSuffix(typed),
                                      results_->isEnabled() && results_->isChecked()));
}

void ParaViewExportDlg::accept() {
    const bool withResults = results_->isEnabled() && results_->isChecked();
    QString path, message;
    if (!choice_.Check(file_->text(), withResults, path, message)) {
        Prompts().Warn(this, message);
        return;
    }
    if (path != confirmed_ && QFileInfo::exists(path) &&
        Prompts().Ask(this, path + QStringLiteral(" already exists.\nDo you want to replace it?"),
                      false) != Answer::Yes)
        return;
    path_ = path;
    withResults_ = withResults;
    QDialog::accept();
}

} // namespace korva
