#pragma once

#include <QString>

class QWidget;

namespace tk {

enum class TCursor { Default, Arrow, HandPoint };

// The hint rule and the cursor of any control. A control's tool-tip is its Hint, shown only when
// its effective ShowHint is on: with ParentShowHint on (the default) that is its parent's
// effective ShowHint, otherwise its own ShowHint. A top-level window's effective ShowHint is its
// own (off by default). Changing any of the three re-resolves the control and all controls below it.
class THint {
public:
    THint() = delete;

    static QString hint(const QWidget *control);
    static void setHint(QWidget *control, const QString &hint);

    static bool showHint(const QWidget *control);
    static void setShowHint(QWidget *control, bool on);

    static bool parentShowHint(const QWidget *control);
    static void setParentShowHint(QWidget *control, bool on);

    static bool effectiveShowHint(const QWidget *control);

    // Sets all three at once, resolving once.
    static void set(QWidget *control, const QString &hint, bool showHint, bool parentShowHint);

    // Re-resolves the tool-tips of control and everything below it (after re-parenting).
    static void resolve(QWidget *control);

    // crDefault leaves the control with its parent's cursor (the arrow on a plain window).
    static TCursor cursor(const QWidget *control);
    static void setCursor(QWidget *control, TCursor cursor);
};

} // namespace tk
