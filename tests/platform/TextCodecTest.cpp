#include "platform/TextCodec.h"

#include "support/DataTable.h"

#include <gtest/gtest.h>

// Overlong forms, surrogates, code points past U+10FFFF, stray continuation
// bytes and sequences cut off by the end.
TEST(TextCodec, InvalidUtf8BecomesOneReplacementPerBadByte) {
    for (const DataRow& c : CDataTable::Read("utf8-sanitize.txt"))
        EXPECT_EQ(CTextCodec::SanitizeUtf8(c[0]), c[1]) << c.where;
}
