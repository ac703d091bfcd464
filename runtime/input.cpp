#include "runtime/input.h"

#include "platform/eventpump.h"

namespace orvela {

std::string inputline;

namespace {
// Short enough that a polling program still does its work on every pass.
constexpr int kIdleWaitMs = 5;
}  // namespace

std::string getinput() {
    eventPump().processPending();
    if (inputline.empty()) eventPump().waitBriefly(kIdleWaitMs);
    std::string result;
    result.swap(inputline);
    return result;
}

}  // namespace orvela
