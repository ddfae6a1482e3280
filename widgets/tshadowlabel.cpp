#include "widgets/tshadowlabel.h"

#include "toolkit/devicegrid.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace {

QPoint shadowOffset(TShadowLabel::TShadowPosition pos, int s)
{
    switch (pos) {
    case TShadowLabel::TShadowPosition::spLeftTop: return {-s, -s};
    case TShadowLabel::TShadowPosition::spLeftBottom: return {-s, s};
    case TShadowLabel::TShadowPosition::spRightBottom: return {s, s};
    case TShadowLabel::TShadowPosition::spRightTop: return {s, -s};
    }
    return {};
}

struct ShadowParams {
    QColor text;
    QColor shadow;
    QPoint offset;
};

ShadowParams shadowParams(const TShadowLabel::Look &look)
{
    ShadowParams p{look.fontColor, look.shadowColor, shadowOffset(look.shadowPos, look.shadowSize)};
    if (!look.enabled) {
        p.text = look.grayText;
        p.shadow = look.btnHighlight;
        // A disabled label must still read as engraved when its shadow would coincide with the text.
        if (look.shadowSize == 0)
            p.offset = shadowOffset(TShadowLabel::TShadowPosition::spRightBottom, 1);
    }
    return p;
}

tk::TAlignment effectiveAlignment(const TShadowLabel::Look &look)
{
    if (!look.rightToLeft)
        return look.alignment;
    switch (look.alignment) {
    case tk::TAlignment::taLeftJustify: return tk::TAlignment::taRightJustify;
    case tk::TAlignment::taRightJustify: return tk::TAlignment::taLeftJustify;
    case tk::TAlignment::taCenter: break;
    }
    return tk::TAlignment::taCenter;
}

int textFlags(const TShadowLabel::Look &look)
{
    // Absolute: the mirroring for right-to-left reading is done here, not again by the painter.
    int flags = Qt::AlignTop | Qt::AlignAbsolute | Qt::TextExpandTabs | tk::horizontalAlignment(effectiveAlignment(look));
    if (look.wordWrap)
        flags |= Qt::TextWordWrap;
    return flags;
}

int accelFlag(const TShadowLabel::Look &look)
{
    return look.showAccelChar ? Qt::TextShowMnemonic : 0;
}

// The caption as it is measured: a caption with nothing to show still takes one blank's room.
QString measuredText(const TShadowLabel::Look &look)
{
    if (look.caption.isEmpty() || (look.showAccelChar && look.caption == QLatin1String("&")))
        return look.caption + QLatin1Char(' ');
    return look.caption;
}

// The rectangle the text takes when drawn from rect's top-left corner, as the platform's
// measuring does it: left and top stay, right and bottom follow the text.
QRect measureText(const QFont &font, const QRect &rect, int flags, const QString &text)
{
    const QFontMetrics fm(font);
    const int measureFlags = (flags & ~(Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask)) | Qt::AlignLeft | Qt::AlignTop;
    const int width = (flags & Qt::TextWordWrap) ? std::max(rect.width(), 1) : 1 << 20;
    const QRect bounds = fm.boundingRect(QRect(rect.left(), rect.top(), width, 1 << 20), measureFlags, text);
    // Lines are counted in the font's cell height (ascent + descent), as the window layouts were
    // measured; Qt's layout rounds each line up by a pixel for some faces.
    const QRect oneLine = fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), measureFlags & ~Qt::TextWordWrap, QStringLiteral("X"));
    const int lines = std::max(1, qRound(double(bounds.height()) / std::max(oneLine.height(), 1)));
    return QRect(rect.left(), rect.top(), bounds.width(), lines * fm.height());
}

QRect unite(const QRect &a, const QRect &b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return a.united(b);
}

} // namespace

TShadowLabel::TShadowLabel(QWidget *parent)
    : QWidget(parent), m_hover(this, [this](bool inside, tk::THoverTracker::TRepaint) { hoverChanged(inside); })
{
    resize(65, 17);
    updateOpacity();
    connect(qApp, &QApplication::focusChanged, this, &TShadowLabel::onFocusChanged);
}

TShadowLabel::~TShadowLabel() = default;

void TShadowLabel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    updateMnemonic();
    adjustBounds();
    update();
}

void TShadowLabel::setAlignment(tk::TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TShadowLabel::setAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    adjustBounds();
}

void TShadowLabel::setLayout(TTextLayout layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    update();
}

void TShadowLabel::setShadowColor(tk::TColor color)
{
    if (color == m_shadowColor)
        return;
    m_shadowColor = color;
    update();
}

void TShadowLabel::setShadowSize(std::uint8_t size)
{
    if (size == m_shadowSize)
        return;
    m_shadowSize = size;
    adjustBounds();
    update();
}

void TShadowLabel::setShadowPos(TShadowPosition pos)
{
    if (pos == m_shadowPos)
        return;
    m_shadowPos = pos;
    update();
}

void TShadowLabel::setShowAccelChar(bool show)
{
    if (show == m_showAccelChar)
        return;
    m_showAccelChar = show;
    updateMnemonic();
    update();
}

void TShadowLabel::setShowFocus(bool show)
{
    if (show == m_showFocus)
        return;
    m_showFocus = show;
    update();
}

void TShadowLabel::setFocusControl(QWidget *control)
{
    if (control == m_focusControl)
        return;
    m_focusControl = control;
    if (m_showFocus)
        update();
}

void TShadowLabel::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    updateOpacity();
    update();
}

void TShadowLabel::setWordWrap(bool wrap)
{
    if (wrap == m_wordWrap)
        return;
    m_wordWrap = wrap;
    adjustBounds();
}

void TShadowLabel::setColor(tk::TColor color)
{
    if (color == m_color && !m_parentColor)
        return;
    m_color = color;
    m_parentColor = false;
    update();
}

void TShadowLabel::setParentColor(bool parentColor)
{
    if (parentColor == m_parentColor)
        return;
    m_parentColor = parentColor;
    update();
}

void TShadowLabel::setFontColor(tk::TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void TShadowLabel::setAlign(TAlign align)
{
    if (align == m_align)
        return;
    m_align = align;
    adjustBounds();
}

TShadowLabel::Look TShadowLabel::look() const
{
    Look l;
    l.caption = m_caption;
    l.font = font();
    l.fontColor = m_fontColor.toQColor();
    l.color = m_parentColor ? palette().color(QPalette::Window) : m_color.toQColor();
    l.shadowColor = m_shadowColor.toQColor();
    l.alignment = m_alignment;
    l.layout = m_layout;
    l.shadowPos = m_shadowPos;
    l.shadowSize = m_shadowSize;
    l.enabled = isEnabled();
    l.transparent = m_transparent;
    l.showAccelChar = m_showAccelChar;
    l.wordWrap = m_wordWrap;
    l.rightToLeft = layoutDirection() == Qt::RightToLeft;
    l.focusFrame = m_showFocus && m_focusControl && m_focusControl->hasFocus();
    l.grayText = tk::clGrayText.toQColor();
    l.btnHighlight = tk::clBtnHighlight.toQColor();
    return l;
}

QRect TShadowLabel::drawShadowedText(QPainter &painter, const Look &look, const QRect &rect, int flags)
{
    const ShadowParams p = shadowParams(look);
    flags |= accelFlag(look);
    painter.save();
    painter.setFont(look.font);
    painter.setLayoutDirection(look.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    painter.setBackgroundMode(Qt::TransparentMode);
    QRect shadowDrawn;
    QRect textDrawn;
    painter.setPen(p.shadow);
    painter.save();
    painter.translate(DeviceGrid::wholeDevicePixels(painter, p.offset));
    painter.drawText(rect, flags, look.caption, &shadowDrawn);
    painter.restore();
    shadowDrawn.translate(p.offset);
    painter.setPen(p.text);
    painter.drawText(rect, flags, look.caption, &textDrawn);
    painter.restore();
    return unite(textDrawn, shadowDrawn);
}

QRect TShadowLabel::measureShadowedText(const Look &look, const QRect &rect, int flags)
{
    const ShadowParams p = shadowParams(look);
    const QRect text = measureText(look.font, rect, flags | accelFlag(look), measuredText(look));
    return unite(text, text.translated(p.offset));
}

void TShadowLabel::paintLabel(QPainter &painter, const Look &look, const QSize &size)
{
    const int flags = textFlags(look);
    if (!look.transparent)
        painter.fillRect(QRect(QPoint(0, 0), size), look.color);
    QRect r(1, 0, size.width() - 2, size.height());
    if (look.layout != TTextLayout::tlTop) {
        QRect measured = measureShadowedText(look, r, flags);
        const int bottom = measured.y() + measured.height();
        const int shift = look.layout == TTextLayout::tlCenter ? (size.height() - bottom) / 2 : size.height() - bottom;
        measured.setLeft(0);
        measured.setRight(size.width() - 1);
        r = measured.translated(0, shift);
    }
    const QRect drawn = drawShadowedText(painter, look, r, flags);
    if (look.focusFrame) {
        painter.save();
        QPen pen(look.fontColor, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(drawn.adjusted(-1, 0, 0, -1));
        painter.restore();
    }
}

void TShadowLabel::adjustBounds()
{
    if (!m_autoSize)
        return;
    const Look l = look();
    const QRect inner(m_leftMargin + 1, 0, std::max(width() - m_leftMargin - m_rightMargin - 2, 0), height());
    QRect r = measureShadowedText(l, inner, textFlags(l));
    r.setLeft(r.left() - m_leftMargin - 1);
    r.setRight(r.right() + m_rightMargin + 1);
    const int newWidth = r.x() + r.width();
    const int newHeight = r.y() + r.height();
    if (m_align == TAlign::alTop) {
        // Docked to the parent's top: the width is the parent's, only the height follows the text.
        resize(width(), newHeight);
        return;
    }
    int left = x();
    if (effectiveAlignment(l) == tk::TAlignment::taRightJustify)
        left += width() - newWidth;
    setGeometry(left, y(), newWidth, newHeight);
}

QSize TShadowLabel::sizeHint() const
{
    return size();
}

bool TShadowLabel::event(QEvent *e)
{
    if (e->type() == QEvent::Shortcut) {
        auto *se = static_cast<QShortcutEvent *>(e);
        if (se->shortcutId() == m_mnemonicId && m_focusControl && m_showAccelChar && isEnabled()
            && m_focusControl->isEnabled() && m_focusControl->focusPolicy() != Qt::NoFocus) {
            m_focusControl->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    return QWidget::event(e);
}

void TShadowLabel::paintEvent(QPaintEvent *)
{
    if (!isEnabled())
        m_hover.setPressTracking(false);
    QPainter painter(this);
    paintLabel(painter, look(), size());
}

void TShadowLabel::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && isEnabled())
        m_hover.setPressTracking(true);
    else if (e->button() == Qt::RightButton)
        m_hover.evaluate();
    m_click.press(e);
}

void TShadowLabel::mouseReleaseEvent(QMouseEvent *e)
{
    if (m_click.release(e, rect()))
        Q_EMIT OnClick(this);
    if (e->button() == Qt::LeftButton) {
        m_hover.setPressTracking(false);
        m_hover.evaluate();
    } else if (e->button() == Qt::RightButton) {
        m_hover.evaluate();
    }
}

void TShadowLabel::enterEvent(QEnterEvent *e)
{
    m_hover.enter();
    QWidget::enterEvent(e);
}

void TShadowLabel::leaveEvent(QEvent *e)
{
    m_hover.leave();
    QWidget::leaveEvent(e);
}

void TShadowLabel::changeEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::EnabledChange:
        m_hover.evaluate();
        update();
        break;
    case QEvent::FontChange:
        adjustBounds();
        update();
        break;
    case QEvent::PaletteChange:
    case QEvent::LayoutDirectionChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(e);
}

void TShadowLabel::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    m_hover.evaluate();
}

void TShadowLabel::hoverChanged(bool inside)
{
    // The label's look does not follow the pointer; only the events tell of it.
    if (inside)
        Q_EMIT OnMouseEnter(this);
    else
        Q_EMIT OnMouseLeave(this);
}

void TShadowLabel::updateOpacity()
{
    setAttribute(Qt::WA_OpaquePaintEvent, !m_transparent);
}

void TShadowLabel::updateMnemonic()
{
    if (m_mnemonicId != 0) {
        releaseShortcut(m_mnemonicId);
        m_mnemonicId = 0;
    }
    if (!m_showAccelChar)
        return;
    const QKeySequence key = QKeySequence::mnemonic(m_caption);
    if (!key.isEmpty())
        m_mnemonicId = grabShortcut(key);
}

void TShadowLabel::onFocusChanged(QWidget *old, QWidget *now)
{
    if (m_showFocus && m_focusControl && (old == m_focusControl || now == m_focusControl))
        update();
}
