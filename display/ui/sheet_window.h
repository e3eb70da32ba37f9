// The printable sheet window: the chosen sheet of the current subject's
// chart on the whole screen, with the preview's controls (zoom, panning by
// drag and wheel, fit height and width, black-and-white, aspect lines as
// lines or spindles, page orientation), printing, "Salva PDF", the sheet as
// a picture Emf\GRAFnn.SVG (also put on the clipboard) and the viewer of a
// saved picture.
#pragma once

#include "display/sheet_layouts.h"
#include "display/sheet_output.h"
#include "display/sheet_preview.h"

#include <QDialog>
#include <QPixmap>
#include <memory>

class QComboBox;
class QPrinter;
class QPushButton;
class QTimer;

namespace qv {

class SheetArea;

class TFgrNaSpa : public QDialog {
    Q_OBJECT
public:
    explicit TFgrNaSpa(draw::SheetLayout layout, QWidget* parent = nullptr);
    ~TFgrNaSpa() override;

    // Computes the current subject's chart and what the sheet shows; false
    // (after telling the user) when there is no subject or a file fails.
    bool loadSheet();

    draw::SheetLayout layout() const { return layout_; }
    const draw::SheetPreview& preview() const { return preview_; }
    bool monochrome() const { return sheet_.monochrome; }
    draw::AspectLineMode aspectMode() const { return content_.aspectMode; }
    bool printerInstalled() const;
    bool printerLandscape() const;
    // True once the sheet has been drawn (a moment after opening).
    bool sheetShown() const { return shown_; }
    // The printer the print and setup buttons use.
    QPrinter& printer() { return *printer_; }
    // The picture on the drawing area.
    const QPixmap& picture() const { return picture_; }

    // The print job after the print dialog: with the printer adaptation of
    // the display settings on, an empty lead-in page first, then the sheet
    // at the printer's scale. False when it failed (the user was told).
    bool printOn(QPrinter& printer);

public slots:
    void BBaspettiClick();
    void BBritornaClick();
    void BBstampaClick();
    void BBsetupClick();
    void BBpiuClick();
    void BBmenoClick();
    void BBcoloreClick();
    void BBorientaClick();
    void BBsalvaSvgClick();
    void BBrichiamaSvgClick();
    void BBaltezzaClick();
    void BBlarghezzaClick();
    void BBsalvaPdfClick();

    // The drawing area's mouse: a drag moves the sheet, the wheel scrolls it.
    void PaintBoxMouseDown(QPoint at);
    void PaintBoxMouseMove(QPoint at);
    void PaintBoxMouseUp(QPoint at);
    void PaintBoxMouseWheel(bool down);

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void Timer1Timer();
    void redraw();
    void drawDragged();
    void showOrientation();
    void setPrinterLandscape(bool landscape);
    QSize screenSize() const;
    double screenPixelsPerMm() const;
    // The picture name of the name field, checked; empty when refused.
    std::string checkedPictureName();
    void putPictureOnClipboard(const QString& file);

    draw::SheetLayout layout_;
    draw::SheetPreview preview_;
    ChartState chart_;
    draw::SheetContent content_;
    draw::SheetOutput sheet_;
    bool loaded_ = false;
    bool shown_ = false;
    int ticks_ = 0;
    QPixmap picture_;

    // A drag in progress: where it began and how far the pointer is now.
    bool dragging_ = false;
    QPoint dragStart_;
    QPoint dragOffset_;
    QPoint drawnOffset_;
    QTimer* dragPause_;

    std::unique_ptr<QPrinter> printer_;
    SheetArea* PaintBox1;
    QPushButton* BBaspetti;
    QPushButton* BBstampa;
    QPushButton* BBsetup;
    QPushButton* BBcolore;
    QPushButton* BBorienta;
    QComboBox* CBfile;
    QTimer* Timer1;
};

} // namespace qv
