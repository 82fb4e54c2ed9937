#include "view3dcommands.h"

#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "app/document/prompter.h"
#include "files/text/textexport.h"
#include "korvaview.h"
#include "model/messages.h"
#include "panels/boundarycontrolpaneldlg.h"
#include "panels/controlpanelview.h"
#include "panels/exportchoice.h"
#include "panels/paramcontrolpaneldlg.h"
#include "panels/viewcontroldlg.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QInputDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace korva {

namespace {

// A scroll area that asks for the room its form needs at least, so the
// window can open the pane wide enough to show the form whole.
class FormScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        if (!widget()) return QScrollArea::sizeHint();
        const int frame = 2 * frameWidth();
        return {widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width() +
                    frame,
                QScrollArea::sizeHint().height()};
    }
};

// The panel pane is made before the view; it waits here for its view.
QPointer<QWidget> pendingPanel;

CKORVAView* ViewOf(const CommandContext& context) {
    return qobject_cast<CKORVAView*>(context.view);
}

bool PanelShown(const CommandContext& context, ViewPanel panel) {
    const CKORVAView* view = ViewOf(context);
    return view != nullptr && view->PanelShown(panel);
}

ParamControlPanelDlg* ShowParameterPanel(CKORVAView& view, int p, QWidget* parent) {
    auto* panel = qobject_cast<ParamControlPanelDlg*>(view.ShowPanel(
        ViewPanel::ParameterControl, [&] { return new ParamControlPanelDlg(view, parent); }));
    if (panel) panel->SetParameter(p);
    return panel;
}

void ExportViewImage(CKORVAView& view, QWidget* parent) {
    bool ok = false;
    const QString size = QInputDialog::getText(
        parent, QStringLiteral("Export View Image"), QStringLiteral("Image size (width x height):"),
        QLineEdit::Normal, QStringLiteral("%1x%2").arg(view.width()).arg(view.height()), &ok);
    if (!ok) return;
    const QStringList parts = size.toLower().split(QLatin1Char('x'));
    int w = 0, h = 0;
    bool okW = false, okH = false;
    if (parts.size() == 2) {
        w = parts[0].trimmed().toInt(&okW);
        h = parts[1].trimmed().toInt(&okH);
    }
    if (!okW || !okH || w < 1 || h < 1 || w > 16384 || h > 16384) {
        QMessageBox::warning(parent, QStringLiteral("Export View Image"),
                             QStringLiteral("The size must be two whole numbers from 1 to 16384, "
                                            "such as 1024x768."));
        return;
    }
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Export View Image"), QString(),
        QStringLiteral("PNG images (*.png);;JPEG images (*.jpg *.jpeg)"));
    if (path.isEmpty()) return;
    QImage image;
    QString error;
    if (!view.RenderImage(w, h, image, error)) {
        QMessageBox::warning(parent, QStringLiteral("Export View Image"), error);
        return;
    }
    QImageWriter writer(path);
    if (!writer.write(image))
        QMessageBox::warning(parent, QStringLiteral("Export View Image"),
                             QStringLiteral("Cannot write ") + path + QStringLiteral(": ") +
                                 writer.errorString());
}

bool FormHasFocus(const CKORVAView& view) {
    const QWidget* form = view.ControlPanel();
    const QWidget* focus = QApplication::focusWidget();
    return form != nullptr && focus != nullptr && (form == focus || form->isAncestorOf(focus));
}

ExportChoice ExportChoiceOf(const CKORVAView& view) {
    FormChoice form;
    if (const ControlPanelView* panel = view.ControlPanel())
        form = {panel->DisplayKind(), panel->ParameterIndex(), panel->PeriodIndex()};
    return ChooseExport(view.Document().Grid(), view.Settings(), FormHasFocus(view), form);
}

void ExportData(CKORVAView& view, QWidget* parent) {
    const ExportChoice choice = ExportChoiceOf(view);
    if (!choice.valid) {
        Prompts().Inform(parent, QStringLiteral("Choose a parameter to export in the control "
                                                "panel first."));
        return;
    }
    QString path =
        Prompts().SaveFileName(parent, QStringLiteral("Export Data"),
                               QStringLiteral("Tab-delimited text files (*.txt)"), QString());
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) {
        // The dialog asked about the name as typed; the name written is another.
        path += QStringLiteral(".txt");
        if (QFileInfo::exists(path) &&
            Prompts().Ask(parent,
                          path + QStringLiteral(" already exists.\nDo you want to replace it?"),
                          false) != Answer::Yes)
            return;
    }
    // A failure is told through the project's messages, with the file's name.
    ScopedMessageSink messages(view.Document().Messages());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const GridData& grid = view.Document().Grid();
    const std::string file = path.toStdString();
    if (choice.output)
        ExportOutputParameter(grid, choice.index, choice.period, file);
    else
        ExportParameter(grid, choice.index, file);
    QApplication::restoreOverrideCursor();
}

} // namespace

void RegisterView3dCommands(CommandTable& table) {
    CommandTable* commands = &table;
    table.SetControlPanelFactory([](CKORVADoc&, QWidget* parent) -> QWidget* {
        auto* pane = new QWidget(parent);
        auto* layout = new QVBoxLayout(pane);
        layout->setContentsMargins(0, 0, 0, 0);
        pendingPanel = pane;
        return pane;
    });
    table.SetViewFactory([commands](CKORVADoc& document, QWidget* parent) -> QWidget* {
        // Platforms without windows of their own (offscreen, minimal) cannot
        // show an OpenGL widget; the pane says so instead of failing.
        const QString platform = QGuiApplication::platformName();
        if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
            pendingPanel = nullptr;
            auto* label =
                new QLabel(QStringLiteral("The 3D view needs a display with OpenGL."), parent);
            label->setAlignment(Qt::AlignCenter);
            return label;
        }
        auto* view = new CKORVAView(document, parent);
        // The panel commands carry a check mark while their panel is up.
        QObject::connect(view, &CKORVAView::PanelsChanged, commands,
                         &CommandTable::RequestStateUpdate);
        // "Display parameter control panel" needs an input parameter shown.
        QObject::connect(view, &CKORVAView::InputParameterChanged, commands,
                         &CommandTable::RequestStateUpdate);
        QObject::connect(view, &CKORVAView::StatusText, view, [view](const QString& text) {
            if (auto* main = qobject_cast<QMainWindow*>(view->window()))
                main->statusBar()->showMessage(text);
        });
        if (QWidget* pane = pendingPanel) {
            auto* panel = new ControlPanelView(*view);
            // The pane keeps the width the window gives it; the form scrolls.
            auto* scroll = new FormScrollArea(pane);
            scroll->setWidget(panel);
            scroll->setWidgetResizable(true);
            scroll->setMinimumWidth(0);
            pane->layout()->addWidget(scroll);
            view->SetControlPanel(panel);
            QObject::connect(panel, &ControlPanelView::EditParameterRequested, view,
                             [view](int p) { ShowParameterPanel(*view, p, view->window()); });
            pendingPanel = nullptr;
        }
        return view;
    });

    const auto withView = [](void (*action)(CKORVAView&, const CommandContext&)) {
        return [action](const CommandContext& context) {
            if (CKORVAView* view = ViewOf(context)) action(*view, context);
        };
    };
    const auto hasView = [](const CommandContext& context) { return ViewOf(context) != nullptr; };
    const auto hasImage = [](const CommandContext& context) {
        const CKORVAView* view = ViewOf(context);
        return view && view->BackgroundLoaded();
    };

    table.Register(cmd::GridMouseZoom,
                   withView([](CKORVAView& v, const CommandContext&) { v.ArmMouseZoom(); }),
                   hasView);
    table.Register(cmd::GridZoomOut,
                   withView([](CKORVAView& v, const CommandContext&) { v.ZoomOut(); }), hasView);
    table.Register(cmd::GridRestoreZoom,
                   withView([](CKORVAView& v, const CommandContext&) { v.RestoreZoom(); }),
                   hasView);
    const auto shownRule = [](ViewPanel panel) {
        return [panel](const CommandContext& context) { return PanelShown(context, panel); };
    };
    table.Register(cmd::GridViewControl, {withView([](CKORVAView& v, const CommandContext& c) {
                                              TogglePanel(v, ViewPanel::CameraControl, [&] {
                                                  return new ViewControlDlg(v, c.mainWindow);
                                              });
                                          }),
                                          hasView, shownRule(ViewPanel::CameraControl)});
    table.Register(cmd::GridParameterPanel,
                   {withView([](CKORVAView& v, const CommandContext& c) {
                        if (v.PanelShown(ViewPanel::ParameterControl))
                            v.ClosePanel(ViewPanel::ParameterControl);
                        else
                            ShowParameterPanel(v, v.Settings().InputParameter, c.mainWindow);
                    }),
                    [](const CommandContext& context) {
                        const CKORVAView* view = ViewOf(context);
                        return view && view->Settings().InputParameter >= 0;
                    },
                    shownRule(ViewPanel::ParameterControl)});
    table.Register(cmd::GridBoundaryPanel,
                   {withView([](CKORVAView& v, const CommandContext& c) {
                        TogglePanel(v, ViewPanel::BoundaryControl,
                                    [&] { return new BoundaryControlPanelDlg(v, c.mainWindow); });
                    }),
                    hasView, shownRule(ViewPanel::BoundaryControl)});
    table.Register(cmd::DataAddBackground, withView([](CKORVAView& v, const CommandContext& c) {
                       const QString path = QFileDialog::getOpenFileName(
                           c.mainWindow, QString(), QString(),
                           QStringLiteral("Jpeg image files (*.jpg);;Bitmap image files (*.bmp)"));
                       if (path.isEmpty()) return;
                       QString error;
                       if (!v.LoadBackgroundImage(path, error))
                           QMessageBox::warning(c.mainWindow, QStringLiteral("KORVA"), error);
                   }),
                   hasView);
    table.Register(cmd::DataClipBackground,
                   withView([](CKORVAView& v, const CommandContext&) { v.BeginClipBackground(); }),
                   hasImage);
    table.Register(cmd::DataRemoveBackground, withView([](CKORVAView& v, const CommandContext&) {
                       v.RemoveBackgroundImage();
                   }),
                   hasImage);
    table.Register(cmd::DataRestoreBackground, withView([](CKORVAView& v, const CommandContext&) {
                       v.RestoreBackgroundBounds();
                   }),
                   [](const CommandContext& context) {
                       const CKORVAView* view = ViewOf(context);
                       return view && view->BackgroundLoaded() &&
                              !(view->Settings().BackgroundClip == ZoomMargins{});
                   });
    table.Register(cmd::DataExport, withView([](CKORVAView& v, const CommandContext& c) {
                       ExportData(v, c.mainWindow);
                   }),
                   hasView);
    table.Register(cmd::ViewExportImage, withView([](CKORVAView& v, const CommandContext& c) {
                       ExportViewImage(v, c.mainWindow);
                   }),
                   hasView);
}

} // namespace korva
