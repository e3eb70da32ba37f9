#include "base/ui/user_action.h"

#include "base/errors.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"

#include <QApplication>
#include <QWidget>
#include <exception>

namespace qv {

bool runUserAction(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const IoError& e) {
        QApplication::restoreOverrideCursor();
        dialogs().error(parent, fromCp1252(e.what()));
    } catch (const ConversionError& e) {
        QApplication::restoreOverrideCursor();
        dialogs().error(parent, fromCp1252(e.what()));
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        dialogs().error(parent, QStringLiteral("Errore inatteso: ") + QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void placeChildWindow(QWidget* child, const QWidget* mainWindow) {
    if (!child || !mainWindow) return;
    const QRect main = mainWindow->frameGeometry();
    const QSize size = child->frameGeometry().size();
    const QPoint bottomRight = main.bottomRight() + QPoint(10, 10);
    child->move(bottomRight.x() - size.width() + 1, bottomRight.y() - size.height() + 1);
}

} // namespace qv
