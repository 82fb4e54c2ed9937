#include "xedit.h"

#include <QKeyEvent>
#include <QTimer>
#include <cstdio>

namespace korva {

XEdit::XEdit(QWidget* parent) : QLineEdit(parent) {}

double XEdit::Value() const {
    bool ok = false;
    const double v = text().trimmed().toDouble(&ok);
    return ok ? v : 0.0;
}

QString XEdit::Format(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return QString::fromLatin1(text);
}

void XEdit::SetValue(double value) {
    setText(Format(value));
}

void XEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After the click that gave the focus has placed the cursor.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void XEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        emit editingFinished();
        focusNextChild();
        return;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        emit editingFinished();
        focusPreviousChild();
        return;
    case Qt::Key_Escape:
        if (QWidget* w = window(); w && w != this) w->close();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

} // namespace korva
