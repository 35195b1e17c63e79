#include "mainbody.h"

#include "compositionareas.h"
#include "core/ulib.h"
#include "input/keytables.h"
#include "input/truspad.h"
#include "ipa/tipapad.h"
#include "tcharchart.h"
#include "wordbook/reportview.h"
#include "wordbook/wordbookpage.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kSplitterWidth = 4;
constexpr int kIpaLineHeight = 28;
constexpr int kMargin = 3;
constexpr int kPadTabPixelSize = 13;
constexpr int kPadTabSpace = 10;

// Tabs with less room beside their text than the style gives, so that both vertical pad tabs
// fit the compact arrangement.
class NarrowTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return kPadTabSpace;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QSplitter *splitter(Qt::Orientation orientation, QWidget *parent)
{
    auto *s = new QSplitter(orientation, parent);
    s->setHandleWidth(kSplitterWidth);
    s->setChildrenCollapsible(false);
    return s;
}

} // namespace

MainBody::MainBody(MainActions *actions, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_vertical = splitter(Qt::Vertical, this);
    m_vertical->setObjectName(QStringLiteral("Splitter2"));
    layout->addWidget(m_vertical);

    auto *composition = splitter(Qt::Horizontal, m_vertical);
    composition->setObjectName(QStringLiteral("Splitter1"));
    composition->addWidget(buildComposition());
    composition->addWidget(buildPadPanel());
    composition->setStretchFactor(0, 1);
    composition->setStretchFactor(1, 0);
    m_vertical->addWidget(composition);
    buildPageControl(actions);
    m_vertical->setStretchFactor(0, 1);
    m_vertical->setStretchFactor(1, 0);
}

QWidget *MainBody::buildComposition()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    m_areas = new CompositionAreas(panel);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(kMargin, kMargin, 0, 0);
    layout->setSpacing(kMargin);
    m_areas->ipaLine()->setFixedHeight(kIpaLineHeight);
    layout->addWidget(m_areas->ipaLine());
    layout->addWidget(m_areas->russianArea(), 1);
    return panel;
}

QWidget *MainBody::buildPadPanel()
{
    m_padPanel = new QWidget(this);
    m_padPanel->setObjectName(QStringLiteral("Panel3"));
    m_padPages = new QTabWidget(m_padPanel);
    m_padPages->setObjectName(QStringLiteral("PageControl2"));
    m_padPages->setTabPosition(QTabWidget::East);
    // The vertical tabs ("ロシア語ニーモニック" and "発音記号") must both stay in sight in the
    // compact arrangement's composition part: a small font and little room beside it, and
    // where even that is too long the tabs share the height with their texts shortened,
    // rather than scroll.
    QTabBar *tabs = m_padPages->tabBar();
    QFont tabFont = tabs->font();
    tabFont.setPixelSize(kPadTabPixelSize);
    tabs->setFont(tabFont);
    auto *tabStyle = new NarrowTabStyle;
    tabStyle->setParent(tabs);
    tabs->setStyle(tabStyle);
    m_padPages->setUsesScrollButtons(false);
    m_padPages->setElideMode(Qt::ElideRight);
    m_rusPad = new TRusPad(m_padPages);
    m_rusPad->setObjectName(QStringLiteral("RusPad1"));
    m_ipaPad = new TIPAPad(m_padPages);
    m_ipaPad->setObjectName(QStringLiteral("IPAPad1"));
    m_padPages->addTab(m_rusPad, QString());
    DispRusIme();
    m_padPages->addTab(m_ipaPad, QStringLiteral("発音記号"));
    auto *layout = new QVBoxLayout(m_padPanel);
    // The pad page control stays 2 pixels lower than its panel.
    layout->setContentsMargins(0, 0, 0, 2);
    layout->addWidget(m_padPages);
    m_areas->attachPads(m_rusPad, m_ipaPad, m_padPages);
    setPanel3Width(Usr.Panel3Width);
    return m_padPanel;
}

void MainBody::buildPageControl(MainActions *actions)
{
    m_pageControl = new QTabWidget(m_vertical);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    auto *wordPage = new QWidget(m_pageControl);
    wordPage->setObjectName(QStringLiteral("TabSheet3"));
    m_wordBookPage = new WordBookPage(actions, wordPage);
    auto *wordLayout = new QVBoxLayout(wordPage);
    wordLayout->setContentsMargins(0, 0, 0, 0);
    wordLayout->addWidget(m_wordBookPage);
    m_pageControl->addTab(wordPage, QStringLiteral("単語リスト"));
    m_wordBookPage->wordList()->setAccessibleName(m_pageControl->tabText(0));
    m_chartPage = new QWidget(m_pageControl);
    m_chartPage->setObjectName(QStringLiteral("TabSheet4"));
    m_pageControl->addTab(m_chartPage, QStringLiteral("アルファベットと記号"));
    m_pageControl->setTabVisible(1, false);
    m_vertical->addWidget(m_pageControl);
    setPageControlHeight(Usr.PCon1Height);
}

void MainBody::DispRusIme()
{
    m_padPages->setTabText(0, RusImeName(Usr.RusImeIndex));
}

void MainBody::setPanel3Width(int width)
{
    m_padPanel->setFixedWidth(width);
}

void MainBody::setPageControlHeight(int height)
{
    const int total = qMax(m_vertical->height(), height + 200);
    m_vertical->setSizes({total - height - kSplitterWidth, height});
}

void MainBody::setUnderStretch(bool pageControlStretches)
{
    m_vertical->setStretchFactor(0, pageControlStretches ? 0 : 1);
    m_vertical->setStretchFactor(1, pageControlStretches ? 1 : 0);
}

int MainBody::pageControlHeight() const
{
    return m_pageControl->height();
}

void MainBody::MakeCompo()
{
    if (m_chart)
        return;
    m_chart = new TCharChart(m_chartPage);
    connect(m_chart, &TCharChart::charPressed, m_areas, &CompositionAreas::OutputString);
    m_chart->show();
    m_pageControl->setTabVisible(1, true);
}

void MainBody::removeChart()
{
    delete m_chart;
    m_chart = nullptr;
    m_pageControl->setTabVisible(1, false);
}

void MainBody::selectFirstPages()
{
    m_pageControl->setCurrentIndex(0);
    m_padPages->setCurrentIndex(0);
    m_rusPad->showLowerPage();
    m_areas->russianArea()->setFocus();
}
