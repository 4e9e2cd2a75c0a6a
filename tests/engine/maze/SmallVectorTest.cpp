#include "engine/maze/SmallVector.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

using Small = Maze::SmallVector<int, 4>;

Small filled(int count, int first) {
    Small vector;
    for (int i = 0; i < count; ++i) vector.push_back(first + i);
    return vector;
}

std::vector<int> contents(const Small& vector) { return std::vector<int>(vector.begin(), vector.end()); }

std::vector<int> expected(int count, int first) {
    std::vector<int> values;
    for (int i = 0; i < count; ++i) values.push_back(first + i);
    return values;
}

// Sizes inside the object, at its limit and spilled to the heap, copied and moved into targets
// of every such size.
TEST(SmallVectorTest, CopiesAndMovesKeepTheElementsWhereverTheyLive) {
    for (int count : {0, 3, 4, 5, 11}) {
        for (int targetCount : {0, 2, 6}) {
            SCOPED_TRACE(::testing::Message() << count << " elements into " << targetCount);
            const Small source = filled(count, 10);

            Small copy(source);
            EXPECT_EQ(contents(copy), expected(count, 10));
            Small assigned = filled(targetCount, 50);
            assigned = source;
            EXPECT_EQ(contents(assigned), expected(count, 10));

            Small moveFrom = source;
            Small moved(std::move(moveFrom));
            EXPECT_EQ(contents(moved), expected(count, 10));
            EXPECT_TRUE(moveFrom.empty());
            moveFrom.push_back(7);  // still usable after the move
            EXPECT_EQ(contents(moveFrom), std::vector<int>{7});

            Small moveAssigned = filled(targetCount, 50);
            moveAssigned = std::move(moved);
            EXPECT_EQ(contents(moveAssigned), expected(count, 10));
            EXPECT_TRUE(moved.empty());

            EXPECT_EQ(contents(source), expected(count, 10));
        }
    }
}

TEST(SmallVectorTest, ReserveAndAssignKeepOrReplaceTheElements) {
    Small vector = filled(3, 1);
    vector.reserve(2);
    EXPECT_EQ(vector.capacity(), 4u);
    vector.reserve(9);
    EXPECT_EQ(vector.capacity(), 9u);
    EXPECT_EQ(contents(vector), expected(3, 1));
    vector.assign(6, 8);
    EXPECT_EQ(contents(vector), std::vector<int>(6, 8));
    vector.clear();
    EXPECT_TRUE(vector.empty());
}

}  // namespace
