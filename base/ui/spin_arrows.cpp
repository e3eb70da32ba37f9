#include "base/ui/spin_arrows.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

namespace qv {

QWidget* spinArrows(QWidget* parent, const char* name, std::function<void()> up, std::function<void()> down,
                    const char* upHint, const char* downHint) {
    auto* spin = new QWidget(parent);
    spin->setObjectName(name);
    auto* layout = new QVBoxLayout(spin);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const struct {
        const char* name;
        Qt::ArrowType arrow;
        const char* hint;
        std::function<void()> handler;
    } arrows[] = {{"SpinUp", Qt::UpArrow, upHint, std::move(up)}, {"SpinDown", Qt::DownArrow, downHint, std::move(down)}};
    for (const auto& a : arrows) {
        auto* b = new QToolButton(spin);
        b->setObjectName(a.name);
        b->setArrowType(a.arrow);
        b->setToolTip(QString::fromUtf8(a.hint));
        b->setFixedSize(22, 13);
        QObject::connect(b, &QToolButton::clicked, spin, a.handler);
        layout->addWidget(b);
    }
    return spin;
}

} // namespace qv
