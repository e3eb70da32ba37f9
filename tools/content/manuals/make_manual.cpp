// Turns a manual written in Markdown into an A4 PDF: Qt's text document lays
// the text out, every first-level heading after the first starts a new page,
// pictures are shrunk to the width of the text, and each page carries the
// manual's title and its number at the foot.
//   make_manual SOURCE.md OUTPUT.pdf "Title at the foot"
// Pictures are found relative to the folder of SOURCE.md.
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cctype>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <QDateTime>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kDpi = 96;                 // layout units: CSS pixels
constexpr qreal kMarginMm = 20.0;
constexpr qreal kFooterMm = 10.0;

qreal mmToUnits(qreal mm) { return mm / 25.4 * kDpi; }

// Headings get a little air; first-level ones open a page.
void shapeBlocks(QTextDocument& doc) {
    QTextCursor cursor(&doc);
    bool first = true;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        const int level = f.headingLevel();
        if (level == 1) {
            if (!first) f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            first = false;
            f.setBottomMargin(10);
        } else if (level > 1) {
            f.setTopMargin(12);
            f.setBottomMargin(4);
        } else {
            f.setBottomMargin(5);
        }
        cursor.setPosition(b.position());
        cursor.setBlockFormat(f);
    }
}

// Pictures no wider than the text, keeping their proportions.
void fitImages(QTextDocument& doc, const QString& folder, qreal width) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QImage picture(folder + "/" + image.name());
            if (picture.isNull()) {
                std::fprintf(stderr, "immagine mancante: %s\n", qPrintable(image.name()));
                continue;
            }
            const qreal w = std::min<qreal>(width, picture.width());
            image.setWidth(w);
            image.setHeight(w * picture.height() / picture.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}

// A heading in the last sixth of a page moves to the next one, so that it
// is never left alone at the foot of a page without the text it introduces.
void keepHeadingsWithText(QTextDocument& doc, qreal pageHeight) {
    for (int round = 0; round < 50; ++round) {
        bool moved = false;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            QTextBlockFormat f = b.blockFormat();
            if (f.headingLevel() < 2 || f.pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore) continue;
            const qreal top = doc.documentLayout()->blockBoundingRect(b).top();
            if (top - pageHeight * std::floor(top / pageHeight) < pageHeight * 5 / 6) continue;
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(b).setBlockFormat(f);
            moved = true;
            break;
        }
        if (!moved) return;
    }
}

// Tables with thin grey rules and a little air in the cells.
void shapeTables(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat f = table->format();
            f.setBorder(0.6);
            f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            f.setBorderBrush(QColor(150, 150, 150));
            f.setBorderCollapse(true);
            f.setCellPadding(4);
            f.setCellSpacing(0);
            f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(f);
        }
        shapeTables(child);
    }
}

} // namespace

// The PDF writer stamps the moment it wrote the file; the only byte that
// changes from one run to the next. A fixed moment of the same length (the
// SOURCE_DATE_EPOCH of reproducible builds when set) keeps every offset of
// the file, so a manual regenerated from an unchanged source is the same
// file and does not raise the data version.
bool fixCreationDate(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadWrite)) return false;
    QByteArray bytes = f.readAll();
    const QByteArray key = "/CreationDate (D:";
    const qsizetype at = bytes.indexOf(key);
    if (at < 0) return true;
    QDateTime when(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
    if (const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH"); !epoch.isEmpty())
        when = QDateTime::fromSecsSinceEpoch(epoch.toLongLong(), Qt::UTC);
    const QByteArray stamp = when.toString("yyyyMMddHHmmss").toLatin1();
    for (qsizetype i = 0; i < stamp.size(); ++i)
        if (at + key.size() + i >= bytes.size() || !std::isdigit(static_cast<unsigned char>(bytes[at + key.size() + i])))
            return false;
    bytes.replace(at + key.size(), stamp.size(), stamp);
    return f.seek(0) && f.write(bytes) == bytes.size();
}

int main(int argc, char** argv) {
    // The writer walks hash tables of fonts and glyphs: with Qt's random
    // seed their order, and so the file's bytes, changed from run to run.
    // Qt reads the seed before main, so the tool starts itself again with it.
    if (const char* seed = std::getenv("QT_HASH_SEED"); !seed || std::string(seed) != "0") {
        ::setenv("QT_HASH_SEED", "0", 1);
        ::execv("/proc/self/exe", argv);
        std::fprintf(stderr, "make_manual: impossibile ripartire con QT_HASH_SEED=0\n");
        return 1;
    }
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "uso: make_manual SORGENTE.md USCITA.pdf \"Titolo\"\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    const QString title = QString::fromUtf8(argv[3]);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "impossibile leggere %s\n", argv[1]);
        return 1;
    }
    const QString folder = QFileInfo(source).absolutePath();

    QPdfWriter writer(output);
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setTitle(title);
    writer.setCreator("Quorendaville");

    const QRectF page(0, 0, writer.width(), writer.height());
    const qreal margin = mmToUnits(kMarginMm);
    const QRectF body(margin, margin, page.width() - 2 * margin, page.height() - 2 * margin - mmToUnits(kFooterMm));

    QTextDocument doc;
    QFont font("DejaVu Sans");
    font.setPointSizeF(10.5);
    doc.setDefaultFont(font);
    doc.setBaseUrl(QUrl::fromLocalFile(folder + "/"));
    doc.setMarkdown(QString::fromUtf8(in.readAll()));
    doc.setDocumentMargin(0);
    doc.setDefaultStyleSheet("");
    doc.setPageSize(body.size());
    shapeBlocks(doc);
    shapeTables(doc.rootFrame());
    fitImages(doc, folder, body.width());
    doc.setPageSize(body.size());
    keepHeadingsWithText(doc, body.height());
    doc.markContentsDirty(0, doc.characterCount());  // lay the whole document out again

    QPainter painter(&writer);
    if (!painter.isActive()) {
        std::fprintf(stderr, "impossibile scrivere %s\n", argv[2]);
        return 1;
    }
    const int pages = doc.pageCount();
    QFont footer("DejaVu Sans");
    footer.setPointSizeF(8.5);
    for (int p = 0; p < pages; ++p) {
        if (p > 0) writer.newPage();
        painter.save();
        painter.translate(body.left(), body.top() - p * body.height());
        doc.drawContents(&painter, QRectF(0, p * body.height(), body.width(), body.height()));
        painter.restore();
        painter.setFont(footer);
        painter.setPen(QColor(90, 90, 90));
        const QRectF foot(margin, page.height() - margin - mmToUnits(kFooterMm) + mmToUnits(4), body.width(), mmToUnits(6));
        painter.drawLine(QPointF(foot.left(), foot.top()), QPointF(foot.right(), foot.top()));
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, title);
        painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom, QString("Pagina %1 di %2").arg(p + 1).arg(pages));
    }
    painter.end();
    if (!fixCreationDate(output)) {
        std::fprintf(stderr, "impossibile rendere riproducibile %s\n", argv[2]);
        return 1;
    }
    std::printf("%s: %d pagine\n", argv[2], pages);
    return 0;
}
