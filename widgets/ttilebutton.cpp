#include "widgets/ttilebutton.h"

#include "toolkit/tcolorkey.h"
#include "toolkit/thint.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>
#include <QTimer>

#include <algorithm>

namespace {

// Exposes a tile to assistive technology as a push button named by its hint.
class TTileButtonAccessible : public QAccessibleWidget {
public:
    explicit TTileButtonAccessible(TTileButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    TTileButton *button() const { return static_cast<TTileButton *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return button()->hint().isEmpty() ? plainCaption() : button()->hint();
        case QAccessible::Description:
            return plainCaption();
        case QAccessible::Accelerator: {
            const QKeySequence key = QKeySequence::mnemonic(button()->caption());
            return key.isEmpty() ? QString() : key.toString(QKeySequence::NativeText);
        }
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State st = QAccessibleWidget::state();
        const auto face = button()->faceState();
        st.pressed = face == TTileButton::bfsDown || face == TTileButton::bfsExclusive;
        st.checkable = button()->groupIndex() != 0;
        st.checked = button()->down();
        return st;
    }

    QStringList actionNames() const override
    {
        if (!button()->isEnabled())
            return {};
        return {pressAction()};
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction() && button()->isEnabled())
            button()->click();
    }

private:
    // "26" CR LF "Fe" reads as "26 Fe"; accelerator markers are dropped.
    QString plainCaption() const
    {
        QString s = button()->caption();
        s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        s.replace(u'\r', u' ');
        s.replace(u'\n', u' ');
        QString out;
        for (qsizetype i = 0; i < s.size(); ++i) {
            if (s[i] == u'&' && i + 1 < s.size())
                ++i;
            else if (s[i] == u'&')
                continue;
            out.append(s[i]);
        }
        return out.simplified();
    }
};

QAccessibleInterface *tileAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TTileButton") && object && object->isWidgetType())
        return new TTileButtonAccessible(static_cast<TTileButton *>(object));
    return nullptr;
}

} // namespace

// What the buttons share. They paint one at a time, on the GUI thread, and copy each face to the
// screen in one operation as soon as it is drawn, so one off-screen bitmap serves them all: it is
// reused across paints and only resized, its painter stays open between paints, and it lives while
// any button does. A bitmap for each button would keep every face twice, there and in the window's
// backing store. Buttons of one colour also share their pens and checkered pattern.
struct TileCanvas {
    struct Surface {
        QImage image;
        QPainter painter;               // stays active on image between paints
        DeviceGrid grid;                // the device pixels image and painter are laid on
        const TTileButton *lastFace = nullptr; // whose face the image holds
        ~Surface()
        {
            if (painter.isActive())
                painter.end();
        }
    };
    Surface opaque;                     // Format_RGB32
    Surface transparent;                // Format_ARGB32_Premultiplied, for Transparent buttons
    TilePens pens;                      // the set made last

    Surface &surface(bool transparentFace) { return transparentFace ? transparent : opaque; }

    // The canvas of the running buttons, made with the first of them.
    static std::shared_ptr<TileCanvas> shared()
    {
        static std::weak_ptr<TileCanvas> current;
        std::shared_ptr<TileCanvas> canvas = current.lock();
        if (!canvas) {
            canvas = std::make_shared<TileCanvas>();
            current = canvas;
        }
        return canvas;
    }
};

TTileButton::TTileButton(QWidget *parent)
    : QWidget(parent), m_hover(this, [this](bool inside, tk::THoverTracker::TRepaint repaint) { hoverChanged(inside, repaint); })
    , m_canvas(TileCanvas::shared())
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(tileAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(25, 25);
}

TTileButton::~TTileButton()
{
    for (bool transparentFace : {false, true}) {
        TileCanvas::Surface &surface = m_canvas->surface(transparentFace);
        if (surface.lastFace == this)
            surface.lastFace = nullptr;
    }
}

void TTileButton::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    updateShortcut();
    invalidateLayout();
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent ev(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&ev);
    }
}

void TTileButton::setTileFont(const QFont &f)
{
    if (!m_parentFont && f == font())
        return;
    m_parentFont = false;
    setFont(f);
}

void TTileButton::setFontColor(tk::TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void TTileButton::setParentFont(bool value)
{
    if (value == m_parentFont)
        return;
    m_parentFont = value;
    if (value)
        setFont(QFont());
}

void TTileButton::setHint(const QString &hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    setToolTip(hint);
    if (QAccessible::isActive()) {
        QAccessibleEvent ev(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&ev);
    }
}

void TTileButton::setShowHint(bool value)
{
    m_showHint = value;
}

void TTileButton::setParentShowHint(bool value)
{
    m_parentShowHint = value;
}

bool TTileButton::hintShown() const
{
    if (!m_parentShowHint)
        return m_showHint;
    const QWidget *p = parentWidget();
    return p && tk::THint::effectiveShowHint(p);
}

void TTileButton::setTag(int tag)
{
    m_tag = tag;
}

void TTileButton::setAlignment(tk::TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    invalidateLayout();
    update();
}

void TTileButton::setAllowAllUp(bool value)
{
    if (value == m_allowAllUp)
        return;
    m_allowAllUp = value;
    updateGroup();
}

void TTileButton::setAllowTimer(bool value)
{
    if (value == m_allowTimer)
        return;
    m_allowTimer = value;
    if (!value && m_repeatTimer)
        m_repeatTimer->stop();
}

void TTileButton::setDown(bool value)
{
    if (m_groupIndex == 0)
        value = false;
    if (value == m_down)
        return;
    if (m_down && !m_allowAllUp)
        return;
    m_down = value;
    m_faceState = value ? bfsExclusive : bfsUp;
    update();
    if (value)
        updateGroup();
}

void TTileButton::setDropDownMenu(QMenu *menu)
{
    if (menu == m_dropDownMenu)
        return;
    m_dropDownMenu = menu;
    invalidateLayout();
    update();
}

void TTileButton::setFlat(bool value)
{
    if (value == m_flat)
        return;
    m_flat = value;
    invalidateLayout();
    update();
}

void TTileButton::setGlyph(const QImage &glyph)
{
    if (glyph.isNull() && m_glyph.isNull())
        return;
    if (!glyph.isNull() && !m_glyph.isNull() && glyph == m_glyph)
        return;
    // Fuchsia is the glyph bitmap's transparent colour.
    m_glyph = glyph.isNull() ? QImage()
                             : tk::keyedOut(glyph, tk::clFuchsia.rgb()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    invalidateLayout();
    update();
}

void TTileButton::setGrayedInactive(bool value)
{
    if (value == m_grayedInactive)
        return;
    m_grayedInactive = value;
    update();
}

void TTileButton::setGroupIndex(int value)
{
    if (value == m_groupIndex)
        return;
    m_groupIndex = value;
    updateGroup();
}

void TTileButton::setInitPause(int ms)
{
    m_initPause = ms;
}

void TTileButton::setLayout(TButtonLayout value)
{
    if (value == m_layout)
        return;
    m_layout = value;
    invalidateLayout();
    update();
}

void TTileButton::setMargin(int value)
{
    if (value == m_margin || value < -1)
        return;
    m_margin = value;
    invalidateLayout();
    update();
}

void TTileButton::setMarkDropDown(bool value)
{
    if (value == m_markDropDown)
        return;
    m_markDropDown = value;
    invalidateLayout();
    update();
}

void TTileButton::setMenuPosition(TDropDownMenuPos value)
{
    m_menuPosition = value;
}

void TTileButton::setModalResult(int value)
{
    m_modalResult = value;
}

void TTileButton::setNumGlyphs(int value)
{
    value = std::clamp(value, 1, 5);
    if (value == m_numGlyphs)
        return;
    m_numGlyphs = value;
    invalidateLayout();
    update();
}

void TTileButton::setRepeatInterval(int ms)
{
    m_repeatInterval = ms;
}

void TTileButton::setSpacing(int value)
{
    if (value == m_spacing)
        return;
    m_spacing = value;
    invalidateLayout();
    update();
}

void TTileButton::setStyle(TButtonStyle value)
{
    if (value == m_style)
        return;
    m_style = value;
    update();
}

void TTileButton::setTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    update();
}

void TTileButton::setWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    invalidateLayout();
    update();
}

void TTileButton::click()
{
    const QPointer<TTileButton> self(this);
    if (auto *dialog = qobject_cast<QDialog *>(window()); dialog && m_modalResult != 0) {
        // A modal window closes with the result; any other window only records it.
        if (dialog->isModal() && dialog->isVisible())
            dialog->done(m_modalResult);
        else
            dialog->setResult(m_modalResult);
    }
    if (self)
        Q_EMIT OnClick(this);
}

bool TTileButton::newStyleInForce() const
{
    return m_style != bsWin31;
}

void TTileButton::invalidateLayout()
{
    m_layoutValid = false;
}

QPainter &TTileButton::beginFace()
{
    const qreal dpr = devicePixelRatioF();
    const DeviceGrid grid(size(), dpr, m_screenPhase);
    const QSize devSize = grid.bufferSize().expandedTo(QSize(1, 1));
    const QImage::Format format = m_transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    TileCanvas::Surface &surface = m_canvas->surface(m_transparent);
    if (devSize != m_faceSize) {
        m_faceSize = devSize;
        invalidateLayout();
    }
    QPainter &painter = surface.painter;
    if (surface.image.size() != devSize || surface.image.devicePixelRatio() != dpr || !(grid == surface.grid)
        || !painter.isActive()) {
        if (painter.isActive())
            painter.end();
        if (surface.image.size() != devSize)
            surface.image = QImage(devSize, format);
        surface.image.setDevicePixelRatio(dpr);
        painter.begin(&surface.image);
        surface.grid = grid;
        surface.lastFace = nullptr;
    }
    if (surface.lastFace != this) {
        // The face leaves the column and row before a mid-pixel origin undrawn: they are cleared
        // rather than left holding another button's face.
        painter.resetTransform();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(QRect(QPoint(0, 0), devSize), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        grid.align(painter);
        surface.lastFace = this;
    }
    if (!(painter.font() == font()))
        painter.setFont(font());
    return painter;
}

void TTileButton::renderFace()
{
    // A disabled button shows bfsDisabled; one enabled again returns to its resting face.
    if (!isEnabled()) {
        m_faceState = bfsDisabled;
        m_hover.setPressTracking(false);
    } else if (m_faceState == bfsDisabled) {
        m_faceState = (m_down && m_groupIndex != 0) ? bfsExclusive : bfsUp;
    }

    QPainter &painter = beginFace();
    if (!m_layoutValid) {
        TileLayoutInput in;
        in.caption = m_caption;
        in.font = font();
        in.contentSize = tileContentRect(size(), m_flat).size().expandedTo(QSize(0, 0));
        if (!m_glyph.isNull())
            in.glyphSize = QSize(m_glyph.width() / m_numGlyphs, m_glyph.height());
        in.layout = m_layout;
        in.alignment = m_alignment;
        in.margin = m_margin;
        in.spacing = m_spacing;
        in.wordWrap = m_wordWrap;
        in.dropDownMark = m_dropDownMenu && m_markDropDown;
        layoutTile(in, m_layoutCache);
        m_layoutValid = true;
    }
    m_pens.update(m_fontColor.toQColor(), &m_canvas->pens);

    TilePaintState st;
    st.size = size();
    st.face = m_faceState;
    st.look = (m_flat && !m_hover.mouseInside()) ? bfsInactive : m_faceState;
    st.drawState = (m_faceState == bfsDisabled || !m_grayedInactive) ? m_faceState : st.look;
    st.flat = m_flat;
    st.newStyle = newStyleInForce();
    st.transparent = m_transparent;
    st.glyph = m_glyph.isNull() ? nullptr : &m_glyph;
    st.numGlyphs = m_numGlyphs;
    paintTile(painter, st, m_layoutCache, m_pens);
    ++m_paintCount;
}

void TTileButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    m_screenPhase = DeviceGrid::phaseOf(p);
    renderFace();
    DeviceGrid::draw(p, buffer());
}

const QImage &TTileButton::buffer() const
{
    return m_canvas->surface(m_transparent).image;
}

void TTileButton::resizeEvent(QResizeEvent *e)
{
    invalidateLayout();
    QWidget::resizeEvent(e);
}

bool TTileButton::isInside(QPoint p) const
{
    // The row just below the button still counts; the column just right of it does not.
    return p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height();
}

void TTileButton::mousePressEvent(QMouseEvent *e)
{
    press(e);
}

void TTileButton::press(QMouseEvent *e)
{
    if (m_menuTracking)
        return;
    const QPoint pos = e->position().toPoint();
    if (m_discardPress && e->button() == Qt::LeftButton && isInside(pos)) {
        // The second press of a pair already queued behind the one just handled.
        m_discardPress = false;
        return;
    }
    const QPointer<TTileButton> self(this);
    Q_EMIT OnMouseDown(this, e->button(), e->modifiers(), pos.x(), pos.y());
    if (!self)
        return;
    if (isEnabled() && !m_hover.mouseInside()) {
        m_hover.setMouseInside(true);
        repaint();
    }
    if (e->button() == Qt::RightButton) {
        m_hover.evaluate();
        return;
    }
    if (e->button() != Qt::LeftButton || !isEnabled())
        return;
    if (!m_down) {
        m_faceState = bfsDown;
        repaint();
    }
    m_hover.setPressTracking(true);
    m_heldInside = true;
    if (m_dropDownMenu) {
        m_menuTracking = true;
        const QPoint at = m_menuPosition == dmpBottom ? QPoint(0, height()) : QPoint(width(), 0);
        m_dropDownMenu->exec(mapToGlobal(at));
        if (!self)
            return;
        m_menuTracking = false;
        m_hover.setPressTracking(false);
        if (!m_down)
            m_faceState = bfsUp;
        repaint();
    }
    m_discardPress = true;
    QTimer::singleShot(0, this, [this] { m_discardPress = false; });
    if (m_allowTimer) {
        if (!m_repeatTimer) {
            m_repeatTimer = std::make_unique<QTimer>();
            QObject::connect(m_repeatTimer.get(), &QTimer::timeout, this, &TTileButton::repeatTick);
        }
        m_repeatTimer->start(m_initPause);
    }
}

void TTileButton::repeatTick()
{
    m_repeatTimer->setInterval(m_repeatInterval);
    if (m_hover.pressTracking() && m_heldInside)
        click();
}

void TTileButton::mouseMoveEvent(QMouseEvent *e)
{
    m_discardPress = false;
    if (!m_hover.pressTracking())
        return;
    m_heldInside = isInside(e->position().toPoint());
    TButtonFaceState next = m_heldInside ? bfsDown : bfsUp;
    if (m_down)
        next = bfsExclusive;
    if (next != m_faceState) {
        m_faceState = next;
        repaint();
    }
}

void TTileButton::mouseReleaseEvent(QMouseEvent *e)
{
    m_discardPress = false;
    const QPoint pos = e->position().toPoint();
    const QPointer<TTileButton> self(this);
    Q_EMIT OnMouseUp(this, e->button(), e->modifiers(), pos.x(), pos.y());
    if (!self)
        return;
    if (e->button() == Qt::RightButton) {
        m_hover.evaluate();
        return;
    }
    if (e->button() != Qt::LeftButton || !m_hover.pressTracking())
        return;
    m_hover.setPressTracking(false);
    const bool clicked = isInside(pos);
    if (m_groupIndex == 0) {
        m_faceState = bfsUp;
        m_hover.setMouseInside(false);
        repaint();
    } else {
        if (clicked)
            setDown(!m_down);
        m_faceState = m_down ? bfsExclusive : bfsUp;
        repaint();
    }
    if (m_repeatTimer)
        m_repeatTimer->stop();
    if (clicked && !m_menuTracking) {
        click();
        if (!self)
            return;
    }
    m_hover.evaluate();
}

void TTileButton::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (m_menuTracking)
        return;
    // The platform reports the second press as a press followed by this event: with the press
    // already handled, the queued duplicate is dropped by the same rule that drops a queued press.
    const QPointer<TTileButton> self(this);
    press(e);
    if (self && m_down)
        Q_EMIT OnDblClick(this);
}

void TTileButton::enterEvent(QEnterEvent *e)
{
    QWidget::enterEvent(e);
    m_hover.enter();
}

void TTileButton::leaveEvent(QEvent *e)
{
    QWidget::leaveEvent(e);
    m_hover.leave();
}

void TTileButton::hoverChanged(bool inside, tk::THoverTracker::TRepaint repaint)
{
    // Only a flat button shows the pointer over it.
    if (m_flat) {
        if (repaint == tk::THoverTracker::TRepaint::Now)
            this->repaint();
        else
            update();
    }
    if (inside)
        Q_EMIT OnMouseEnter(this);
    else
        Q_EMIT OnMouseLeave(this);
}

void TTileButton::updateGroup()
{
    if (m_groupIndex == 0 || !parentWidget())
        return;
    for (TTileButton *other : parentWidget()->findChildren<TTileButton *>(Qt::FindDirectChildrenOnly))
        if (other != this && other->m_groupIndex == m_groupIndex)
            other->groupNotice(this);
}

void TTileButton::groupNotice(TTileButton *sender)
{
    if (sender->m_down && m_down) {
        m_down = false;
        m_faceState = bfsUp;
        update();
    }
    m_allowAllUp = sender->m_allowAllUp;
}

void TTileButton::updateShortcut()
{
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    const QKeySequence key = QKeySequence::mnemonic(m_caption);
    if (!key.isEmpty())
        m_shortcutId = grabShortcut(key, Qt::WindowShortcut);
}

void TTileButton::changeEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::FontChange:
        invalidateLayout();
        update();
        break;
    case QEvent::PaletteChange:
        update();
        break;
    case QEvent::EnabledChange:
        m_hover.evaluate();
        repaint();
        break;
    default:
        break;
    }
    QWidget::changeEvent(e);
}

bool TTileButton::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::ToolTip:
    case QEvent::WhatsThis:
        if (!hintShown()) {
            // Handled: a tile that shows no hint does not pass the request on to its window.
            e->accept();
            return true;
        }
        break;
    case QEvent::Shortcut:
        if (static_cast<QShortcutEvent *>(e)->shortcutId() == m_shortcutId) {
            if (isEnabled())
                click();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::event(e);
}
