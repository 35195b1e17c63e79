#pragma once

#include <fcitx/candidatelist.h>

class KalvoEngine;

// One IPA candidate of the row: its symbol with the Japanese name and description after it.
class KalvoCandidate : public fcitx::CandidateWord {
public:
    KalvoCandidate(KalvoEngine *engine, int index, fcitx::Text text);

    void select(fcitx::InputContext *ic) const override;

private:
    KalvoEngine *m_engine;
    int m_index;
};
