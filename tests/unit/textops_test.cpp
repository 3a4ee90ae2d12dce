#include "editing/textops.h"

#include <gtest/gtest.h>

using namespace sx;

TEST(FindInText, LimitAndNotFound)
{
    EXPECT_EQ(FindInText(u"abc", u"a", 1, 0, false, false), -1);
    EXPECT_EQ(FindInText(u"abc", u"x", 1, 1, false, false), 0);
    EXPECT_EQ(FindInText(u"abc", u"x", 1, 3, false, false), 0);
}
