#include "toolkit/ttoolbar.h"

#include "toolkit/text.h"
#include "toolkit/thint.h"
#include "toolkit/timagelist.h"
#include "toolkit/ttoolbutton.h"

#include <QPainter>

namespace tk {

namespace {

} // namespace

TToolBar::TToolBar(QSize buttonSize, QWidget *parent) : QWidget(parent), m_buttonSize(buttonSize)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TToolBar::~TToolBar() = default;

void TToolBar::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TToolBar::setImages(const TImageList *images)
{
    if (images == m_images)
        return;
    m_images = images;
    applyImages();
}

std::vector<TToolButton *> TToolBar::addItems(std::span<const ToolItem> items)
{
    std::vector<TToolButton *> added;
    for (const ToolItem &item : items) {
        auto *button = new TToolButton(item.separator ? TToolButton::Style::Separator : TToolButton::Style::Button, this);
        button->setObjectName(tk::qs(item.name));
        if (item.separator) {
            button->setGeometry(m_nextLeft, TopMargin, item.width, m_buttonSize.height());
            m_nextLeft += item.width;
        } else {
            button->setGeometry(QRect(QPoint(m_nextLeft, TopMargin), m_buttonSize));
            button->setText(tk::qs(item.caption));
            button->setImageIndex(item.imageIndex);
            THint::set(button, tk::qs(item.hint), true, false);
            THint::setCursor(button, TCursor::HandPoint);
            m_nextLeft += m_buttonSize.width();
        }
        m_items.push_back(button);
        added.push_back(button);
    }
    applyImages();
    return added;
}

void TToolBar::applyImages()
{
    for (TToolButton *button : m_items) {
        if (button->buttonStyle() != TToolButton::Style::Button)
            continue;
        button->setIcon(m_images ? m_images->icon(button->imageIndex()) : QIcon());
        if (m_images)
            button->setIconSize(m_images->imageSize());
    }
}

void TToolBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color.toQColor());
}

} // namespace tk
