#include "program/stack.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace orvela;

namespace {

class StackTest : public ::testing::Test {
protected:
    stacknode* stack = nullptr;
    void TearDown() override { clear(stack); }
    std::int32_t popped() {
        std::int32_t out = 0;
        pop(out, stack);
        return out;
    }
};

TEST_F(StackTest, PopsInReverseOrderAndEndsEmpty) {
    push(100030, stack);
    push(40, stack);
    EXPECT_EQ(popped(), 40);
    EXPECT_EQ(popped(), 100030);
    EXPECT_EQ(stack, nullptr);
}

TEST_F(StackTest, HoldsTheWholeRangeOfLabels) {
    for (std::int32_t value : {INT32_MIN, -1, 0, INT32_MAX}) push(value, stack);
    for (std::int32_t value : {INT32_MAX, 0, -1, INT32_MIN}) EXPECT_EQ(popped(), value);
}

TEST_F(StackTest, ClearEmptiesAnyStack) {
    clear(stack);
    EXPECT_EQ(stack, nullptr);
    push(1, stack);
    push(2, stack);
    clear(stack);
    EXPECT_EQ(stack, nullptr);
    push(3, stack);
    EXPECT_EQ(popped(), 3);
    EXPECT_EQ(stack, nullptr);
}

TEST_F(StackTest, StacksAreIndependent) {
    stacknode* other = nullptr;
    push(1, stack);
    push(2, other);
    push(3, stack);
    std::int32_t out = 0;
    pop(out, other);
    EXPECT_EQ(out, 2);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(popped(), 3);
    EXPECT_EQ(popped(), 1);
}

TEST_F(StackTest, PopOnAnEmptyStackRaisesAndLeavesTheTarget) {
    std::int32_t out = 99;
    EXPECT_THROW(pop(out, stack), std::logic_error);
    EXPECT_EQ(out, 99);
    EXPECT_EQ(stack, nullptr);
}

}  // namespace
