#pragma once

#include "toolkit/talignment.h"

#include <QWidget>

namespace tk {

enum class TBevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };

// A bevel drawn on its parent: a box, a double frame, or a two-pixel line along one edge. A
// lowered line is shadow then highlight (seen from the edge inwards), a raised one the reverse;
// a bevel of no cut, or of blank space, draws nothing.
class TBevel : public QWidget {
    Q_OBJECT
public:
    explicit TBevel(QWidget *parent = nullptr);
    ~TBevel() override;

    TBevelShape shape() const { return m_shape; }
    void setShape(TBevelShape shape);

    TBevelCut style() const { return m_style; }
    void setStyle(TBevelCut style);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TBevelShape m_shape = TBevelShape::Box;
    TBevelCut m_style = TBevelCut::bvLowered;
};

} // namespace tk
