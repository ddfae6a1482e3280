#pragma once

#include <QWidget>

namespace tk {

enum class TBevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
enum class TBevelStyle { Lowered, Raised };

// A bevel drawn on its parent: a box, a double frame, or a two-pixel line along one edge. A
// lowered line is shadow then highlight (seen from the edge inwards), a raised one the reverse.
class TBevel : public QWidget {
    Q_OBJECT
public:
    explicit TBevel(QWidget *parent = nullptr);
    ~TBevel() override;

    TBevelShape shape() const { return m_shape; }
    void setShape(TBevelShape shape);

    TBevelStyle style() const { return m_style; }
    void setStyle(TBevelStyle style);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TBevelShape m_shape = TBevelShape::Box;
    TBevelStyle m_style = TBevelStyle::Lowered;
};

} // namespace tk
