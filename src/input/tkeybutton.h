#pragma once

#include <QColor>
#include <QPushButton>
#include <QTextLayout>

#include <utility>

class QStyleOptionButton;

// A push button drawn as a key cap: the large main caption is the button's text, the small
// red sub-caption in the top left corner is SubCap. With AutoFSized both fonts size themselves
// to the key's height, so a pad of keys stays legible at any size. The fill shows whether the
// key is at rest, under the mouse or pressed. Two quick clicks are two clicks.
//
// Font sizes are pixel sizes: the height budget is in pixels, so searching pixel sizes keeps
// the result independent of the screen's dots per inch.
class TKeyButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QColor HoverColor READ HoverColor WRITE setHoverColor)
    Q_PROPERTY(QColor SeleColor READ SeleColor WRITE setSeleColor)
    Q_PROPERTY(QColor ForeColor1 READ ForeColor1 WRITE setForeColor1)
    Q_PROPERTY(QColor ForeColor2 READ ForeColor2 WRITE setForeColor2)
    Q_PROPERTY(QString SubCap READ SubCap WRITE setSubCap)
    Q_PROPERTY(int MainFPer READ MainFPer WRITE setMainFPer)
    Q_PROPERTY(int SubFPer READ SubFPer WRITE setSubFPer)
    Q_PROPERTY(int XPosPer READ XPosPer WRITE setXPosPer)
    Q_PROPERTY(int YPosPer READ YPosPer WRITE setYPosPer)
    Q_PROPERTY(bool AutoFSized READ AutoFSized WRITE setAutoFSized)

public:
    explicit TKeyButton(QWidget *parent = nullptr);

    QColor BackColor() const { return m_backColor; }
    QColor HoverColor() const { return m_hoverColor; }
    QColor SeleColor() const { return m_seleColor; }
    QColor ForeColor1() const { return m_foreColor1; }
    QColor ForeColor2() const { return m_foreColor2; }
    QString SubCap() const { return m_subCap; }
    int MainFPer() const { return m_mainFPer; }
    int SubFPer() const { return m_subFPer; }
    int XPosPer() const { return m_xPosPer; }
    int YPosPer() const { return m_yPosPer; }
    bool AutoFSized() const { return m_autoFSized; }

    void setBackColor(const QColor &color);
    void setHoverColor(const QColor &color);
    void setSeleColor(const QColor &color);
    void setForeColor1(const QColor &color);
    void setForeColor2(const QColor &color);
    void setSubCap(const QString &text);
    void setMainFPer(int percent);
    void setSubFPer(int percent);
    void setXPosPer(int percent);
    void setYPosPer(int percent);
    void setAutoFSized(bool on);

    // The largest pixel size from 8 to 200 of the key's font at which the sample's text
    // height stays within percent × height / 100 pixels; 7 when even 8 is too high.
    int GetBestFontSize(const QString &sample, int percent, int height) const;

    // What a screen reader says for the key: the captions it shows, then `detail` when given.
    // Hosts call it after they set the captions.
    void nameByCaptions(const QString &detail = {});

    // Forgets the fitted font sizes, so the next paint fits them again; for hosts that change
    // what the fit depends on behind the key's back.
    void invalidateFontSizes();

    // The fitted pixel sizes of the main caption and the sub-caption; -1 until a paint has
    // fitted them.
    int mainFontSize() const { return m_mainFSize; }
    int subFontSize() const { return m_subFSize; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

    // Paints the key for the state in `option` (rectangle; pressed = State_Sunken, disabled,
    // focus, and the DefaultButton feature for the window's active button); called for every
    // paint.
    virtual void DrawButton(QPainter &painter, const QStyleOptionButton &option);

private:
    // A caption laid out at a pixel size of the key's font. Paints draw the kept layout; only
    // a new text, size or font lays it out again, since shaping costs more than drawing.
    struct Caption {
        QString text;
        int pixelSize = -1;
        QTextLayout layout;
        int advance = 0;
        int height = 0;
        // From the top of the line to where the layout is drawn from.
        qreal layoutTop = 0;
    };

    void setColor(QColor &member, const QColor &color);
    void setPercent(int &member, int percent);
    // The solid brush the parent fills itself with, or Qt::NoBrush.
    QBrush parentFill() const;
    std::pair<int, int> fontSizes(int height);
    QFont sizedFont(int pixelSize) const;
    QRect drawFrame(QPainter &painter, QRect rect, const QStyleOptionButton &option) const;
    QColor fillColor(bool pressed) const;
    const Caption &laidOut(Caption &caption, const QString &text, int pixelSize) const;
    void drawDisabledCaption(QPainter &painter, QRect rect, int pixelSize) const;
    // Captions keep their colours where those stay readable on the fill, else the nearest
    // colour that does.
    QRect drawCaption(QPainter &painter, QRect rect, int pixelSize, const QColor &fill) const;
    void drawSubCaption(QPainter &painter, QRect rect, int pixelSize, const QColor &fill) const;
    void drawFocusMark(QPainter &painter, QRect rect) const;

    QColor m_backColor;
    QColor m_hoverColor{0xC0, 0xC0, 0xC0};
    QColor m_seleColor{0x00, 0xFF, 0xFF};
    QColor m_foreColor1{Qt::black};
    QColor m_foreColor2{Qt::red};
    QString m_subCap;
    int m_mainFPer = 80;
    int m_subFPer = 25;
    int m_xPosPer = 66;
    int m_yPosPer = 66;
    bool m_autoFSized = true;

    bool m_showBackColor = true;
    int m_mainFSize = -1;
    int m_subFSize = -1;
    int m_oldHeight = -1;
    mutable Caption m_mainCaption;
    mutable Caption m_subCaption;
};
