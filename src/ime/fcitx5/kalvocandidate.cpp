#include "kalvocandidate.h"

#include "kalvoengine.h"

KalvoCandidate::KalvoCandidate(KalvoEngine *engine, int index, fcitx::Text text)
    : fcitx::CandidateWord(std::move(text))
    , m_engine(engine)
    , m_index(index)
{}

void KalvoCandidate::select(fcitx::InputContext *ic) const
{
    m_engine->pickCandidate(ic, m_index);
}
