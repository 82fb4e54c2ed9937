#pragma once
// "KORVA Properties": the transparency of the output display in the 3D view.
// A view setting, not part of the project: OK redraws the views (hint 2) and
// does not mark the project modified.
#include <QDialog>

class QSlider;

namespace korva {

class CKORVADoc;

// The slider shows the transparency in hundredths, truncated toward zero.
int TransparencySliderPosition(double transparency);
double TransparencyOfSliderPosition(int position);

class PropertiesDlg : public QDialog {
    Q_OBJECT
public:
    PropertiesDlg(double transparency, QWidget* parent = nullptr);
    double Transparency() const;
    QSlider* Slider() const { return slider_; }

private:
    QSlider* slider_;
};

// Shows the dialog modally; OK applies it to document.
void ShowPropertiesDialog(CKORVADoc& document, QWidget* parent);

} // namespace korva
