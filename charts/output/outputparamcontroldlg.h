#pragma once
// OutputParamControlDlg ("Output Parameters"): the colour range of the output
// quantity the 3D view shows, and the layer it shows. While the dialog is
// shown the view is in its output layer mode and tells it the value under the
// pointer. A colour change goes to the document as one undoable step.
#include "view3d/viewreceivers.h"

#include <QColor>
#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace korva {
class CKORVADoc;
}

namespace korva::charts {

class OutputParamControlDlg : public QDialog, public OutputLayerReceiver {
    Q_OBJECT
public:
    OutputParamControlDlg(CKORVADoc& document, ViewReceiverHost* view, QWidget* parent = nullptr);
    ~OutputParamControlDlg() override;

    // The output quantity (position in the output store) the view shows; -1 none.
    void SetOutputParameter(int quantity);
    int OutputParameter() const { return quantity_; }

    // What the two colour buttons do once a colour is chosen.
    void SetMinimumColor(const QColor& color);
    void SetMaximumColor(const QColor& color);

    QLabel* MinimumLabel() const { return minLabel_; }
    QLabel* MaximumLabel() const { return maxLabel_; }
    QLabel* HoverLabel() const { return hoverLabel_; }
    QComboBox* Layer() const { return layer_; }
    QPushButton* MinimumButton() const { return minButton_; }
    QPushButton* MaximumButton() const { return maxButton_; }

    void HoverCell(const HoveredCell& cell, bool hasValue, double value) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Refresh();
    void SetColor(bool high, const QColor& color);
    void LeaveView();

    CKORVADoc& document_;
    ViewReceiverHost* view_ = nullptr;
    int quantity_ = -1;
    QPushButton* minButton_ = nullptr;
    QPushButton* maxButton_ = nullptr;
    QLabel* minLabel_ = nullptr;
    QLabel* maxLabel_ = nullptr;
    QLabel* hoverLabel_ = nullptr;
    QComboBox* layer_ = nullptr;
};

} // namespace korva::charts
