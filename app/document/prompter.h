#pragma once
// Every question and message the desktop program puts to the user goes through
// the current Prompter. The program's prompter shows message boxes and file
// dialogs; tests install one that answers from a script, so the flows that
// ask (save changes?, which file?) run without a modal box.
#include <QString>

class QWidget;

namespace korva {

enum class Answer { Yes, No, Cancel, Ok };

class Prompter {
public:
    virtual ~Prompter() = default;
    // A message with an OK button.
    virtual void Inform(QWidget* parent, const QString& text) = 0;
    // A warning with an OK button (failures the user should notice).
    virtual void Warn(QWidget* parent, const QString& text) { Inform(parent, text); }
    // Yes/No (withCancel false) or Yes/No/Cancel.
    virtual Answer Ask(QWidget* parent, const QString& text, bool withCancel) = 0;
    // An existing file to open; empty when cancelled. filter uses Qt's
    // "Name (*.ext);;All Files (*)" form.
    virtual QString OpenFileName(QWidget* parent, const QString& caption,
                                 const QString& filter) = 0;
    // A file name to save under; empty when cancelled.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                 const QString& suggested) = 0;
};

// The prompter with message boxes and file dialogs.
class DialogPrompter : public Prompter {
public:
    void Inform(QWidget* parent, const QString& text) override;
    void Warn(QWidget* parent, const QString& text) override;
    Answer Ask(QWidget* parent, const QString& text, bool withCancel) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& suggested) override;
};

// The prompter in force (a DialogPrompter until another is installed).
Prompter& Prompts();
// Installs prompter (nullptr restores the dialogs) and returns the previous one.
Prompter* SetPrompter(Prompter* prompter);

// The title of the program's message boxes.
inline constexpr char MessageTitle[] = "KORVA";

} // namespace korva
