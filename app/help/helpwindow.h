#pragma once
// The help: the tutorial KORVA_TUTORIAL.html in a browser window of the program.
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace korva {

inline constexpr char TutorialFileName[] = "KORVA_TUTORIAL.html";

// Where the tutorial is: the working folder first (a relative name), then the
// program's data folder (share/korva beside the program folder). Empty when
// neither has it.
QString FindTutorial(const QString& workingFolder, const QString& programFolder);

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows path at its contents (the top).
    void ShowFile(const QString& path);
    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

// "&Help Topics" and F1: opens the tutorial, or says that it is missing.
void ShowHelpTopics(QWidget* parent);

} // namespace korva
