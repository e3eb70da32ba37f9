// "Modello Propedeutico Interattivo": the full-screen window in which the
// practitioner studies the current subject's chart. On the left the square
// drawing area with the wheel and the graphic analyses; on the right the
// attribution panel (or the text lists, or the linked remedies), the
// subject's data, the information panel and the analysis buttons, all placed
// in sheet millimetres so the window keeps its proportions on any screen.
#pragma once

#include "display/analysis_views.h"
#include "analysis/chart_keys.h"
#include "chart/chart_computation.h"
#include "display/analysis_session.h"
#include "settings/display_settings.h"

#include <QDialog>
#include <QPixmap>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace qv {

class AnalysisCanvas;

// What a click asks the linked panel (PanelPianta) to list: the remedies
// (or, in hidden mode, the plants) carrying the signature of a planet 1–9
// or of a sign 1–12.
struct LinkedSubject {
    bool sign = false;
    int number = 0;
};

// The linked panel as the window hosts it: its widget, which the window
// places where the attribution panel stands, and what fills it.
struct LinkedPanel {
    QWidget* widget = nullptr;
    std::function<void(const LinkedSubject&)> show;
};

class TFgrSpagy : public QDialog {
    Q_OBJECT
public:
    explicit TFgrSpagy(QWidget* parent = nullptr);
    ~TFgrSpagy() override;

    // Hands the window its linked panel. Without one, the clicks that
    // would open it show their message and nothing more.
    void setLinkedPanel(LinkedPanel panel);

    // The opening: panels laid out, memos emptied, counters reset, the
    // chart of the current subject computed with its planetary hour,
    // message 1 shown and the first drawing started.
    void FormActivate();
    // The first tick draws the chart view, or the archetypal structure when
    // that was the last view shown before the window was closed.
    void Timer1Timer();

    // What the window shows now, for the tests and the screenshots.
    std::optional<draw::AnalysisView> currentView() const { return view_; }
    const QPixmap& drawing() const;
    int messageShown() const { return message_; }
    bool linkedPanelShown() const { return linkedShown_; }
    // Pixel centre of a glyph of the current drawing; (−1, −1) when none.
    QPoint pointGlyphCentre(int point) const;
    QPoint signGlyphCentre(int sign) const;
    QPoint structureGlyphCentre(int planet) const;
    // Pixels per sheet millimetre of the drawing.
    double pixelsPerMm() const;

public slots:
    void BBcoordiClick();
    void BBstoffaClick();
    void BBarchetipClick();
    void BBaspettiClick();
    void BBEnergiClick();
    void BBantisceClick();
    void BBdodecateClick();
    void BBdominanteClick();
    void BBmaestriClick();
    void BBsizeFontClick();
    void BBprivatoClick();
    void BBchiudiAspClick();
    void BBFontClick();
    void Memo1DblClick();
    void MemoAspettiDblClick();
    void FormMouseDown(QPoint at);
    void FormMouseUp(QPoint at);

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void done(int result) override;

private:
    void buildPanels();
    void layOutPanels();
    QRect unitRect(double left, double top, double width, double height) const;
    QRect panelRect(QWidget* panel, double left, double top, double width, double height) const;
    double originX() const;
    double originY() const;
    void applyFonts();

    void pressButton(AnalysisButton button);
    void showButtonView(const ButtonStep& step);
    void drawChartView();
    // Draws one view into the drawing area and records its glyph places;
    // with `panels` its text list goes into Panel3.
    void drawView(draw::AnalysisView view, int mirror = 0, bool panels = true);
    void clearAttributions();
    void showPanelLines(const std::vector<std::string>& lines);
    void ShowInfoMessage(int n);
    void showSubjectData();

    void composeCanvas();
    QPoint glyphCentre(const std::vector<GlyphPlace>& places, int number) const;
    void select(const GlyphHit& hit);
    void clickPoint(const GlyphHit& hit);
    void clickSign(const GlyphHit& hit);
    void clickStructure(const GlyphHit& hit);
    void showPictures(const QString& dataPath);
    void showLinkedPanel(const LinkedSubject& subject);
    void hideLinkedPanel();
    void fillAttributions(const Attributions& a);

    AnalysisCanvas* canvas_;
    QWidget* PanelBase;
    QLabel* LabSpecific;
    QPlainTextEdit* MemoL1;
    QLabel* LabGeneral;
    QPlainTextEdit* MemoL2;
    QLabel* Image2;
    QWidget* Panel3;
    QPlainTextEdit* MemoAspetti;
    QPushButton* BBchiudiAsp;
    QPushButton* BBFont;
    QWidget* PanelDati;
    std::vector<QLabel*> dataLabels_;
    QLineEdit* EdNome;
    QLineEdit* EdData;
    QLineEdit* EdLocal;
    QLineEdit* EdCoordi;
    QLineEdit* EdDomif;
    QLineEdit* EdNodo;
    QLineEdit* EdJd;
    QWidget* PanelInfo;
    QPlainTextEdit* Memo1;
    QWidget* PanelPulsanti;
    std::vector<QPushButton*> analysisButtons_;
    QPushButton* BBsizeFont;
    QPushButton* BBprivato;
    QTimer* Timer1;

    LinkedPanel linked_;
    bool linkedShown_ = false;

    DisplaySettings settings_;
    ComputedChart computed_;
    PlanetaryHour hour_;
    std::unique_ptr<DominantChart> dominant_;
    AnalysisSession session_;
    std::optional<draw::AnalysisView> view_;
    int mirror_ = 0;  // the point or sign of the mirror lines shown
    bool structureLast_ = false;
    int message_ = 0;
    bool bigFonts_ = false;       // BBsizeFont: 10 points instead of 8
    bool bigListFont_ = false;    // BBFont: MemoAspetti at 10 points
    bool infoEnlarged_ = false;   // Memo1 double click
    bool listEnlarged_ = false;   // MemoAspetti double click
    bool opened_ = false;

    // The glyph last clicked, circled on the drawing.
    struct Selection {
        GlyphHit glyph;
        bool released = false;
    } selection_;
    // Where the glyphs of the current drawing stand.
    std::vector<GlyphPlace> points_, signs_, structure_;
};

} // namespace qv
