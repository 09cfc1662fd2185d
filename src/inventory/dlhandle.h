// Owned dynamic-loader handle: unloaded when it goes out of scope.
#pragma once

#include <dlfcn.h>

#include <memory>

struct DlCloser {
    void operator()(void *handle) const { dlclose(handle); }
};
using DlHandle = std::unique_ptr<void, DlCloser>;

// Looks up a symbol and converts it to the function pointer type F.
template <typename F>
F DlFunction(void *handle, const char *symbol)
{
    return handle ? reinterpret_cast<F>(dlsym(handle, symbol)) : nullptr;
}
