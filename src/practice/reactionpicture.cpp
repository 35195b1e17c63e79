#include "reactionpicture.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures are a resource of a static library. Outside any namespace: the macro declares
// the registration function extern.
static void RegisterReactionPictures()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(reactions);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

constexpr int kSide = 100;

QString pictureFile(ReactionPicture::Person person, int index)
{
    const char *who = person == ReactionPicture::Person::Man ? "man" : "woman";
    return QStringLiteral(":/reactions/%1%2.svg").arg(QLatin1String(who)).arg(index);
}

QString personName(ReactionPicture::Person person)
{
    return person == ReactionPicture::Person::Man ? QStringLiteral("男性") : QStringLiteral("女性");
}

} // namespace

ReactionPicture::ReactionPicture(Person person, QWidget *parent)
    : QWidget(parent)
    , m_person(person)
    , m_renderer(new QSvgRenderer(this))
    , m_fill(palette().color(QPalette::Button))
{
    RegisterReactionPictures();
    setFixedSize(kSide, kSide);
    setAccessibleName(personName(person) + QStringLiteral("の反応"));
}

void ReactionPicture::showPicture(int index)
{
    m_index = index;
    m_fill = Qt::black;
    m_renderer->load(pictureFile(m_person, index));
    setAccessibleDescription(QString::number(index));
    update();
}

void ReactionPicture::showFill(const QColor &colour)
{
    m_index = -1;
    m_fill = colour;
    setAccessibleDescription(QString());
    update();
}

// Drawn as vectors at the screen's own resolution, so the picture stays sharp on HiDPI.
void ReactionPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_fill);
    if (m_index >= 0 && m_renderer->isValid())
        m_renderer->render(&painter, QRectF(rect()));
}
