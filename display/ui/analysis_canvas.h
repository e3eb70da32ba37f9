// The drawing area of the chart analysis window: it shows the drawing of
// the current view with, over it, the mark of the selected glyph, and
// reports mouse presses and releases in its own pixels.
#pragma once

#include <QPixmap>
#include <QWidget>

#include <functional>

namespace qv {

class AnalysisCanvas : public QWidget {
public:
    explicit AnalysisCanvas(QWidget* parent);

    // The view as drawn, and what is shown: the view with the selection.
    QPixmap view;
    QPixmap shown;
    std::function<void(QPoint)> pressed;
    std::function<void(QPoint)> released;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

} // namespace qv
