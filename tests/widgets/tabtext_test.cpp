#include "tabtext.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TabTextBlock Block(std::initializer_list<QStringList> rows) {
    return TabTextBlock(rows);
}

TEST(TabText, ReadsRowsAndCellsWithEitherLineEnd) {
    EXPECT_EQ(ParseTabText("1\t2\r\n3\t4\r\n"), Block({{"1", "2"}, {"3", "4"}}));
    EXPECT_EQ(ParseTabText("1\t2\n3\t4\n"), Block({{"1", "2"}, {"3", "4"}}));
    EXPECT_EQ(ParseTabText("1\t2\r3\t4"), Block({{"1", "2"}, {"3", "4"}}));
    // Only one trailing line end is dropped; an empty line inside is a row.
    EXPECT_EQ(ParseTabText("a\n\nb\n"), Block({{"a"}, {""}, {"b"}}));
    EXPECT_EQ(ParseTabText("a\n\n"), Block({{"a"}, {""}}));
    EXPECT_TRUE(ParseTabText("").isEmpty());
}

TEST(TabText, KeepsEmptyCells) {
    EXPECT_EQ(ParseTabText("\t\tx\t"), Block({{"", "", "x", ""}}));
    EXPECT_EQ(ParseTabText("\t"), Block({{"", ""}}));
}

TEST(TabText, QuotedCellsHoldTabsLineEndsAndQuotes) {
    EXPECT_EQ(ParseTabText("\"a\tb\"\tc\r\n"), Block({{"a\tb", "c"}}));
    EXPECT_EQ(ParseTabText("\"two\r\nlines\"\tx\r\ny\r\n"), Block({{"two\r\nlines", "x"}, {"y"}}));
    EXPECT_EQ(ParseTabText("\"say \"\"hi\"\"\""), Block({{"say \"hi\""}}));
    // A quote inside a cell is plain text; an unclosed quote keeps the rest.
    EXPECT_EQ(ParseTabText("5\" pipe\tx"), Block({{"5\" pipe", "x"}}));
    EXPECT_EQ(ParseTabText("\"open\tcell"), Block({{"open\tcell"}}));
}

TEST(TabText, FormattedBlocksReadBackUnchanged) {
    const TabTextBlock block =
        Block({{"Jan  1, 1990", "", "1e-05"}, {"a\tb", "\"quoted\"", "line\nend"}, {"", "", ""}});
    const QString text = FormatTabText(block);
    EXPECT_TRUE(text.endsWith("\r\n"));
    EXPECT_EQ(ParseTabText(text), block);
    EXPECT_EQ(FormatTabText(Block({{"1", "2"}, {"3", "4"}})), "1\t2\r\n3\t4\r\n");
}

} // namespace
} // namespace korva
