#pragma once
// A last-in, first-out stack of return labels. A stack is the pointer to its top
// node (nullptr when empty); the operations take it by reference.
#include <cstdint>

namespace orvela {

struct stacknode {
    std::int32_t value;
    stacknode* below;
};

// Empties the stack, releasing whatever nodes are left.
void clear(stacknode*& stack);
void push(std::int32_t value, stacknode*& stack);
// Raises std::logic_error on an empty stack rather than reading through nullptr.
void pop(std::int32_t& out, stacknode*& stack);

}  // namespace orvela
