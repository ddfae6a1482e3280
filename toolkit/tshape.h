#pragma once

#include "toolkit/tcolor.h"

#include <QWidget>

namespace tk {

enum class TShapeType { Rectangle, Square, RoundRect, RoundSquare, Ellipse, Circle };

// A filled shape: its brush fills the interior and its pen (PenWidth pixels, drawn inside the
// control's rectangle) outlines it. The pen colour defaults to clBlack; the layouts that want a
// plain filled area give the pen the fill colour.
class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget *parent = nullptr);
    ~TShape() override;

    TShapeType shape() const { return m_shape; }
    void setShape(TShapeType shape);

    TColor brushColor() const { return m_brushColor; }
    void setBrushColor(TColor color);

    TColor penColor() const { return m_penColor; }
    void setPenColor(TColor color);

    int penWidth() const { return m_penWidth; }
    void setPenWidth(int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateOpacity();

    TShapeType m_shape = TShapeType::Rectangle;
    TColor m_brushColor = clWhite;
    TColor m_penColor = clBlack;
    int m_penWidth = 1;
};

} // namespace tk
