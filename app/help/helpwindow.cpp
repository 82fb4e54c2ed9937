#include "helpwindow.h"

#include "app/document/prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace korva {

QString FindTutorial(const QString& workingFolder, const QString& programFolder) {
    const QStringList candidates = {
        QDir(workingFolder).filePath(TutorialFileName),
        QDir(programFolder).filePath(QString("../share/korva/") + TutorialFileName),
    };
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile()) return QDir::cleanPath(candidate);
    return {};
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle("KORVA Help");
    setAttribute(Qt::WA_DeleteOnClose);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 700);
}

void HelpWindow::ShowFile(const QString& path) {
    browser_->setSource(QUrl::fromLocalFile(path));
    browser_->scrollToAnchor("contents");
}

void ShowHelpTopics(QWidget* parent) {
    static QPointer<HelpWindow> window;
    const QString path = FindTutorial(QDir::currentPath(), QCoreApplication::applicationDirPath());
    if (path.isEmpty()) {
        Prompts().Warn(parent, QString("Cannot find the help file %1.").arg(TutorialFileName));
        return;
    }
    if (window.isNull()) window = new HelpWindow(parent);
    window->ShowFile(path);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace korva
