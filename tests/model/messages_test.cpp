#include "model/messages.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(Messages, ScopedSinkCollectsAndRestores) {
    CollectingMessageSink outer;
    ScopedMessageSink useOuter(outer);
    {
        CollectingMessageSink inner;
        ScopedMessageSink useInner(inner);
        ShowMessage("Can't delete last row.");
        ASSERT_EQ(inner.messages.size(), 1u);
        EXPECT_EQ(inner.messages[0], "Can't delete last row.");
    }
    ShowMessage("after");
    ASSERT_EQ(outer.messages.size(), 1u);
    EXPECT_EQ(outer.messages[0], "after");
}

} // namespace
} // namespace korva
