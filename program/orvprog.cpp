#include "program/orvprog.h"

#include "program/gamesteps.h"
#include "program/gamesubroutines.h"

namespace orvela {

stacknode* returnstack = nullptr;
std::int32_t returnlabel = 0;

namespace {

next runlabel(std::int32_t label, gamestate& g) {
    const step* found = findstep(label);
    return found ? found->does(g) : next{};
}

}  // namespace

void orvprog() {
    gamestate g;
    clear(returnstack);
    next following = startstep(g);
    while (following.how != next::end) {
        if (following.how == next::gosub) {
            push(following.label, returnstack);
            runsubroutine(following.sub, g);
        }
        pop(returnlabel, returnstack);
        following = runlabel(returnlabel, g);
    }
}

}  // namespace orvela
