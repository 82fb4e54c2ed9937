#pragma once
// "New Width & Height": the measures the rectangle just drawn in the view
// should have; the grid is rescaled so that it does.
#include <QDialog>

class QLineEdit;

namespace korva {

class DimensionSpanDlg : public QDialog {
    Q_OBJECT
public:
    DimensionSpanDlg(double height, double width, QWidget* parent = nullptr);
    double NewHeight() const { return height_; }
    double NewWidth() const { return width_; }
    void accept() override;

    QLineEdit* HeightField() const { return heightEdit_; }
    QLineEdit* WidthField() const { return widthEdit_; }

private:
    QLineEdit* heightEdit_;
    QLineEdit* widthEdit_;
    double height_;
    double width_;
};

} // namespace korva
