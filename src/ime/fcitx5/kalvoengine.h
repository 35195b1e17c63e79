#pragma once

#include "kalvocontext.h"

#include <fcitx/inputcontextproperty.h>
#include <fcitx/inputmethodengine.h>
#include <fcitx/instance.h>

#include <QHash>

// The fcitx5 shell of the four Kalvo input methods: it turns fcitx5's key events into the
// engine's keys and the engine's replies into commits, preedit and the candidate row.
class KalvoEngine : public fcitx::InputMethodEngineV2 {
public:
    explicit KalvoEngine(fcitx::Instance *instance);

    void keyEvent(const fcitx::InputMethodEntry &entry, fcitx::KeyEvent &event) override;
    void activate(const fcitx::InputMethodEntry &entry, fcitx::InputContextEvent &event) override;
    void deactivate(const fcitx::InputMethodEntry &entry, fcitx::InputContextEvent &event) override;
    void reset(const fcitx::InputMethodEntry &entry, fcitx::InputContextEvent &event) override;

    // Commits a candidate of the row shown in `ic`, as a click on it does.
    void pickCandidate(fcitx::InputContext *ic, int index);

private:
    void end(const fcitx::InputMethodEntry &entry, fcitx::InputContextEvent &event,
             ImeEngine::Ending why);
    ImeEngine &engineFor(const fcitx::InputMethodEntry &entry, fcitx::InputContext *ic);
    void apply(fcitx::InputContext *ic, const ImeEngine::Reply &reply);
    void showPanel(fcitx::InputContext *ic, const ImeEngine &engine);
    void showCandidates(fcitx::InputContext *ic, const ImeEngine &engine);
    const fcitx::Text &candidateText(const ImeEngine::Candidate &candidate);

    fcitx::Instance *m_instance;
    QHash<QString, fcitx::Text> m_candidateTexts;
    fcitx::FactoryFor<KalvoContext> m_contexts{
        [](fcitx::InputContext &) { return new KalvoContext; }};
};
