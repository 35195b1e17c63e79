#include "candidatefilter.h"

#include <QKeyEvent>
#include <QLineEdit>

IpaCandidateFilter::IpaCandidateFilter(QLineEdit *field, IpaFieldHost host)
    : QObject(field)
    , m_field(field)
    , m_host(std::move(host))
{
    field->installEventFilter(this);
}

bool IpaCandidateFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field)
        return false;
    if (event->type() == QEvent::KeyRelease)
        return m_consumedKeys.remove(static_cast<QKeyEvent *>(event)->key());
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const CandidateKeyResult result = m_mode.keyPress(key->key(), key->modifiers(), key->text());
    // An empty pick inserts nothing, so it does not wipe the field's selection either.
    if (!result.insert.isEmpty()) {
        if (m_host.outputIPAString)
            m_host.outputIPAString(result.insert);
        else
            InsertIpaText(m_field, result.insert);
    }
    if (result.redisplay && m_host.dispArrIPA)
        m_host.dispArrIPA();
    // The release of a consumed key is the field's no more than its press: it would only
    // restart the caret's blinking and repaint the field.
    if (result.consumed)
        m_consumedKeys.insert(key->key());
    return result.consumed;
}

IpaCandidateFilter *installIpaCandidates(QLineEdit *field, IpaFieldHost host)
{
    return new IpaCandidateFilter(field, std::move(host));
}

void InsertIpaText(QLineEdit *field, const QString &text)
{
    field->insert(text);
    field->setFocus();
}
