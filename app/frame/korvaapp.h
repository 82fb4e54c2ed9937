#pragma once
// CKORVAApp: the program. It reads the command line, starts the main frame
// with its command table, shows the splash picture, opens the project named
// on the command line or a new one, and sets the working folder.
#include "app/document/commandtable.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace korva {

class CMainFrame;

struct StartOptions {
    bool splash = true;
    QString projectFile; // absolute, or empty
};

class CKORVAApp : public QObject {
    Q_OBJECT
public:
    CKORVAApp();
    ~CKORVAApp() override;

    // The whole program: answers --help and --version without a display,
    // says so when there is no display, else runs the window until it closes.
    static int Main(int argc, char* argv[]);

    // Parses the program's arguments (arguments[0] is the program);
    // relative file names are taken from launchFolder. False, with error set,
    // on a bad command line.
    static bool ParseCommandLine(const QStringList& arguments, const QString& launchFolder,
                                 StartOptions& options, QString& error);

    // Start-up in its order; false when it failed (the program then ends).
    bool InitInstance(const StartOptions& options, const QString& launchFolder);
    CMainFrame* MainFrame() const { return mainFrame_.get(); }
    CommandTable& Commands() { return table_; }

private:
    CommandTable table_;
    std::unique_ptr<CMainFrame> mainFrame_;
};

} // namespace korva
