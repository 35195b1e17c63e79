#include "kalvoibusengine.h"

#include "ime/imeengine.h"
#include "ipa/uipa.h"

#include <QList>
#include <QString>

#include <memory>

namespace {

struct KalvoIbusEngine {
    IBusEngine parent;
    ImeEngine *engine;
    IBusLookupTable *table;
    QString *shownRow; // the symbols of the row the table holds
};

struct KalvoIbusEngineClass {
    IBusEngineClass parent;
};

KalvoIbusEngine *kalvo(IBusEngine *engine)
{
    return reinterpret_cast<KalvoIbusEngine *>(engine);
}

ImeEngine &engineOf(IBusEngine *engine)
{
    KalvoIbusEngine *self = kalvo(engine);
    if (!self->engine)
        self->engine = new ImeEngine(ImeEngine::methodNamed(ibus_engine_get_name(engine)));
    return *self->engine;
}

constexpr guint kCommandMask = IBUS_CONTROL_MASK | IBUS_MOD1_MASK | IBUS_SUPER_MASK |
                               IBUS_HYPER_MASK | IBUS_META_MASK | IBUS_MOD4_MASK;

IBusText *TextOf(const QString &text)
{
    return ibus_text_new_from_string(text.toUtf8().constData());
}

void showPreedit(IBusEngine *engine, const ImeEngine &typing)
{
    const QString preedit = typing.preedit();
    if (preedit.isEmpty()) {
        ibus_engine_hide_preedit_text(engine);
        return;
    }
    IBusText *text = TextOf(preedit);
    const guint length = guint(preedit.toUcs4().size());
    ibus_text_append_attribute(text, IBUS_ATTR_TYPE_UNDERLINE, IBUS_ATTR_UNDERLINE_SINGLE, 0,
                               length);
    // IBus commits what the application shows when its field loses the keyboard.
    ibus_engine_update_preedit_text_with_mode(engine, text, length, TRUE,
                                              IBUS_ENGINE_PREEDIT_COMMIT);
}

// A row already in the table only moves its cursor.
void showCandidates(IBusEngine *engine, const ImeEngine &typing)
{
    KalvoIbusEngine *self = kalvo(engine);
    const std::vector<ImeEngine::Candidate> row = typing.candidates();
    if (row.empty()) {
        self->shownRow->clear();
        ibus_engine_hide_lookup_table(engine);
        return;
    }
    const QString symbols = typing.candidateSymbols();
    if (symbols != *self->shownRow) {
        ibus_lookup_table_clear(self->table);
        for (const ImeEngine::Candidate &candidate : row)
            ibus_lookup_table_append_candidate(
                self->table, TextOf(candidate.label + QStringLiteral("  ") + candidate.comment));
        *self->shownRow = symbols;
    }
    ibus_lookup_table_set_cursor_pos(self->table, guint(qMax(0, typing.selectedCandidate())));
    ibus_engine_update_lookup_table(engine, self->table, TRUE);
}

void apply(IBusEngine *engine, const ImeEngine::Reply &reply)
{
    if (!reply.commit.isEmpty())
        ibus_engine_commit_text(engine, TextOf(reply.commit));
    if (reply.refresh) {
        showPreedit(engine, engineOf(engine));
        showCandidates(engine, engineOf(engine));
    }
}

gboolean processKeyEvent(IBusEngine *engine, guint keyval, guint keycode, guint state)
{
    // IBus gives the evdev code; the engine counts X11 key codes.
    const ImeEngine::Key key{keycode + 8,
                             keyval,
                             char32_t(ibus_keyval_to_unicode(keyval)),
                             bool(state & IBUS_SHIFT_MASK),
                             bool(state & IBUS_LOCK_MASK),
                             bool(state & kCommandMask),
                             bool(state & IBUS_RELEASE_MASK)};
    const ImeEngine::Reply reply = engineOf(engine).keyEvent(key);
    apply(engine, reply);
    return reply.consumed;
}

// The preedit goes out in IBUS_ENGINE_PREEDIT_COMMIT mode: IBus commits it on a focus out and
// on a reset, whether the application shows it or IBus's panel does.
void end(IBusEngine *engine, ImeEngine::Ending why)
{
    apply(engine, engineOf(engine).end(why, true));
}

void focusOut(IBusEngine *engine)
{
    end(engine, ImeEngine::Ending::FocusOut);
}

void reset(IBusEngine *engine)
{
    end(engine, ImeEngine::Ending::Reset);
}

void disable(IBusEngine *engine)
{
    end(engine, ImeEngine::Ending::Switch);
}

void candidateClicked(IBusEngine *engine, guint index, guint, guint)
{
    apply(engine, engineOf(engine).pickCandidate(int(index)));
}

void finalize(GObject *object);

} // namespace

G_DEFINE_TYPE(KalvoIbusEngine, kalvo_ibus_engine, IBUS_TYPE_ENGINE)

namespace {

void finalize(GObject *object)
{
    KalvoIbusEngine *self = reinterpret_cast<KalvoIbusEngine *>(object);
    delete self->engine;
    delete self->shownRow;
    g_object_unref(self->table);
    G_OBJECT_CLASS(kalvo_ibus_engine_parent_class)->finalize(object);
}

} // namespace

static void kalvo_ibus_engine_class_init(KalvoIbusEngineClass *klass)
{
    G_OBJECT_CLASS(klass)->finalize = finalize;
    IBusEngineClass *engine = IBUS_ENGINE_CLASS(klass);
    engine->process_key_event = processKeyEvent;
    engine->focus_out = focusOut;
    engine->reset = reset;
    engine->disable = disable;
    engine->candidate_clicked = candidateClicked;
}

static void kalvo_ibus_engine_init(KalvoIbusEngine *self)
{
    self->engine = nullptr;
    self->shownRow = new QString;
    self->table = ibus_lookup_table_new(IpaSlotCount, 0, TRUE, TRUE);
    g_object_ref_sink(self->table);
    ibus_lookup_table_set_orientation(self->table, IBUS_ORIENTATION_VERTICAL);
    for (int slot = 0; slot < IpaSlotCount; ++slot) {
        const QString label = QString::number((slot + 1) % 10) + u'.';
        ibus_lookup_table_set_label(self->table, guint(slot), TextOf(label));
    }
}
