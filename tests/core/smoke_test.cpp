#include "schema/schema.h"

#include <gtest/gtest.h>

TEST(Schema, FindsTablesIgnoringCase)
{
    EXPECT_NE(kv::schema::findTable(u"usergegevens"), nullptr);
}
