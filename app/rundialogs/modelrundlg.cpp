#include "modelrundlg.h"

#include "app/document/prompter.h"
#include "run/modelrun.h"
#include "run/pipedprocess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace korva {

ModelRunDlg::ModelRunDlg(std::unique_ptr<ModelRun> run, QWidget* parent)
    : QDialog(parent), run_(std::move(run)) {
    setObjectName("ModelRunDlg");
    setWindowTitle("KORVA");
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    status_ = new QLabel("KORVA is running...", this);
    layout->addWidget(status_);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    layout->addWidget(progress_);
    outputBox_ = new QPlainTextEdit(this);
    outputBox_->setReadOnly(true);
    outputBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    outputBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    outputBox_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(outputBox_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ok_ = new QPushButton("OK", this);
    cancel_ = new QPushButton("Cancel", this);
    ok_->setEnabled(false);
    cancel_->setEnabled(true);
    cancel_->setDefault(true);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &ModelRunDlg::reject);
    resize(560, 360);

    timer_.setInterval(PollMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &ModelRunDlg::Tick);
    timer_.start();
}

ModelRunDlg::~ModelRunDlg() {
    // A dialog that goes while its solver runs ends the solver first.
    if (state_ == State::Running && run_) run_->Cancel();
}

QString ModelRunDlg::OutputText() const {
    return output_;
}

int ModelRunDlg::Progress() const {
    return progress_->value();
}

void ModelRunDlg::AppendLine(const std::string& line) {
    const QString text = QString::fromLocal8Bit(line.data(), static_cast<qsizetype>(line.size()));
    output_ += text + "\r\n";
    outputBox_->appendPlainText(text);
    outputBox_->moveCursor(QTextCursor::End);
    outputBox_->ensureCursorVisible();
}

void ModelRunDlg::Tick() {
    if (state_ != State::Running) return;
    int percent = 0;
    if (run_->ReadProgress(percent)) progress_->setValue(percent);

    // Everything the solver has written so far is taken at each tick: a
    // solver whose output pipe fills up stops until it is read, so taking
    // only a line a second would slow a long run down to the box's pace.
    // The tick stops after a slice of time so the window stays responsive.
    QElapsedTimer slice;
    slice.start();
    std::string line;
    bool ended = false;
    while (!ended && run_->PollWholeLine(line, ended)) {
        if (!line.empty()) AppendLine(line);
        if (slice.elapsed() > MaxTickMilliseconds) break;
    }
    if (ended) End();
}

void ModelRunDlg::End() {
    timer_.stop();
    int percent = 0;
    if (run_->ReadProgress(percent)) progress_->setValue(percent);
    const bool success = run_->Finish();
    state_ = success ? State::Finished : State::Failed;
    if (success) {
        status_->setText("KORVA has finished.");
    } else {
        const QString failure = QString::fromStdString(run_->FailureMessage());
        status_->setText(failure);
        AppendLine(run_->FailureMessage());
        Prompts().Warn(this, failure);
    }
    cancel_->setEnabled(false);
    ok_->setEnabled(true);
    ok_->setDefault(true);
    ok_->setFocus();
    QApplication::beep();
    emit RunEnded();
}

void ModelRunDlg::reject() {
    if (state_ == State::Running) {
        timer_.stop();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        run_->Cancel(); // ends the solver and waits until it has gone
        QApplication::restoreOverrideCursor();
        state_ = State::Cancelled;
        emit RunEnded();
    }
    QDialog::reject();
}

} // namespace korva
