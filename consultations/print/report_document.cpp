#include "consultations/print/report_document.h"

#include "display/chart_wheel.h"
#include "display/drawing.h"
#include "display/painter_canvas.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

namespace qv::consultations {

namespace {

constexpr double kWheelMm = 70;  // the wheel's width on the page
constexpr int kWheelObject = QTextFormat::UserObject + 1;
constexpr int kKeepWithNext = 1;  // block state: a heading stays on the page of what follows it

QString text(const std::string& cp1252) {
    static thread_local QStringDecoder decode("windows-1252");
    return decode(QByteArray::fromStdString(cp1252));
}

// The wheel as an object of the text: it takes its place in the layout
// like a picture and is drawn by the drawing layer when the page is drawn.
class WheelObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    WheelObject(const ChartState& chart, const OrbTable& orbs, double pixelsPerMm)
        : chart_(chart), orbs_(orbs), pixelsPerMm_(pixelsPerMm) {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat&) override {
        const double side = kWheelMm * pixelsPerMm_;
        return {side, side};
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&) override {
        painter->save();
        painter->translate(rect.topLeft());
        draw::PainterCanvas canvas(*painter);
        draw::TargetScope target(canvas);
        draw::DrawingContext& c = draw::drawingContext();
        // Drawn for paper: the sheets' paper colours on white.
        c.exporting = true;
        c.printing = false;
        c.monochrome = false;
        c.scale = rect.width() / draw::kChartAreaSize;
        c.zoom = 1;
        c.x0 = c.y0 = 0;
        c.hFactor = c.vFactor = 1;
        c.thickness = 1;
        c.fontBase = 0;
        c.targetVisible = true;
        c.printerInstalled = false;
        c.practitioner.clear();
        draw::ChartWheelOptions options;
        options.clickCircles = false;
        options.caption = false;
        draw::drawChartWheel(chart_, orbs_, options);
        painter->restore();
    }

private:
    ChartState chart_;
    OrbTable orbs_;
    double pixelsPerMm_;
};

// Builds the document block by block.
class Writer {
public:
    Writer(QTextDocument& doc, double pixelsPerMm) : cursor_(&doc), pixelsPerMm_(pixelsPerMm) {}

    void title(const std::string& t) {
        QTextCharFormat f = plain();
        f.setFontPointSize(17);
        f.setFontWeight(QFont::Bold);
        block(Qt::AlignLeft, 0);
        cursor_.insertText(text(t), f);
    }
    void line(const std::string& t, bool bold = false, double points = 10.5, bool keepWithNext = false) {
        QTextCharFormat f = plain();
        f.setFontPointSize(points);
        if (bold) f.setFontWeight(QFont::Bold);
        block(Qt::AlignLeft, 1);
        if (keepWithNext) cursor_.block().setUserState(kKeepWithNext);
        cursor_.insertText(text(t), f);
    }
    void labelled(const std::string& label, const std::string& t) {
        QTextCharFormat b = plain();
        b.setFontWeight(QFont::Bold);
        block(Qt::AlignLeft, 1);
        cursor_.insertText(text(label), b);
        cursor_.insertText(text(t), plain());
    }
    void heading(const std::string& t) {
        QTextCharFormat f = plain();
        f.setFontPointSize(12);
        f.setFontWeight(QFont::Bold);
        f.setForeground(QColor(0x1F, 0x4E, 0x79));
        block(Qt::AlignLeft, 4);
        cursor_.block().setUserState(kKeepWithNext);
        cursor_.insertText(text(t), f);
    }
    void paragraph(const std::string& t) {
        // Lines typed in the window stay lines.
        std::size_t start = 0;
        while (start <= t.size()) {
            std::size_t end = t.find('\n', start);
            if (end == std::string::npos) end = t.size();
            std::string l = t.substr(start, end - start);
            if (!l.empty() && l.back() == '\r') l.pop_back();
            block(Qt::AlignJustify, 1.5);
            cursor_.insertText(text(l), plain());
            start = end + 1;
        }
    }
    void bullet(const std::string& t, bool bold = false) {
        block(Qt::AlignLeft, 1, 4);
        QTextCharFormat f = plain();
        if (bold) f.setFontWeight(QFont::Bold);
        cursor_.insertText(QString::fromUtf8("\u2022  ") + text(t), f);
    }
    // A line under a bullet: what to know about it.
    void note(const std::string& label, const std::string& t, double points = 9.5) {
        QTextCharFormat b = plain();
        b.setFontPointSize(points);
        b.setFontWeight(QFont::Bold);
        QTextCharFormat f = plain();
        f.setFontPointSize(points);
        block(Qt::AlignJustify, 0.3, 8);
        cursor_.insertText(text(label), b);
        cursor_.insertText(text(t), f);
    }
    // A caution that applies to the person: set apart in dark red.
    void warning(const std::string& t) {
        QTextCharFormat f = plain();
        f.setFontPointSize(10);
        f.setForeground(QColor(0x9C, 0x1C, 0x1C));
        block(Qt::AlignJustify, 1);
        cursor_.insertText(text(t), f);
    }
    // Small lines at the top of the page: the practitioner's identity.
    void small(const std::string& t, bool bold = false) {
        QTextCharFormat f = plain();
        f.setFontPointSize(bold ? 10.5 : 9);
        if (bold) f.setFontWeight(QFont::Bold);
        block(Qt::AlignLeft, 0);
        cursor_.insertText(text(t), f);
    }
    // The chart's wheel, centred, after the constitution it illustrates.
    void wheel() {
        block(Qt::AlignHCenter, 2);
        QTextCharFormat f;
        f.setObjectType(kWheelObject);
        cursor_.insertText(QString(QChar::ObjectReplacementCharacter), f);
    }
    void closing(const std::string& t) {
        QTextCharFormat f = plain();
        f.setFontItalic(true);
        f.setFontPointSize(10);
        block(Qt::AlignJustify, 5);
        cursor_.insertText(text(t), f);
    }

private:
    QTextCharFormat plain() const {
        QTextCharFormat f;
        f.setFontFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
        f.setFontPointSize(10);
        f.setForeground(Qt::black);
        return f;
    }
    // A new block with `topMm` millimetres above it.
    void block(Qt::Alignment align, double topMm, double indentMm = 0) {
        QTextBlockFormat b;
        b.setAlignment(align);
        b.setTopMargin(topMm * pixelsPerMm_);
        b.setLeftMargin(indentMm * pixelsPerMm_);
        if (first_) {
            cursor_.setBlockFormat(b);
            first_ = false;
        } else {
            cursor_.insertBlock(b);
        }
    }

    QTextCursor cursor_;
    double pixelsPerMm_;
    bool first_ = true;
};

// Text documents know no "keep with next": a heading left alone at the foot
// of a page is moved to the next one with a page break, and the document
// laid out again, until none is left alone.
void keepHeadingsWithTheirText(QTextDocument& doc, double pageHeight) {
    for (int pass = 0; pass < 20; ++pass) {
        bool moved = false;
        QAbstractTextDocumentLayout* layout = doc.documentLayout();
        for (QTextBlock b = doc.begin(); b.isValid() && b.next().isValid(); b = b.next()) {
            if (b.userState() != kKeepWithNext) continue;
            const int page = static_cast<int>(layout->blockBoundingRect(b).top() / pageHeight);
            // Where the first line of what follows ends.
            const QTextBlock next = b.next();
            double firstLine = layout->blockBoundingRect(next).bottom();
            if (next.layout() && next.layout()->lineCount() > 0)
                firstLine = layout->blockBoundingRect(next).top() + next.layout()->lineAt(0).rect().bottom();
            const int nextPage = static_cast<int>(firstLine / pageHeight);
            if (nextPage == page || b.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore) continue;
            QTextCursor c(b);
            QTextBlockFormat f = b.blockFormat();
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            c.setBlockFormat(f);
            moved = true;
            break;
        }
        if (!moved) return;
    }
}

} // namespace

int printReport(const ReportContent& r, const ChartState& natal, const OrbTable& orbs, QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 15, 18, 15),
                                     QPageLayout::Millimeter));
    const double pixelsPerMm = device.logicalDpiX() / 25.4;
    const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double footer = 8 * pixelsPerMm;

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&device);
    doc.setDocumentMargin(0);
    doc.setPageSize(QSizeF(page.width(), page.height() - footer));
    WheelObject wheel(natal, orbs, pixelsPerMm);
    doc.documentLayout()->registerHandler(kWheelObject, &wheel);

    Writer w(doc, pixelsPerMm);
    w.title(r.title);
    // The practitioner's identity heads the page; without a name, nothing.
    for (std::size_t i = 0; i < r.practitioner.size(); ++i) w.small(r.practitioner[i], i == 0);
    w.line(r.person, true, 13);
    w.line(r.birth);
    w.labelled("Data della consultazione: ", r.date);
    w.heading("La costituzione");
    for (const std::string& p : r.constitution) w.paragraph(p);
    w.wheel();
    w.heading("Disturbi e quando rivolgersi al medico");
    if (!r.complaints.empty()) w.paragraph(r.complaints);
    for (const ComplaintReferral& f : r.referrals) {
        if (!f.complaint.empty()) w.bullet(f.complaint, true);
        w.note("Quando rivolgersi al medico: ", f.referral);
    }
    if (r.complaints.empty() && r.referrals.empty()) w.paragraph("Nessun disturbo annotato.");
    w.heading("Rimedi");
    if (r.remedies.empty()) w.paragraph("Nessun rimedio prescritto.");
    for (const ReportRemedy& m : r.remedies) {
        w.bullet(m.name + (m.preparation.empty() ? "" : " \x96 " + m.preparation), true);
        if (!m.dosage.empty()) w.note("Come prenderlo: ", m.dosage, 10);
        if (!m.duration.empty()) w.note("Per quanto tempo: ", m.duration, 10);
        w.note("Avvertenze: ", m.warnings);
    }
    for (const std::string& warning : r.warnings) w.warning(warning);
    if (!r.followUp.empty()) w.labelled("Prossimo controllo: ", r.followUp);
    w.closing(r.closing);
    keepHeadingsWithTheirText(doc, page.height() - footer);

    QPainter painter(&device);
    const int pages = doc.pageCount();
    const double height = page.height() - footer;
    QFont footFont(QStringLiteral("Liberation Sans"));
    footFont.setPointSizeF(8);
    for (int p = 0; p < pages; ++p) {
        if (p > 0) device.newPage();
        painter.save();
        painter.translate(0, -p * height);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, p * height, page.width(), height);
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(context.clip);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.setFont(footFont);
        painter.setPen(QColor(0x40, 0x40, 0x40));
        painter.drawText(QRectF(0, page.height() - footer + 2 * pixelsPerMm, page.width(), footer - 2 * pixelsPerMm),
                         Qt::AlignRight | Qt::AlignVCenter,
                         text(r.person) + QStringLiteral("  \u2013  pagina %1 di %2").arg(p + 1).arg(pages));
    }
    painter.end();
    return pages;
}

} // namespace qv::consultations

#include "report_document.moc"
