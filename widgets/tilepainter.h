#pragma once

#include "toolkit/talignment.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStaticText>
#include <QString>

class QPainter;

// The value types of the tile button, shared by the button and its painter.
struct TileButtonTypes {
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
    enum TDropDownMenuPos { dmpBottom, dmpRight };
    enum TButtonFaceState { bfsUp = 0, bfsDisabled = 1, bfsDown = 2, bfsExclusive = 3, bfsInactive = 4 };
};

// What the caption and glyph layout needs; it changes only with text, font, size or layout settings.
struct TileLayoutInput {
    QString caption;
    QFont font;
    QSize contentSize;                  // W x H of the rectangle inside the bevel
    QSize glyphSize;                    // one glyph image (bitmap width / NumGlyphs x height)
    TileButtonTypes::TButtonLayout layout = TileButtonTypes::blGlyphTop;
    tk::TAlignment alignment = tk::TAlignment::taCenter;
    int margin = -1;
    int spacing = 1;
    bool wordWrap = false;
    bool dropDownMark = false;          // reserves 9 pixels of text width in the left/right layouts
};

// The laid-out caption: prepared text lines, positions relative to the content rectangle.
struct TileLayout {
    struct Line {
        QStaticText text;
        QPoint pos;                     // top-left of the line
        QRect underline;                // accelerator underline, empty if none
    };
    QString fittedCaption;              // after line shortening, with "&" markers
    QRect textRect;                     // the measured (and clipped) text block
    QPoint glyphPos;
    QSize glyphSize;
    QList<Line> lines;
    bool clipText = false;              // the measured block was larger than the space for it
};

// Replaces a line that is wider than maxWidth by its first characters followed by "...".
// Widths are measured as displayed (an "&" marker takes no room).
QString shortenTileLine(const QString &line, const QFont &font, int maxWidth);

// Fits, measures and positions caption and glyph. Builds the text objects the painter reuses.
void layoutTile(const TileLayoutInput &in, TileLayout &out);

// Pens resolved from the system colours; rebuilt only when a colour changes.
struct TilePens {
    QColor btnFace, btnHighlight, btnShadow, windowFrame, text;
    QPen textPen, highlightPen, shadowPen;
    QBrush checker;                     // 2 x 2 pattern of btnFace and btnHighlight

    // Resolves the colours from the application palette; returns true when something changed.
    // With `recent` (the set another button made last), a set of the same colours is copied from
    // it, so that buttons of one colour share their pens and pattern instead of each making its own.
    bool update(const QColor &fontColor, TilePens *recent = nullptr);
};

// The state one paint draws from.
struct TilePaintState {
    QSize size;
    TileButtonTypes::TButtonFaceState face = TileButtonTypes::bfsUp;   // after the enabled fix
    TileButtonTypes::TButtonFaceState look = TileButtonTypes::bfsUp;   // flat buttons rest as bfsInactive
    TileButtonTypes::TButtonFaceState drawState = TileButtonTypes::bfsUp;
    bool flat = false;
    bool newStyle = true;
    bool transparent = false;
    const QImage *glyph = nullptr;      // all NumGlyphs images side by side, or null
    int numGlyphs = 1;
};

// Draws the whole face into the painter's device (already sized to the button): fill, bevel,
// checkered fill, content shift, glyph and caption. Makes no allocations once the layout is built.
void paintTile(QPainter &p, const TilePaintState &s, const TileLayout &layout, const TilePens &pens);

// The rectangle inside the bevel for a button of the given size.
QRect tileContentRect(QSize size, bool flat);
