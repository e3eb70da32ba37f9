#include "shell/ui/main_window_pictures.h"

#include "base/data_dir.h"

#include <QPainter>

namespace qv {

QPixmap exitPicture(bool pressed) {
    const char* name = pressed ? "FineProgClic.bmp" : "FineProg.bmp";
    QPixmap picture(QString::fromStdString(dataDir().resolve(name).string()));
    if (!picture.isNull()) return picture;
    // Without the picture files the button still shows what it does.
    QPixmap fallback(64, 40);
    fallback.fill(pressed ? QColor(120, 30, 30) : QColor(170, 40, 40));
    QPainter p(&fallback);
    p.setPen(Qt::white);
    p.drawText(fallback.rect(), Qt::AlignCenter, "Fine");
    return fallback;
}

} // namespace qv
