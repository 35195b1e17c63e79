#include "curtain.h"

#include "widgets/exactfields.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int kStep = 20;
constexpr int kIntervalMs = 20;
constexpr int kRuleLeft = 120;
constexpr int kStartTop = 240;
constexpr QSize kStartSize{96, 40};

constexpr const char16_t *kRules[] = {
    u"・単語帳内の単語をランダムに並び替え、10問一勝負として扱います。",
    u"・解答はすべて解答欄へのロシア語のタイピングで行います。",
    u"・解答後、Enterキーを押すと判定されます。（以降、キー操作だけで完結）",
    u"・点数計算は1度きりですが判定は正解するまで何度もできます。",
};

} // namespace

Curtain::Curtain(QWidget *area)
    : QFrame(area)
    , m_area(area)
    , m_start(new QPushButton(QStringLiteral("START"), this))
{
    setObjectName(QStringLiteral("Panel6"));
    int top = 50;
    for (const char16_t *rule : kRules) {
        auto *line = PlainLabel(QString::fromUtf16(rule), this);
        line->setStyleSheet(QStringLiteral("color: #FFF6D5;"));
        line->adjustSize();
        line->move(kRuleLeft, top);
        top += 50;
    }
    m_start->setObjectName(QStringLiteral("KeyButton1"));
    m_start->resize(kStartSize);
    m_start->move(kRuleLeft, kStartTop);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Curtain::OpenTimerTimer);
    area->installEventFilter(this);
}

bool Curtain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area && event->type() == QEvent::Resize && m_closed)
        cover();
    return false;
}

void Curtain::cover()
{
    m_timer.stop();
    m_closed = true;
    m_height = m_area->height();
    setGeometry(0, 0, m_area->width(), m_height);
    show();
    raise();
}

void Curtain::startOpening()
{
    m_closed = false;
    m_height = height();
    m_timer.start();
}

void Curtain::OpenTimerTimer()
{
    if (m_height >= 1) {
        m_height -= kStep;
        setGeometry(x(), y() + kStep, width(), qMax(0, m_height));
        return;
    }
    hide();
    m_timer.stop();
    Q_EMIT opened();
}

void Curtain::setStartLeft(int left)
{
    m_start->move(left, m_start->y());
}

// A stage curtain: deep red with soft vertical folds.
void Curtain::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient folds(0, 0, 60, 0);
    folds.setSpread(QGradient::ReflectSpread);
    folds.setColorAt(0, QColor(0x8E, 0x1B, 0x2A));
    folds.setColorAt(1, QColor(0x6A, 0x10, 0x1E));
    painter.fillRect(rect(), folds);
}
