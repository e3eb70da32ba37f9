// The ruler above the subject text: three markers for the current
// paragraph's first-line, left and right indents, dragged with the mouse.
#pragma once

#include "editor/ruler.h"

#include <QWidget>

namespace qv {

class IndentRuler : public QWidget {
    Q_OBJECT
public:
    enum class Marker { None, First, Left, Right };

    explicit IndentRuler(QWidget* parent = nullptr);

    const ParagraphIndents& indents() const { return indents_; }
    // Places the markers for these indents (no signal).
    void setIndents(const ParagraphIndents& indents);
    // The left edge of a marker as it stands now (while dragged, where the
    // pointer holds it).
    int markerEdge(Marker marker) const;
    QSize sizeHint() const override;

signals:
    // A marker was released: the indents it gives.
    void indentsChanged(const qv::ParagraphIndents& indents);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Marker markerAt(const QPoint& point) const;
    void placeMarkers();

    ParagraphIndents indents_;
    int firstEdge_ = 0;
    int leftEdge_ = 0;
    int rightEdge_ = 0;
    Marker dragged_ = Marker::None;
};

} // namespace qv
