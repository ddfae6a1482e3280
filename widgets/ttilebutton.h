#pragma once

#include "toolkit/tcolor.h"
#include "toolkit/devicegrid.h"
#include "toolkit/thovertracker.h"
#include "widgets/tilepainter.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>

class QMenu;
class QPainter;
class QTimer;
struct TileCanvas;

// A windowless push button with a raised 3D face and a multi-line caption that sinks while
// pressed; the periodic table's element tiles.
class TTileButton : public QWidget, public TileButtonTypes {
    Q_OBJECT
public:
    explicit TTileButton(QWidget *parent = nullptr);
    ~TTileButton() override;

    // Caption: lines separated by CR, LF or CR LF; "&" marks the accelerator ("&&" shows "&").
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // The button's own font (ParentFont becomes false), its colour, and ParentFont.
    QFont tileFont() const { return font(); }
    void setTileFont(const QFont &font);
    tk::TColor fontColor() const { return m_fontColor; }   // default clWindowText
    void setFontColor(tk::TColor color);
    bool parentFont() const { return m_parentFont; }        // default true
    void setParentFont(bool value);

    // Hint shown as the tool-tip; ShowHint defaults to true and ParentShowHint to false, so a
    // tile shows its hint whatever its window says. With ParentShowHint the parent's effective
    // ShowHint decides (tk::THint's rule).
    QString hint() const { return m_hint; }
    void setHint(const QString &hint);
    bool showHint() const { return m_showHint; }
    void setShowHint(bool value);
    bool parentShowHint() const { return m_parentShowHint; }
    void setParentShowHint(bool value);
    bool hintShown() const;

    int tag() const { return m_tag; }                       // default 0
    void setTag(int tag);

    tk::TAlignment alignment() const { return m_alignment; }    // default tk::TAlignment::taCenter
    void setAlignment(tk::TAlignment value);
    bool allowAllUp() const { return m_allowAllUp; }        // default false
    void setAllowAllUp(bool value);
    bool allowTimer() const { return m_allowTimer; }        // default false
    void setAllowTimer(bool value);
    bool down() const { return m_down; }                    // default false; needs GroupIndex != 0
    void setDown(bool value);
    QMenu *dropDownMenu() const { return m_dropDownMenu; }  // default none
    void setDropDownMenu(QMenu *menu);
    bool flat() const { return m_flat; }                    // default false
    void setFlat(bool value);
    QImage glyph() const { return m_glyph; }                // default empty
    void setGlyph(const QImage &glyph);
    bool grayedInactive() const { return m_grayedInactive; } // default true
    void setGrayedInactive(bool value);
    int groupIndex() const { return m_groupIndex; }         // default 0
    void setGroupIndex(int value);
    int initPause() const { return m_initPause; }           // default 500 ms
    void setInitPause(int ms);
    TButtonLayout layout() const { return m_layout; }       // default blGlyphTop
    void setLayout(TButtonLayout value);
    int margin() const { return m_margin; }                 // default -1 (automatic); below -1 ignored
    void setMargin(int value);
    bool markDropDown() const { return m_markDropDown; }    // default true
    void setMarkDropDown(bool value);
    TDropDownMenuPos menuPosition() const { return m_menuPosition; } // default dmpBottom
    void setMenuPosition(TDropDownMenuPos value);
    int modalResult() const { return m_modalResult; }       // default 0
    void setModalResult(int value);
    int numGlyphs() const { return m_numGlyphs; }           // 1..5, default 1; above 5 stored as 5
    void setNumGlyphs(int value);
    int repeatInterval() const { return m_repeatInterval; } // default 100 ms
    void setRepeatInterval(int ms);
    int spacing() const { return m_spacing; }               // default 1
    void setSpacing(int value);
    TButtonStyle style() const { return m_style; }          // default bsAutoDetect
    void setStyle(TButtonStyle value);
    bool transparent() const { return m_transparent; }      // default false
    void setTransparent(bool value);
    bool wordWrap() const { return m_wordWrap; }            // default false
    void setWordWrap(bool value);

    // Internal state, readable for the window's tests.
    TButtonFaceState faceState() const { return m_faceState; }
    bool mouseInside() const { return m_hover.mouseInside(); }
    bool pressTracking() const { return m_hover.pressTracking(); }

    // Sets the window's modal result to ModalResult, then fires OnClick.
    virtual void click();

    // The caption as laid out by the last paint (after line shortening).
    QString fittedCaption() const { return m_layoutCache.fittedCaption; }
    // Number of times the face was drawn; lets tests check that setters repaint only on change.
    int paintCount() const { return m_paintCount; }
    // The off-screen bitmap the buttons draw their faces into; after renderFace() it holds this
    // button's face, its first device pixel at the button's origin (see DeviceGrid).
    const QImage &buffer() const;
    // Draws the face into the off-screen bitmap (what a paint does before copying it to the screen).
    void renderFace();

Q_SIGNALS:
    void OnClick(TTileButton *sender);
    void OnDblClick(TTileButton *sender);
    void OnMouseEnter(TTileButton *sender);
    void OnMouseLeave(TTileButton *sender);
    void OnMouseDown(TTileButton *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(TTileButton *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    bool isInside(QPoint p) const;
    void press(QMouseEvent *e);
    void hoverChanged(bool inside, tk::THoverTracker::TRepaint repaint);
    void updateGroup();
    void groupNotice(TTileButton *sender);
    void repeatTick();
    void invalidateLayout();
    QPainter &beginFace();
    void updateShortcut();
    bool newStyleInForce() const;

    QString m_caption;
    QString m_hint;
    tk::TColor m_fontColor = tk::clWindowText;
    bool m_parentFont = true;
    bool m_showHint = true;
    bool m_parentShowHint = false;
    int m_tag = 0;

    tk::TAlignment m_alignment = tk::TAlignment::taCenter;
    bool m_allowAllUp = false;
    bool m_allowTimer = false;
    bool m_down = false;
    QMenu *m_dropDownMenu = nullptr;
    bool m_flat = false;
    QImage m_glyph;
    bool m_grayedInactive = true;
    int m_groupIndex = 0;
    int m_initPause = 500;
    TButtonLayout m_layout = blGlyphTop;
    int m_margin = -1;
    bool m_markDropDown = true;
    TDropDownMenuPos m_menuPosition = dmpBottom;
    int m_modalResult = 0;
    int m_numGlyphs = 1;
    int m_repeatInterval = 100;
    int m_spacing = 1;
    TButtonStyle m_style = bsAutoDetect;
    bool m_transparent = false;
    bool m_wordWrap = false;

    TButtonFaceState m_faceState = bfsUp;
    tk::THoverTracker m_hover;         // MouseInside and PressTracking
    bool m_menuTracking = false;
    bool m_discardPress = false;
    bool m_heldInside = false;         // the pointer is inside while the left button is held

    std::shared_ptr<TileCanvas> m_canvas; // the off-screen bitmap and pens, shared by the buttons
    QSize m_faceSize;                  // the device size of the last face drawn
    QPointF m_screenPhase;             // where the last paint's origin lay inside a device pixel
    TileLayout m_layoutCache;
    bool m_layoutValid = false;
    TilePens m_pens;
    std::unique_ptr<QTimer> m_repeatTimer;
    int m_shortcutId = 0;
    int m_paintCount = 0;
};
