#include "splitterframe.h"

#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <algorithm>

namespace korva {

namespace {

QWidget* Placeholder(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setFocusPolicy(Qt::StrongFocus);
    label->setAutoFillBackground(true);
    label->setMinimumSize(50, 50);
    return label;
}

} // namespace

CSplitterFrame::CSplitterFrame(CKORVADoc& document, const CommandTable& table, QWidget* parent)
    : QWidget(parent), document_(&document) {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    panel_ = table.ControlPanelFactory() ? table.ControlPanelFactory()(document, splitter_)
                                         : Placeholder("Control panel", splitter_);
    view_ = table.ViewFactory() ? table.ViewFactory()(document, splitter_)
                                : Placeholder("3D view", splitter_);
    panel_->setObjectName("ControlPanelPane");
    view_->setObjectName("ViewPane");
    splitter_->addWidget(panel_);
    splitter_->addWidget(view_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    // The panel pane opens at its set width, or wider when the panel's form
    // needs more to show every control and the legend whole.
    splitter_->setSizes({std::max(ControlPanelWidth, panel_->sizeHint().width()), 800});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    setFocusProxy(view_);
}

void CSplitterFrame::FocusNextPane(bool forward) {
    // Two panes: next and previous both move to the other one.
    Q_UNUSED(forward);
    QWidget* focused = focusWidget();
    const bool inPanel = focused != nullptr && (focused == panel_ || panel_->isAncestorOf(focused));
    (inPanel ? view_ : panel_)->setFocus(Qt::OtherFocusReason);
}

} // namespace korva
