#include "imeswitch.h"

#include "core/ulib.h"
#include "keytables.h"

#include <map>

namespace {

// The program's own backend: the active identifier, which the Russian fields consult.
class EngineLayouts final : public KeyboardLayouts {
public:
    QString currentLayoutName() const override { return m_active; }
    void activateLayout(const QString &identifier) override { m_active = identifier; }

private:
    QString m_active = JapaneseLayoutId;
};

EngineLayouts &engineLayouts()
{
    static EngineLayouts layouts;
    return layouts;
}

KeyboardLayouts *g_layouts = nullptr;
std::map<int, std::function<void()>> g_listeners;
int g_nextListener = 1;

KeyboardLayouts &layouts()
{
    return g_layouts ? *g_layouts : engineLayouts();
}

void activate(const QString &identifier)
{
    layouts().activateLayout(identifier);
    // A listener may remove itself while being called.
    const auto listeners = g_listeners;
    for (const auto &[id, listener] : listeners)
        listener();
}

} // namespace

QString GetCurrentKLName()
{
    return layouts().currentLayoutName();
}

void LoadGaIme()
{
    const RussianLayout *layout = LayoutByIndex(Usr.RusImeIndex);
    if (layout && layout->identifier != GetCurrentKLName())
        activate(layout->identifier);
}

void LoadInitIme()
{
    activate(JapaneseLayoutId);
}

int ActiveRussianLayout()
{
    const QString active = GetCurrentKLName();
    for (int index = 1; index <= 3; ++index) {
        if (LayoutByIndex(index)->identifier == active)
            return index;
    }
    return 0;
}

void SetKeyboardLayouts(KeyboardLayouts *backend)
{
    g_layouts = backend;
}

int AddLayoutListener(std::function<void()> listener)
{
    g_listeners.emplace(g_nextListener, std::move(listener));
    return g_nextListener++;
}

void RemoveLayoutListener(int id)
{
    g_listeners.erase(id);
}
