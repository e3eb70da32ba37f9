// A square area that shows a wheel drawn through the drawing layer on the
// screen's black, scaled to the area.
#pragma once

#include <QLabel>

#include <functional>

namespace qv {

class WheelView : public QLabel {
public:
    explicit WheelView(QWidget* parent);
    // Draws `draw` (sheet millimetres in the chart wheel's 195 mm area)
    // into a picture the size of the area and shows it.
    void showDrawing(const std::function<void()>& draw);
};

} // namespace qv
