#include "widgets/tilepainter.h"

#include "toolkit/devicegrid.h"
#include "toolkit/tcolor.h"
#include "toolkit/tdraw.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace {

using T = TileButtonTypes;

constexpr int kMaxCaption = 255;
constexpr int kDropDownMarkWidth = 9;

// The text as displayed: "&x" shows x (noting its index), "&&" shows "&", a lone trailing "&" nothing.
QString displayText(const QString &line, QList<int> *accelerators = nullptr)
{
    QString out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'&') {
            if (i + 1 >= line.size())
                break;
            ++i;
            if (line[i] != u'&' && accelerators)
                accelerators->append(int(out.size()));
        }
        out.append(line[i]);
    }
    return out;
}

int displayWidth(const QFontMetrics &fm, const QString &line)
{
    return fm.horizontalAdvance(displayText(line));
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(current);
            current.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            current.append(c);
        }
    }
    lines.append(current);
    return lines;
}

QString trimTrailing(QString s)
{
    qsizetype n = s.size();
    while (n > 0 && (s[n - 1] == u' ' || s[n - 1] == u'\r' || s[n - 1] == u'\n'))
        --n;
    s.truncate(n);
    return s;
}

// Greedy breaking at blanks; a word wider than the width keeps a line of its own.
QStringList wrapLine(const QString &line, const QFontMetrics &fm, int width)
{
    QStringList out;
    const QStringList words = line.split(u' ');
    QString current;
    for (const QString &word : words) {
        const QString candidate = current.isEmpty() ? word : current + u' ' + word;
        if (!current.isEmpty() && displayWidth(fm, candidate) > width) {
            out.append(current);
            current = word;
        } else {
            current = candidate;
        }
    }
    out.append(current);
    return out;
}

void drawText(QPainter &p, const TileLayout &layout, QPoint origin, const QPen &pen)
{
    p.setPen(pen);
    for (const TileLayout::Line &line : layout.lines) {
        p.drawStaticText(origin + line.pos, line.text);
        if (!line.underline.isEmpty())
            p.fillRect(line.underline.translated(origin), pen.color());
    }
}

} // namespace

QString shortenTileLine(const QString &line, const QFont &font, int maxWidth)
{
    const QFontMetrics fm(font);
    if (displayWidth(fm, line) <= maxWidth)
        return line;
    const QString dots = QStringLiteral("...");
    const qsizetype n = line.size();
    for (qsizetype k = 2; k <= n; ++k) {
        qsizetype keep = n - k;
        // Never split a surrogate pair: the kept part would end in half a character.
        if (keep > 0 && line[keep - 1].isHighSurrogate())
            continue;
        const QString candidate = line.left(keep) + dots;
        if (displayWidth(fm, candidate) <= maxWidth)
            return candidate;
    }
    return dots;
}

void layoutTile(const TileLayoutInput &in, TileLayout &out)
{
    const int W = in.contentSize.width();
    const int H = in.contentSize.height();
    const int gw = in.glyphSize.width();
    const int gh = in.glyphSize.height();
    const bool vertical = in.layout == T::blGlyphTop || in.layout == T::blGlyphBottom;
    int margin = in.margin;
    int spacing = in.spacing;
    const int givenMargin = margin == -1 ? 0 : margin;
    const int givenSpacing = spacing == -1 ? 0 : spacing;

    int spaceW = W;
    int spaceH = H;
    if (vertical) {
        spaceH = H - gh - givenMargin - givenSpacing;
    } else {
        spaceW = W - gw - givenMargin - givenSpacing - (in.dropDownMark ? kDropDownMarkWidth : 0);
    }
    spaceW = std::max(spaceW, 0);
    spaceH = std::max(spaceH, 0);

    const QFontMetrics fm(in.font);
    QStringList lines;
    if (!in.wordWrap) {
        QStringList fitted = splitLines(in.caption);
        for (QString &line : fitted)
            line = shortenTileLine(line, in.font, spaceW);
        out.fittedCaption = trimTrailing(fitted.join(QStringLiteral("\r\n"))).left(kMaxCaption);
        if (!out.fittedCaption.isEmpty())
            lines = splitLines(out.fittedCaption);
    } else {
        out.fittedCaption = in.caption.left(kMaxCaption);
        if (!out.fittedCaption.isEmpty())
            for (const QString &hard : splitLines(out.fittedCaption))
                lines += wrapLine(hard, fm, spaceW);
    }

    int textW = 0;
    int textH = 0;
    for (const QString &line : lines)
        textW = std::max(textW, displayWidth(fm, line));
    textH = int(lines.size()) * fm.height();
    out.clipText = textW > spaceW || textH > spaceH;
    textW = std::min(textW, spaceW);
    textH = std::min(textH, spaceH);

    if (textW == 0 || gw == 0)
        spacing = 0;

    int glyphX = 0, glyphY = 0, textX = 0, textY = 0;
    if (vertical) {
        glyphX = W / 2 - gw / 2;
        textX = W / 2 - textW / 2;
    } else {
        glyphY = H / 2 - gh / 2;
        textY = H / 2 - textH / 2;
    }

    const int axis = vertical ? H : W;
    const int glyphAxis = vertical ? gh : gw;
    const int textAxis = vertical ? textH : textW;
    if (margin == -1) {
        if (spacing != -1) {
            margin = axis / 2 - (glyphAxis + spacing + textAxis) / 2;
        } else {
            margin = (axis - glyphAxis - textAxis) / 3;
            spacing = margin;
        }
    } else if (spacing == -1) {
        spacing = (axis - margin - glyphAxis) / 2 - textAxis / 2;
    }

    switch (in.layout) {
    case T::blGlyphTop:
        glyphY = margin;
        textY = margin + gh + spacing;
        break;
    case T::blGlyphBottom:
        glyphY = H - margin - gh;
        textY = glyphY - spacing - textH;
        break;
    case T::blGlyphLeft:
        glyphX = margin;
        textX = margin + gw + spacing;
        break;
    case T::blGlyphRight:
        glyphX = W - margin - gw;
        textX = glyphX - spacing - textW;
        break;
    }

    out.textRect = QRect(textX, textY, textW, textH);
    out.glyphPos = QPoint(glyphX, glyphY);
    out.glyphSize = in.glyphSize;
    out.lines.clear();
    out.lines.reserve(lines.size());
    const int lineHeight = fm.height();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QList<int> accelerators;
        const QString shown = displayText(lines[i], &accelerators);
        const int lw = fm.horizontalAdvance(shown);
        const int x = textX + tk::alignedOffset(textW, lw, in.alignment);
        TileLayout::Line line;
        line.pos = QPoint(x, textY + int(i) * lineHeight);
        line.text.setTextFormat(Qt::PlainText);
        line.text.setText(shown);
        line.text.setPerformanceHint(QStaticText::AggressiveCaching);
        line.text.prepare(QTransform(), in.font);
        if (!accelerators.isEmpty()) {
            const int a = accelerators.constFirst();
            const int ax = fm.horizontalAdvance(shown.left(a));
            const int aw = fm.horizontalAdvance(shown.mid(a, 1));
            line.underline = QRect(x + ax, line.pos.y() + fm.ascent() + std::max(1, fm.underlinePos()),
                                   aw, std::max(1, fm.lineWidth()));
        }
        out.lines.append(line);
    }
}

bool TilePens::update(const QColor &fontColor, TilePens *recent)
{
    const QColor face = tk::clBtnFace.toQColor();
    const QColor hl = tk::clBtnHighlight.toQColor();
    const QColor sh = tk::clBtnShadow.toQColor();
    const QColor fr = tk::clWindowFrame.toQColor();
    const auto sameColours = [&](const TilePens &pens) {
        return face == pens.btnFace && hl == pens.btnHighlight && sh == pens.btnShadow && fr == pens.windowFrame
            && fontColor == pens.text && pens.textPen.style() != Qt::NoPen;
    };
    if (sameColours(*this))
        return false;
    if (recent && sameColours(*recent)) {
        *this = *recent;
        return true;
    }
    btnFace = face;
    btnHighlight = hl;
    btnShadow = sh;
    windowFrame = fr;
    text = fontColor;
    textPen = QPen(text);
    highlightPen = QPen(btnHighlight);
    shadowPen = QPen(btnShadow);
    QImage pattern(2, 2, QImage::Format_RGB32);
    pattern.setPixelColor(0, 0, btnHighlight);
    pattern.setPixelColor(1, 1, btnHighlight);
    pattern.setPixelColor(1, 0, btnFace);
    pattern.setPixelColor(0, 1, btnFace);
    checker = QBrush(pattern);
    if (recent)
        *recent = *this;
    return true;
}

QRect tileContentRect(QSize size, bool flat)
{
    const int inset = flat ? 2 : 3;
    return QRect(QPoint(0, 0), size).adjusted(inset, inset, -inset, -inset);
}

void paintTile(QPainter &p, const TilePaintState &s, const TileLayout &layout, const TilePens &pens)
{
    QRect r(QPoint(0, 0), s.size);
    if (s.transparent) {
        // The parent has already drawn the background under the control; keep it visible.
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(r, Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
        p.fillRect(r, pens.btnFace);
    }

    const bool down = s.face == T::bfsDown || s.face == T::bfsExclusive;
    if (s.look != T::bfsInactive || s.face == T::bfsExclusive) {
        if (s.newStyle) {
            if (s.flat) {
                if (down)
                    tk::drawBevelRing(p, r, pens.windowFrame, pens.btnHighlight);
                else
                    tk::drawBevelRing(p, r, pens.btnHighlight, pens.btnShadow);
                r.adjust(1, 1, -1, -1);
            } else if (down) {
                tk::drawBevelRing(p, r, pens.windowFrame, pens.btnHighlight);
                r.adjust(1, 1, -1, -1);
                tk::drawBevelRing(p, r, pens.btnShadow, pens.btnFace);
                r.adjust(1, 1, -1, -1);
            } else {
                tk::drawBevelRing(p, r, pens.btnHighlight, pens.windowFrame);
                r.adjust(1, 1, -1, -1);
                tk::drawBevelRing(p, r, pens.btnFace, pens.btnShadow);
                r.adjust(1, 1, -1, -1);
            }
        } else {
            if (s.flat) {
                if (down)
                    tk::drawBevelRing(p, r, pens.windowFrame, pens.btnHighlight);
                else
                    tk::drawBevelRing(p, r, pens.btnHighlight, pens.windowFrame);
                r.adjust(1, 1, -1, -1);
            } else {
                tk::drawBevelRing(p, r, pens.windowFrame, pens.windowFrame);
                r.adjust(1, 1, -1, -1);
                if (down) {
                    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), pens.btnShadow);
                    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), pens.btnShadow);
                } else {
                    tk::drawBevelRing(p, r, pens.btnHighlight, pens.btnShadow);
                }
                r.adjust(1, 1, -1, -1);
            }
        }
        r.adjust(1, 1, -1, -1);
    } else {
        r.adjust(2, 2, -2, -2);
    }

    if (s.face == T::bfsExclusive && !s.transparent && (!s.flat || s.look == T::bfsInactive))
        p.fillRect(r.adjusted(-1, -1, 1, 1), pens.checker);

    if (down)
        r.translate(1, 1);

    const QPoint origin = r.topLeft();
    if (s.glyph && !s.glyph->isNull() && !layout.glyphSize.isEmpty()) {
        const int count = std::max(1, s.numGlyphs);
        int index = int(s.drawState);
        if (index >= count)
            index = 0;
        const QRect source(index * layout.glyphSize.width(), 0, layout.glyphSize.width(), layout.glyphSize.height());
        DeviceGrid::drawScaled(p, QRect(origin + layout.glyphPos, layout.glyphSize), *s.glyph, source);
    }

    if (layout.lines.isEmpty())
        return;
    if (layout.clipText)
        p.setClipRect(layout.textRect.translated(origin));
    if (s.drawState == T::bfsDisabled) {
        drawText(p, layout, origin + QPoint(1, 1), pens.highlightPen);
        drawText(p, layout, origin, pens.shadowPen);
    } else {
        drawText(p, layout, origin, pens.textPen);
    }
    if (layout.clipText)
        p.setClipping(false);
}
