#pragma once

#include "toolkit/error.h"
#include "toolkit/text.h"
#include "windows/layout.h"

#include <QFont>
#include <QRect>
#include <QWidget>

#include <span>
#include <string>
#include <string_view>

// Makes a window's components from its layout table and finds them again by name.
class LayoutBuilder {
public:
    LayoutBuilder() = delete;

    // Makes every row's widget on `window` (or on the row's parent), bottom of the stack first:
    // a later sibling lies above an earlier one. Each gets its name, place, font, colours,
    // caption, hint, cursor and tag; what a row cannot say, the window sets afterwards.
    static void build(QWidget *window, std::span<const layout::Component> table);

    static QRect rectOf(const layout::Rect &r) { return QRect(r.left, r.top, r.width, r.height); }
    static QFont fontOf(const layout::Font &f);

    // The component called `name` below `window`, which must be a T: a row whose kind was changed
    // fails here, at once, rather than in whatever handler uses it later.
    template <typename T>
    static T *component(const QWidget *window, std::string_view name)
    {
        QWidget *found = window->findChild<QWidget *>(tk::qs(name));
        if (found == nullptr)
            throw tk::Error(describe(window) + " has no component " + std::string(name));
        T *typed = qobject_cast<T *>(found);
        if (typed == nullptr)
            throw tk::Error(describe(window) + "'s " + std::string(name) + " is a "
                            + found->metaObject()->className() + ", not a " + T::staticMetaObject.className());
        return typed;
    }

private:
    static std::string describe(const QWidget *window);
};
