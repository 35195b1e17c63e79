#include "kalvoengine.h"

#include "kalvocandidate.h"

#include "ipa/uipa.h"

#include <fcitx/candidatelist.h>
#include <fcitx/inputcontext.h>
#include <fcitx/inputcontextmanager.h>
#include <fcitx/inputpanel.h>
#include <fcitx/userinterface.h>

namespace {

constexpr fcitx::KeyStates kCommandStates{
    fcitx::KeyState::Ctrl,   fcitx::KeyState::Alt,   fcitx::KeyState::Super,
    fcitx::KeyState::Super2, fcitx::KeyState::Hyper, fcitx::KeyState::Hyper2,
    fcitx::KeyState::Meta,
};

ImeEngine::Key KeyOf(const fcitx::KeyEvent &event)
{
    const fcitx::Key raw = event.rawKey();
    const fcitx::KeyStates states = raw.states();
    return {quint32(raw.code()),
            quint32(raw.sym()),
            char32_t(fcitx::Key::keySymToUnicode(raw.sym())),
            states.test(fcitx::KeyState::Shift),
            states.test(fcitx::KeyState::CapsLock),
            bool(states & kCommandStates),
            event.isRelease()};
}

fcitx::Text Underlined(const QString &text)
{
    const std::string utf8 = text.toStdString();
    fcitx::Text preedit(utf8, fcitx::TextFormatFlag::Underline);
    preedit.setCursor(int(utf8.size()));
    return preedit;
}

// Shown in the application where it can show preedit, else in fcitx5's own panel.
bool ShowsClientPreedit(const fcitx::InputContext *ic)
{
    return ic->capabilityFlags().test(fcitx::CapabilityFlag::Preedit);
}

} // namespace

KalvoEngine::KalvoEngine(fcitx::Instance *instance)
    : m_instance(instance)
{
    m_instance->inputContextManager().registerProperty("kalvoContext", &m_contexts);
}

ImeEngine &KalvoEngine::engineFor(const fcitx::InputMethodEntry &entry, fcitx::InputContext *ic)
{
    KalvoContext *context = ic->propertyFor(&m_contexts);
    const ImeEngine::Method method = ImeEngine::methodNamed(entry.uniqueName().c_str());
    if (!context->engine || context->engine->method() != method)
        context->engine = std::make_unique<ImeEngine>(method);
    return *context->engine;
}

void KalvoEngine::keyEvent(const fcitx::InputMethodEntry &entry, fcitx::KeyEvent &event)
{
    fcitx::InputContext *ic = event.inputContext();
    ImeEngine &engine = engineFor(entry, ic);
    const ImeEngine::Reply reply = engine.keyEvent(KeyOf(event));
    apply(ic, reply);
    if (reply.refresh)
        showPanel(ic, engine);
    if (reply.consumed)
        event.filterAndAccept();
}

void KalvoEngine::activate(const fcitx::InputMethodEntry &entry, fcitx::InputContextEvent &event)
{
    engineFor(entry, event.inputContext());
}

void KalvoEngine::deactivate(const fcitx::InputMethodEntry &entry, fcitx::InputContextEvent &event)
{
    const bool focusOut = event.type() == fcitx::EventType::InputContextFocusOut;
    end(entry, event, focusOut ? ImeEngine::Ending::FocusOut : ImeEngine::Ending::Switch);
}

void KalvoEngine::reset(const fcitx::InputMethodEntry &entry, fcitx::InputContextEvent &event)
{
    end(entry, event, ImeEngine::Ending::Reset);
}

void KalvoEngine::end(const fcitx::InputMethodEntry &entry, fcitx::InputContextEvent &event,
                      ImeEngine::Ending why)
{
    fcitx::InputContext *ic = event.inputContext();
    ImeEngine &engine = engineFor(entry, ic);
    const ImeEngine::Reply reply = engine.end(why, ShowsClientPreedit(ic));
    apply(ic, reply);
    if (reply.refresh)
        showPanel(ic, engine);
}

void KalvoEngine::pickCandidate(fcitx::InputContext *ic, int index)
{
    KalvoContext *context = ic->propertyFor(&m_contexts);
    if (!context->engine)
        return;
    apply(ic, context->engine->pickCandidate(index));
    showPanel(ic, *context->engine);
}

void KalvoEngine::apply(fcitx::InputContext *ic, const ImeEngine::Reply &reply)
{
    if (!reply.commit.isEmpty())
        ic->commitString(reply.commit.toStdString());
}

void KalvoEngine::showPanel(fcitx::InputContext *ic, const ImeEngine &engine)
{
    fcitx::InputPanel &panel = ic->inputPanel();
    const QString preedit = engine.preedit();
    const fcitx::Text shown = preedit.isEmpty() ? fcitx::Text() : Underlined(preedit);
    const bool client = ShowsClientPreedit(ic);
    panel.setClientPreedit(client ? shown : fcitx::Text());
    panel.setPreedit(client ? fcitx::Text() : shown);
    showCandidates(ic, engine);
    ic->updatePreedit();
    ic->updateUserInterface(fcitx::UserInterfaceComponent::InputPanel);
}

// A row already shown only moves its selection; a new row is built from texts made once.
void KalvoEngine::showCandidates(fcitx::InputContext *ic, const ImeEngine &engine)
{
    fcitx::InputPanel &panel = ic->inputPanel();
    KalvoContext *context = ic->propertyFor(&m_contexts);
    const std::vector<ImeEngine::Candidate> row = engine.candidates();
    const QString symbols = engine.candidateSymbols();
    auto *shown = dynamic_cast<fcitx::CommonCandidateList *>(panel.candidateList().get());
    if (row.empty()) {
        panel.setCandidateList(nullptr);
    } else if (shown && symbols == context->shownRow) {
        shown->setGlobalCursorIndex(engine.selectedCandidate());
    } else {
        auto list = std::make_unique<fcitx::CommonCandidateList>();
        list->setPageSize(IpaSlotCount);
        list->setLabels({"1. ", "2. ", "3. ", "4. ", "5. ", "6. ", "7. ", "8. ", "9. ", "0. "});
        list->setLayoutHint(fcitx::CandidateLayoutHint::Vertical);
        for (int i = 0; i < int(row.size()); ++i)
            list->append<KalvoCandidate>(this, i, candidateText(row[i]));
        list->setGlobalCursorIndex(engine.selectedCandidate());
        panel.setCandidateList(std::move(list));
    }
    context->shownRow = symbols;
}

const fcitx::Text &KalvoEngine::candidateText(const ImeEngine::Candidate &candidate)
{
    auto found = m_candidateTexts.find(candidate.symbol);
    if (found == m_candidateTexts.end()) {
        fcitx::Text text(candidate.label.toStdString());
        text.append("  ");
        text.append(candidate.comment.toStdString());
        found = m_candidateTexts.insert(candidate.symbol, std::move(text));
    }
    return *found;
}
