#include "conversion/ScriptText.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

TEST(ScriptTextTest, AddQuotesEscapesNothingInside) {
    EXPECT_EQ(AddQuotes("Battle Theme.WAV"), "\"Battle Theme.WAV\"");
    EXPECT_EQ(AddQuotes(""), "\"\"");
    EXPECT_EQ(AddQuotes("100%"), "\"100%\"");
}

TEST(ScriptTextTest, UnquotedTextHasOperatorsCaretEscapedAndPercentDoubled) {
    EXPECT_EQ(EscapeForUnquotedUse("C:\\Tools\\Conv"), "C:\\Tools\\Conv");
    EXPECT_EQ(EscapeForUnquotedUse("/srv/R&B|x<y>z^w 50%"), "/srv/R^&B^|x^<y^>z^^w 50%%");
    EXPECT_EQ(EscapeForUnquotedUse("(a) !b"), "(a) !b");
}

TEST(ScriptTextTest, QuotedTextOnlyDoublesPercent) {
    EXPECT_EQ(EscapeForQuotedUse("%a%&^!"), "%%a%%&^!");
}

TEST(ScriptTextTest, DoubleQuotesAndControlCharactersCannotBeCarried) {
    EXPECT_TRUE(ScriptSyntaxCanCarry("Caf\xC3\xA9 & 100% (Live) ^!.mp3"));
    EXPECT_TRUE(ScriptSyntaxCanCarry(""));
    for (const char* bad :
         {"a\"b.mp3", "a\rb.mp3", "a\nb.mp3", "a\tb.mp3", "a\x1b.mp3", "a\x7f.mp3"}) {
        EXPECT_FALSE(ScriptSyntaxCanCarry(bad)) << bad;
    }
}

} // namespace
} // namespace vq3
