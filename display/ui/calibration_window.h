// "Rotondità Cerchi e Ridimensionamento Schermo": the full-screen window in
// which the practitioner adjusts the horizontal and vertical scale factors
// of the screen drawing (lines 7 and 8 of the display settings) until the
// test circle is round and the yellow frame of the sheet fits the screen.
#pragma once

#include "settings/display_settings.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;

namespace qv {

class CalibrationFigure;

class TFgrTxtSpa : public QDialog {
    Q_OBJECT
public:
    explicit TFgrTxtSpa(QWidget* parent = nullptr);

    // The factors in force in the window.
    Extended horizontalFactor() const { return settings_.scaleX; }
    Extended verticalFactor() const { return settings_.scaleY; }
    // True once the test figure has been drawn (a moment after opening).
    bool figureShown() const;

public slots:
    void ScrollBarHChange(int position);
    void ScrollBarVChange(int position);
    void BBresetClick();
    void BBritornaClick();

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void done(int result) override;

private:
    void Timer1Timer();
    void save();
    void layOutPanel();
    double pixelsPerMm() const;

    CalibrationFigure* figure_;
    QWidget* Panel1;
    QScrollBar* ScrollBarH;
    QScrollBar* ScrollBarV;
    QTimer* Timer1;
    int ticks_ = 0;
    DisplaySettings settings_;
};

} // namespace qv
