#include "program/stack.h"

#include <stdexcept>

namespace orvela {

void clear(stacknode*& stack) {
    while (stack) {
        stacknode* top = stack;
        stack = top->below;
        delete top;
    }
}

void push(std::int32_t value, stacknode*& stack) { stack = new stacknode{value, stack}; }

void pop(std::int32_t& out, stacknode*& stack) {
    if (!stack) throw std::logic_error("pop from an empty return stack");
    stacknode* top = stack;
    out = top->value;
    stack = top->below;
    delete top;
}

}  // namespace orvela
