#include "aboutdlg.h"

#include "splashpicture.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace korva {

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutDlg");
    setWindowTitle("About KORVA");
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(SplashPicture());
    layout->addWidget(picture);
    auto* version = new QLabel(
        QString("KORVA Version %1\nPre- and post-processor of the KORVA soil-water, salt-transport "
                "and crop-growth model.")
            .arg(QCoreApplication::applicationVersion()),
        this);
    version->setWordWrap(true);
    layout->addWidget(version);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ShowAboutBox(QWidget* parent) {
    AboutDlg dialog(parent);
    dialog.exec();
}

} // namespace korva
