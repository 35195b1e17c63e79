// A native Wayland program with one text field, typed into through the compositor's text input
// (text-input-v1, which Weston offers to its input method): every committed text is added to
// the field, and the field is printed as "1:<text>" on a line of its own; "active" once the
// compositor has activated the field.
#include "text-input-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <wayland-client.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 120;

struct Client {
    wl_compositor *compositor = nullptr;
    wl_shm *shm = nullptr;
    xdg_wm_base *shell = nullptr;
    wl_seat *seat = nullptr;
    zwp_text_input_manager_v1 *textInputs = nullptr;
    wl_surface *surface = nullptr;
    wl_buffer *buffer = nullptr;
    zwp_text_input_v1 *textInput = nullptr;
    std::string text;
};

template <typename T>
T *bind(wl_registry *registry, uint32_t name, const wl_interface *interface, uint32_t version)
{
    return static_cast<T *>(wl_registry_bind(registry, name, interface, version));
}

void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    auto *client = static_cast<Client *>(data);
    const std::string wanted = interface;
    if (wanted == wl_compositor_interface.name)
        client->compositor = bind<wl_compositor>(registry, name, &wl_compositor_interface, 1);
    else if (wanted == wl_shm_interface.name)
        client->shm = bind<wl_shm>(registry, name, &wl_shm_interface, 1);
    else if (wanted == xdg_wm_base_interface.name)
        client->shell = bind<xdg_wm_base>(registry, name, &xdg_wm_base_interface, 1);
    else if (wanted == wl_seat_interface.name)
        client->seat = bind<wl_seat>(registry, name, &wl_seat_interface, 1);
    else if (wanted == zwp_text_input_manager_v1_interface.name)
        client->textInputs = bind<zwp_text_input_manager_v1>(
            registry, name, &zwp_text_input_manager_v1_interface, 1);
}

void globalRemove(void *, wl_registry *, uint32_t) {}

const wl_registry_listener kRegistry = {global, globalRemove};

void ping(void *, xdg_wm_base *shell, uint32_t serial)
{
    xdg_wm_base_pong(shell, serial);
}

const xdg_wm_base_listener kShell = {ping};

// A white field: one buffer of shared memory.
wl_buffer *whiteBuffer(wl_shm *shm)
{
    const int stride = kWidth * 4;
    const int size = stride * kHeight;
    const int fd = memfd_create("kalvo-wayland-client", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) != 0)
        return nullptr;
    void *pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    std::memset(pixels, 0xff, size);
    munmap(pixels, size);
    wl_shm_pool *pool = wl_shm_create_pool(shm, fd, size);
    wl_buffer *buffer =
        wl_shm_pool_create_buffer(pool, 0, kWidth, kHeight, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

void configure(void *data, xdg_surface *surface, uint32_t serial)
{
    auto *client = static_cast<Client *>(data);
    xdg_surface_ack_configure(surface, serial);
    wl_surface_attach(client->surface, client->buffer, 0, 0);
    wl_surface_damage(client->surface, 0, 0, kWidth, kHeight);
    wl_surface_commit(client->surface);
}

const xdg_surface_listener kSurface = {configure};

void report(const Client &client)
{
    std::printf("1:%s\n", client.text.c_str());
    std::fflush(stdout);
}

// The field takes the input method as soon as it has the keyboard.
void keyboardEnter(void *data, wl_keyboard *, uint32_t, wl_surface *, wl_array *)
{
    auto *client = static_cast<Client *>(data);
    zwp_text_input_v1_activate(client->textInput, client->seat, client->surface);
}

void keymap(void *, wl_keyboard *, uint32_t, int32_t fd, uint32_t)
{
    close(fd);
}
void keyboardLeave(void *, wl_keyboard *, uint32_t, wl_surface *) {}
void key(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t) {}
void modifiers(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}

const wl_keyboard_listener kKeyboard = {keymap, keyboardEnter, keyboardLeave,
                                        key,    modifiers,     nullptr};

void commitString(void *data, zwp_text_input_v1 *, uint32_t, const char *text)
{
    auto *client = static_cast<Client *>(data);
    client->text += text;
    report(*client);
}

// The compositor activated the field: what the input method commits comes here now.
void enter(void *, zwp_text_input_v1 *, wl_surface *)
{
    std::printf("active\n");
    std::fflush(stdout);
}
void leave(void *, zwp_text_input_v1 *) {}
void modifiersMap(void *, zwp_text_input_v1 *, wl_array *) {}
void panelState(void *, zwp_text_input_v1 *, uint32_t) {}
void preeditString(void *, zwp_text_input_v1 *, uint32_t, const char *, const char *) {}
void preeditStyling(void *, zwp_text_input_v1 *, uint32_t, uint32_t, uint32_t) {}
void preeditCursor(void *, zwp_text_input_v1 *, int32_t) {}
void cursorPosition(void *, zwp_text_input_v1 *, int32_t, int32_t) {}
void deleteSurrounding(void *, zwp_text_input_v1 *, int32_t, uint32_t) {}
void keysym(void *, zwp_text_input_v1 *, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void language(void *, zwp_text_input_v1 *, uint32_t, const char *) {}
void textDirection(void *, zwp_text_input_v1 *, uint32_t, uint32_t) {}

const zwp_text_input_v1_listener kTextInput = {
    enter,          leave,         modifiersMap,  panelState,     preeditString,
    preeditStyling, preeditCursor, commitString,  cursorPosition, deleteSurrounding,
    keysym,         language,      textDirection,
};

} // namespace

int main(int argc, char *argv[])
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "waylandclient: no Wayland display\n");
        return 1;
    }
    Client client;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistry, &client);
    wl_display_roundtrip(display);
    if (!client.compositor || !client.shm || !client.shell || !client.seat || !client.textInputs) {
        std::fprintf(stderr, "waylandclient: the compositor lacks a needed interface\n");
        return 1;
    }
    xdg_wm_base_add_listener(client.shell, &kShell, &client);
    client.buffer = whiteBuffer(client.shm);
    client.surface = wl_compositor_create_surface(client.compositor);
    xdg_surface *shellSurface = xdg_wm_base_get_xdg_surface(client.shell, client.surface);
    xdg_surface_add_listener(shellSurface, &kSurface, &client);
    xdg_toplevel *toplevel = xdg_surface_get_toplevel(shellSurface);
    xdg_toplevel_set_title(toplevel, argc > 1 ? argv[1] : "kalvo-wayland-client");
    client.textInput = zwp_text_input_manager_v1_create_text_input(client.textInputs);
    zwp_text_input_v1_add_listener(client.textInput, &kTextInput, &client);
    wl_keyboard_add_listener(wl_seat_get_keyboard(client.seat), &kKeyboard, &client);
    wl_surface_commit(client.surface);
    while (wl_display_dispatch(display) != -1) {
    }
    return 0;
}
