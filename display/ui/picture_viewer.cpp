#include "display/ui/picture_viewer.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace qv {

namespace {

// The client area: white paper with the picture as large as it fits,
// drawn again at every size.
class PictureArea : public QWidget {
public:
    PictureArea(QWidget* parent, QSvgRenderer* renderer) : QWidget(parent), renderer_(renderer) {
        setObjectName("PaintBox1");
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (!renderer_->isValid()) return;
        QSizeF size = renderer_->defaultSize();
        if (size.isEmpty()) size = rect().size();
        size.scale(QSizeF(rect().size()), Qt::KeepAspectRatio);
        const QRectF box(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
        renderer_->render(&painter, box);
    }

private:
    QSvgRenderer* renderer_;
};

} // namespace

TFoMetGra::TFoMetGra(const QString& file, QWidget* parent) : QDialog(parent) {
    setObjectName("TFoMetGra");
    setWindowTitle(QFileInfo(file).absoluteFilePath() + "   ");
    renderer_ = new QSvgRenderer(this);
    if (QFileInfo::exists(file)) renderer_->load(file);
    auto* area = new PictureArea(this, renderer_);
    auto* close = new QPushButton("Chiudi", this);
    close->setObjectName("BBchiudi");
    connect(close, &QPushButton::clicked, this, &TFoMetGra::BBchiudiClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(area, 1);
    layout->addLayout(buttons);
}

TFoMetGra::~TFoMetGra() = default;

bool TFoMetGra::hasPicture() const { return renderer_->isValid(); }

void TFoMetGra::BBchiudiClick() { accept(); }

} // namespace qv
