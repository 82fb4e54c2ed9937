#include "view3dcommands.h"

#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "korvaview.h"
#include "panels/boundarycontrolpaneldlg.h"
#include "panels/controlpanelview.h"
#include "panels/paramcontrolpaneldlg.h"
#include "panels/viewcontroldlg.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QImageWriter>
#include <QInputDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

namespace korva {

namespace {

// The panel pane is made before the view; it waits here for its view.
QPointer<QWidget> pendingPanel;

CKORVAView* ViewOf(const CommandContext& context) {
    return qobject_cast<CKORVAView*>(context.view);
}

QString Key(const char* what, const CKORVAView* view) {
    return QStringLiteral("view3d.%1.%2")
        .arg(QLatin1String(what))
        .arg(reinterpret_cast<quintptr>(view));
}

void ClosePanel(CKORVADoc& document, const char* what, CKORVAView* view) {
    if (QWidget* panel = document.Modeless(Key(what, view)); panel && panel->isVisible())
        panel->close();
}

void ShowParameterPanel(CKORVAView& view, int p, QWidget* parent) {
    CKORVADoc& doc = view.Document();
    ClosePanel(doc, "boundary", &view);
    QWidget* shown = doc.ShowModeless(Key("parameter", &view),
                                      [&] { return new ParamControlPanelDlg(view, parent); });
    if (auto* panel = qobject_cast<ParamControlPanelDlg*>(shown)) panel->SetParameter(p);
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

} // namespace

void RegisterView3dCommands(CommandTable& table) {
    table.SetControlPanelFactory([](CKORVADoc&, QWidget* parent) -> QWidget* {
        auto* pane = new QWidget(parent);
        auto* layout = new QVBoxLayout(pane);
        layout->setContentsMargins(0, 0, 0, 0);
        pendingPanel = pane;
        return pane;
    });
    table.SetViewFactory([](CKORVADoc& document, QWidget* parent) -> QWidget* {
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
        QObject::connect(view, &CKORVAView::StatusText, view, [view](const QString& text) {
            if (auto* main = qobject_cast<QMainWindow*>(view->window()))
                main->statusBar()->showMessage(text);
        });
        if (QWidget* pane = pendingPanel) {
            auto* panel = new ControlPanelView(*view);
            // The pane keeps the width the window gives it; the form scrolls.
            auto* scroll = new QScrollArea(pane);
            scroll->setWidget(panel);
            scroll->setWidgetResizable(true);
            scroll->setMinimumWidth(0);
            pane->layout()->addWidget(scroll);
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
    table.Register(cmd::GridViewControl, withView([](CKORVAView& v, const CommandContext& c) {
                       v.Document().ShowModeless(Key("viewcontrol", &v), [&] {
                           return new ViewControlDlg(v, c.mainWindow);
                       });
                   }),
                   hasView);
    table.Register(cmd::GridParameterPanel, withView([](CKORVAView& v, const CommandContext& c) {
                       ShowParameterPanel(v, v.Settings().InputParameter, c.mainWindow);
                   }),
                   [](const CommandContext& context) {
                       const CKORVAView* view = ViewOf(context);
                       return view && view->Settings().InputParameter >= 0;
                   });
    table.Register(cmd::GridBoundaryPanel, withView([](CKORVAView& v, const CommandContext& c) {
                       ClosePanel(v.Document(), "parameter", &v);
                       v.Document().ShowModeless(Key("boundary", &v), [&] {
                           return new BoundaryControlPanelDlg(v, c.mainWindow);
                       });
                   }),
                   hasView);
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
    table.Register(cmd::ViewExportImage, withView([](CKORVAView& v, const CommandContext& c) {
                       ExportViewImage(v, c.mainWindow);
                   }),
                   hasView);
}

} // namespace korva
