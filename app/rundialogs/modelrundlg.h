#pragma once
// ModelRunDlg: follows a started solver. Once a second it shows the
// percentage of the solver's log in the progress bar and the new lines of its
// output in the output box, never waiting for either, so the window stays
// alive. When the solver has ended, OK is enabled (it loads the results) and
// Cancel is disabled; Cancel while it runs ends the solver and waits for it.
#include <QDialog>
#include <QTimer>
#include <memory>
#include <string>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace korva {

class ModelRun;

class ModelRunDlg : public QDialog {
    Q_OBJECT
public:
    enum class State { Running, Finished, Failed, Cancelled };

    // Takes the run that CKORVADoc::RunModel started.
    explicit ModelRunDlg(std::unique_ptr<ModelRun> run, QWidget* parent = nullptr);
    ~ModelRunDlg() override;

    State RunState() const { return state_; }
    // True once the solver ended by itself with success: OK loads the results.
    bool Succeeded() const { return state_ == State::Finished; }
    const ModelRun& Run() const { return *run_; }
    QString OutputText() const;
    int Progress() const;
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    // The poll period; a second, shorter in tests.
    void SetPollInterval(int milliseconds) { timer_.setInterval(milliseconds); }
    static constexpr int PollMilliseconds = 1000;
    static constexpr int MaxTickMilliseconds = 100;

    void reject() override; // Cancel, Escape and the close box

signals:
    void RunEnded();

private:
    void Tick();
    void AppendLine(const std::string& line);
    void End();

    std::unique_ptr<ModelRun> run_;
    QTimer timer_;
    State state_ = State::Running;
    QString output_;
    QLabel* status_;
    QProgressBar* progress_;
    QPlainTextEdit* outputBox_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace korva
