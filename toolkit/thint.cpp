#include "toolkit/thint.h"

#include <QCursor>
#include <QVariant>
#include <QWidget>

namespace tk {

namespace {

constexpr char HintProperty[] = "tkHint";
constexpr char ShowHintProperty[] = "tkShowHint";
constexpr char ParentShowHintProperty[] = "tkParentShowHint";

// Only controls whose hint was given through this rule get their tool-tip managed by it.
void apply(QWidget *control)
{
    const QVariant hint = control->property(HintProperty);
    if (!hint.isValid())
        return;
    const QString text = hint.toString();
    control->setToolTip(THint::effectiveShowHint(control) && !text.isEmpty() ? text : QString());
}

} // namespace

QString THint::hint(const QWidget *control)
{
    return control->property(HintProperty).toString();
}

void THint::setHint(QWidget *control, const QString &hint)
{
    const QVariant old = control->property(HintProperty);
    if (old.isValid() && old.toString() == hint)
        return;
    control->setProperty(HintProperty, hint);
    apply(control);
}

bool THint::showHint(const QWidget *control)
{
    return control->property(ShowHintProperty).toBool();
}

void THint::setShowHint(QWidget *control, bool on)
{
    const QVariant old = control->property(ShowHintProperty);
    if (old.isValid() && old.toBool() == on)
        return;
    control->setProperty(ShowHintProperty, on);
    resolve(control);
}

bool THint::parentShowHint(const QWidget *control)
{
    const QVariant value = control->property(ParentShowHintProperty);
    return !value.isValid() || value.toBool();
}

void THint::setParentShowHint(QWidget *control, bool on)
{
    if (parentShowHint(control) == on && control->property(ParentShowHintProperty).isValid())
        return;
    control->setProperty(ParentShowHintProperty, on);
    resolve(control);
}

bool THint::effectiveShowHint(const QWidget *control)
{
    while (!control->isWindow() && parentShowHint(control) && control->parentWidget() != nullptr)
        control = control->parentWidget();
    return showHint(control);
}

void THint::set(QWidget *control, const QString &hint, bool showHint, bool parentShowHint)
{
    control->setProperty(HintProperty, hint);
    control->setProperty(ShowHintProperty, showHint);
    control->setProperty(ParentShowHintProperty, parentShowHint);
    resolve(control);
}

void THint::resolve(QWidget *control)
{
    apply(control);
    const QList<QWidget *> below = control->findChildren<QWidget *>();
    for (QWidget *child : below)
        apply(child);
}

TCursor THint::cursor(const QWidget *control)
{
    if (!control->testAttribute(Qt::WA_SetCursor))
        return TCursor::Default;
    return control->cursor().shape() == Qt::PointingHandCursor ? TCursor::HandPoint : TCursor::Arrow;
}

void THint::setCursor(QWidget *control, TCursor cursor)
{
    switch (cursor) {
    case TCursor::Default: control->unsetCursor(); break;
    case TCursor::Arrow: control->setCursor(Qt::ArrowCursor); break;
    case TCursor::HandPoint: control->setCursor(Qt::PointingHandCursor); break;
    }
}

} // namespace tk
