#include "engine/maze/SmallVector.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

using Small = Maze::SmallVector<int, 4>;

Small filled(int count, int first) {
    Small l_vector;
    for (int l_i = 0; l_i < count; ++l_i) l_vector.push_back(first + l_i);
    return l_vector;
}

std::vector<int> contents(const Small& vector) { return std::vector<int>(vector.begin(), vector.end()); }

std::vector<int> expected(int count, int first) {
    std::vector<int> l_values;
    for (int l_i = 0; l_i < count; ++l_i) l_values.push_back(first + l_i);
    return l_values;
}

// Sizes inside the object, at its limit and spilled to the heap, copied and moved into targets
// of every such size.
TEST(SmallVectorTest, CopiesAndMovesKeepTheElementsWhereverTheyLive) {
    for (int l_count : {0, 3, 4, 5, 11}) {
        for (int l_targetCount : {0, 2, 6}) {
            SCOPED_TRACE(::testing::Message() << l_count << " elements into " << l_targetCount);
            const Small l_source = filled(l_count, 10);

            Small l_copy(l_source);
            EXPECT_EQ(contents(l_copy), expected(l_count, 10));
            Small l_assigned = filled(l_targetCount, 50);
            l_assigned = l_source;
            EXPECT_EQ(contents(l_assigned), expected(l_count, 10));

            Small l_moveFrom = l_source;
            Small l_moved(std::move(l_moveFrom));
            EXPECT_EQ(contents(l_moved), expected(l_count, 10));
            EXPECT_TRUE(l_moveFrom.empty());
            l_moveFrom.push_back(7);  // still usable after the move
            EXPECT_EQ(contents(l_moveFrom), std::vector<int>{7});

            Small l_moveAssigned = filled(l_targetCount, 50);
            l_moveAssigned = std::move(l_moved);
            EXPECT_EQ(contents(l_moveAssigned), expected(l_count, 10));
            EXPECT_TRUE(l_moved.empty());

            EXPECT_EQ(contents(l_source), expected(l_count, 10));
        }
    }
}

TEST(SmallVectorTest, ReserveAndAssignKeepOrReplaceTheElements) {
    Small l_vector = filled(3, 1);
    l_vector.reserve(2);
    EXPECT_EQ(l_vector.capacity(), 4u);
    l_vector.reserve(9);
    EXPECT_EQ(l_vector.capacity(), 9u);
    EXPECT_EQ(contents(l_vector), expected(3, 1));
    l_vector.assign(6, 8);
    EXPECT_EQ(contents(l_vector), std::vector<int>(6, 8));
    l_vector.clear();
    EXPECT_TRUE(l_vector.empty());
}

}  // namespace
