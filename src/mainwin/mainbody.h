#pragma once

#include <QWidget>

class CompositionAreas;
class MainActions;
class QSplitter;
class QTabWidget;
class TCharChart;
class TIPAPad;
class TRusPad;
class WordBookPage;

// The body of the main window: the composition part (the IPA line and the Russian area on the
// left, the pad panel on the right) above the word-book page control.
class MainBody : public QWidget {
    Q_OBJECT

public:
    MainBody(MainActions *actions, QWidget *parent);

    CompositionAreas *areas() const { return m_areas; }
    TRusPad *rusPad() const { return m_rusPad; }
    TIPAPad *ipaPad() const { return m_ipaPad; }
    QTabWidget *padPages() const { return m_padPages; }
    QTabWidget *pageControl() const { return m_pageControl; }
    WordBookPage *wordBookPage() const { return m_wordBookPage; }

    // The pad panel's width and the word-book page control's height.
    void setPanel3Width(int width);
    void setPageControlHeight(int height);
    int pageControlHeight() const;
    // Which part takes the height the body gains or loses: the word-book page control (true)
    // or the composition part.
    void setUnderStretch(bool pageControlStretches);

    // The character chart page: built on, destroyed off.
    void MakeCompo();
    void removeChart();
    TCharChart *chart() const { return m_chart; }

    QWidget *padPanel() const { return m_padPanel; }
    // The Russian pad's tab shows the name of the layout in use.
    void DispRusIme();

    // First display: the first pages, and the focus in the Russian area.
    void selectFirstPages();

private:
    QWidget *buildComposition();
    QWidget *buildPadPanel();
    void buildPageControl(MainActions *actions);

    CompositionAreas *m_areas = nullptr;
    QWidget *m_padPanel = nullptr;
    TRusPad *m_rusPad = nullptr;
    TIPAPad *m_ipaPad = nullptr;
    QTabWidget *m_padPages = nullptr;
    QSplitter *m_vertical = nullptr;
    QTabWidget *m_pageControl = nullptr;
    WordBookPage *m_wordBookPage = nullptr;
    QWidget *m_chartPage = nullptr;
    TCharChart *m_chart = nullptr;
};
