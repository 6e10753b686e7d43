#include "finance/vat/vatboxes.h"

#include <gtest/gtest.h>

using namespace kv::finance;

// The rubric chooses the basis of its own box; the two number the 3x and 4x boxes differently.
TEST(VatBoxes, ARubricChoosesTheBasisOfItsBox)
{
    const std::pair<int, int> expected[] = {{0, 0}, {1, 1}, {2, 2},  {3, 3},  {4, 4},  {5, 5},
                                            {6, 9}, {7, 10}, {9, 6}, {10, 7}, {11, 8}, {100, 100}};
    for (const auto &[rubric, basis] : expected)
        EXPECT_EQ(basisOfRubric(rubric), basis) << rubric;
    EXPECT_EQ(rubricBox(9), QStringLiteral("3a"));
    EXPECT_EQ(basisBox(6), QStringLiteral("3a"));
    EXPECT_EQ(rubricBox(8), QString()); // no box
    EXPECT_EQ(basisOfRubric(8), -1);
}
