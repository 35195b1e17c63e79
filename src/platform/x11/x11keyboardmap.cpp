#include "x11keyboardmap.h"

#include "x11reply.h"

#include <xcb/xcb.h>
// xkb.h names a struct member "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace {

constexpr int maxGroups = 4;
constexpr uint8_t groupCountMask = 0x0f;
constexpr uint8_t outOfRangeMask = 0xc0;
constexpr int redirectShift = 4;

} // namespace

X11KeyboardMap X11KeyboardMap::read(xcb_connection_t *connection)
{
    X11KeyboardMap map;
    X11Reply<xcb_xkb_get_map_reply_t> reply(xcb_xkb_get_map_reply(
        connection,
        xcb_xkb_get_map(connection, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_MAP_PART_KEY_SYMS, 0, 0, 0, 0,
                        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
        nullptr));
    if (!reply || !(reply->present & XCB_XKB_MAP_PART_KEY_SYMS))
        return map;
    xcb_xkb_get_map_map_t parts;
    xcb_xkb_get_map_map_unpack(xcb_xkb_get_map_map(reply.get()), reply->nTypes, reply->nKeySyms,
                               reply->nKeyActions, reply->totalActions, reply->totalKeyBehaviors,
                               reply->virtualMods, reply->totalKeyExplicit, reply->totalModMapKeys,
                               reply->totalVModMapKeys, reply->present, &parts);
    xcb_xkb_key_sym_map_iterator_t it = xcb_xkb_get_map_map_syms_rtrn_iterator(reply.get(), &parts);
    for (int index = 0; it.rem > 0; xcb_xkb_key_sym_map_next(&it), ++index) {
        const xcb_keysym_t *syms = xcb_xkb_key_sym_map_syms(it.data);
        map.m_keys.push_back(
            {static_cast<xcb_keycode_t>(reply->firstKeySym + index), it.data->groupInfo,
             it.data->width,
             std::vector<xcb_keysym_t>(syms, syms + xcb_xkb_key_sym_map_syms_length(it.data))});
    }
    return map;
}

int X11KeyboardMap::KeySyms::groupFor(int group) const
{
    const int count = groupInfo & groupCountMask;
    if (count == 0 || width == 0)
        return -1;
    if (group < count)
        return group;
    switch (groupInfo & outOfRangeMask) {
    case XCB_XKB_GROUPS_WRAP_CLAMP_INTO_RANGE:
        return count - 1;
    case XCB_XKB_GROUPS_WRAP_REDIRECT_INTO_RANGE: {
        const int redirect = (groupInfo >> redirectShift) & 0x3;
        return redirect < count ? redirect : 0;
    }
    default:
        return group % count;
    }
}

xcb_keysym_t X11KeyboardMap::KeySyms::firstLevel(int group) const
{
    const int keyGroup = groupFor(group);
    if (keyGroup < 0)
        return XCB_NO_SYMBOL;
    const std::size_t index = static_cast<std::size_t>(keyGroup) * width;
    return index < syms.size() ? syms[index] : XCB_NO_SYMBOL;
}

std::optional<xcb_keycode_t> X11KeyboardMap::keyIn(xcb_keysym_t sym, int group) const
{
    for (const KeySyms &key : m_keys) {
        if (key.firstLevel(group) == sym)
            return key.code;
    }
    return std::nullopt;
}

std::optional<X11KeyboardMap::Key> X11KeyboardMap::find(xcb_keysym_t sym, int preferred) const
{
    if (const auto code = keyIn(sym, preferred))
        return Key{*code, preferred};
    for (int group = 0; group < maxGroups; ++group) {
        if (group == preferred)
            continue;
        if (const auto code = keyIn(sym, group))
            return Key{*code, group};
    }
    return std::nullopt;
}
