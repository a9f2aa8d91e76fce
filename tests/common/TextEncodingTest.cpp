#include "common/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

namespace zv {
namespace {

TEST(Utf8Validity, tellsWellFormedUtf8FromOtherBytes)
{
    const struct {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"", true}, {"TIMERSET", true}, {"\xD0\x9A\xD0\x90\xD0\x9C\xD0\x95\xD0\xA0\xD0\x90", true},
        {"\xF0\x9F\x93\xB7", true}, {"\xCA\xC0\xCC\xC5\xD0\xC0", false}, // Cyrillic in the Windows code page
        {"a\x80", false}, // a lone continuation byte
        {"\xC0\xAF", false}, // overlong forms
        {"\xE0\x80\xAF", false}, {"\xED\xA0\x80", false}, // a surrogate
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
        {"\xE2\x82", false}, // cut short
    };
    for (const auto& c : cases)
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
}

TEST(ReadableUtf8, keepsUtf8AndReadsOtherBytesAsTheRussianWindowsCodePage)
{
    const struct {
        std::string bytes;
        std::string readable;
    } cases[] = {
        {"TAG", "TAG"}, {"\xD0\x9A\xD0\x90\xD0\x9C\xD0\x95\xD0\xA0\xD0\x90", "КАМЕРА"},
        {"\xCA\xC0\xCC\xC5\xD0\xC0", "КАМЕРА"}, {"\xE0\xFF \xA8\xB8\xB9", "ая Ёё№"},
        {"\x98", "\xEF\xBF\xBD"}, // unassigned in the code page
    };
    for (const auto& c : cases)
        EXPECT_EQ(readableUtf8(c.bytes), c.readable) << c.bytes;
}

} // namespace
} // namespace zv
