// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FormatText.h"

#include <gtest/gtest.h>

#include <string>

// Texts that fit the 256-byte stack buffer (with the ending zero) and texts just past it come out whole.
TEST(FormatText, LengthsAroundTheShortBufferComeOutWhole)
{
    for (const size_t length : {size_t(0), size_t(1), size_t(251), size_t(252), size_t(253), size_t(5000)}) {
        const std::string word(length, 'x');
        const std::string text = formatText("<%s>%d", word.c_str(), 42);
        EXPECT_EQ(text, "<" + word + ">42") << length;
        EXPECT_EQ(text.size(), length + 4) << length;
    }
    EXPECT_EQ(formatText("%s", ""), "");
}
