#pragma once
// A prompter that answers from a script: the answers and file names a test
// queues are handed out in order, and every question and message is kept, so
// a test sees what the user would have been asked.
#include "app/document/prompter.h"

#include <QStringList>
#include <deque>

namespace korva::test {

class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter() : previous_(SetPrompter(this)) {}
    ~ScriptedPrompter() override { SetPrompter(previous_); }

    void Inform(QWidget*, const QString& text) override { messages.append(text); }
    Answer Ask(QWidget*, const QString& text, bool withCancel) override {
        questions.append(text);
        if (answers.empty()) return withCancel ? Answer::Cancel : Answer::No;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString OpenFileName(QWidget*, const QString&, const QString& filter) override {
        filters.append(filter);
        return NextFile();
    }
    QString SaveFileName(QWidget*, const QString&, const QString& filter, const QString&) override {
        filters.append(filter);
        return NextFile();
    }

    std::deque<Answer> answers;
    std::deque<QString> files; // empty: the dialog is cancelled
    QStringList messages;
    QStringList questions;
    QStringList filters;

private:
    QString NextFile() {
        if (files.empty()) return {};
        QString file = files.front();
        files.pop_front();
        return file;
    }
    Prompter* previous_;
};

} // namespace korva::test
