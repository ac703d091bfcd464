#include "platform/process.h"

#include <cstdio>
#include <cstdlib>

namespace orvela {
namespace {
std::function<void()>& hook() {
    static std::function<void()> h;
    return h;
}
}  // namespace

void endProcessNow() {
    if (hook()) hook()();
    std::fflush(nullptr);
    std::_Exit(0);
}

void setEndProcessHook(std::function<void()> h) { hook() = std::move(h); }

}  // namespace orvela
