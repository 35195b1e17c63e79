#pragma once

#include <cstdlib>
#include <memory>

// An xcb reply or error, which the caller owns and frees with free().
struct X11FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using X11Reply = std::unique_ptr<T, X11FreeDeleter>;
