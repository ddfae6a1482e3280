#include "toolkit/thover.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace tk {

bool applicationInForeground()
{
    return QApplication::activeWindow() != nullptr;
}

bool underPointer(const QWidget *widget)
{
    return widget->isEnabled() && QApplication::widgetAt(QCursor::pos()) == widget && applicationInForeground();
}

} // namespace tk
