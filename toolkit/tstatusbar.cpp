#include "toolkit/tstatusbar.h"

#include "toolkit/error.h"
#include "toolkit/tdraw.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <string>
#include <utility>

namespace tk {

TStatusBar::TStatusBar(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

TStatusBar::~TStatusBar() = default;

int TStatusBar::addPanel(const QString &text, int width, TAlignment alignment)
{
    m_panels.push_back(Panel{text, width, alignment});
    update();
    return panelCount() - 1;
}

void TStatusBar::clearPanels()
{
    if (m_panels.empty())
        return;
    m_panels.clear();
    update();
}

const TStatusBar::Panel &TStatusBar::panelAt(int index) const
{
    if (index < 0 || index >= panelCount())
        throw Error("Status bar panel index out of range: " + std::to_string(index));
    return m_panels[std::size_t(index)];
}

TStatusBar::Panel &TStatusBar::panelAt(int index)
{
    return const_cast<Panel &>(std::as_const(*this).panelAt(index));
}

QString TStatusBar::panelText(int index) const { return panelAt(index).text; }

void TStatusBar::setPanelText(int index, const QString &text)
{
    Panel &panel = panelAt(index);
    if (panel.text == text)
        return;
    panel.text = text;
    update(panelRect(index));
}

int TStatusBar::panelWidth(int index) const { return panelAt(index).width; }

void TStatusBar::setPanelWidth(int index, int width)
{
    Panel &panel = panelAt(index);
    if (width < 0 || panel.width == width)
        return;
    panel.width = width;
    update();
}

TAlignment TStatusBar::panelAlignment(int index) const { return panelAt(index).alignment; }

void TStatusBar::setPanelAlignment(int index, TAlignment alignment)
{
    Panel &panel = panelAt(index);
    if (panel.alignment == alignment)
        return;
    panel.alignment = alignment;
    update(panelRect(index));
}

QRect TStatusBar::panelRect(int index) const
{
    panelAt(index);
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += m_panels[std::size_t(i)].width + PanelGap;
    const int right = index == panelCount() - 1 ? width() : left + m_panels[std::size_t(index)].width;
    return QRect(left, TopBorder, std::max(0, right - left), std::max(0, height() - TopBorder));
}

QRect TStatusBar::panelTextRect(int index) const
{
    return panelRect(index).adjusted(2, 1, -2, -1);
}

void TStatusBar::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TStatusBar::setFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void TStatusBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color.toQColor());
    if (m_panels.empty())
        return;
    const QColor shadow = clBtnShadow.toQColor();
    const QColor highlight = clBtnHighlight.toQColor();
    painter.setFont(font());
    painter.setPen(m_fontColor.toQColor());
    for (int i = 0; i < panelCount(); ++i) {
        const QRect r = panelRect(i);
        drawBevelRing(painter, r, shadow, highlight);
        const Panel &panel = m_panels[std::size_t(i)];
        if (!panel.text.isEmpty())
            painter.drawText(panelTextRect(i), singleLineFlags(panel.alignment), panel.text);
    }
}

void TStatusBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

} // namespace tk
