#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

namespace pellora {
namespace {

struct DecodeCase {
  int codePage;
  std::string bytes;
  std::string utf8;
};

const std::vector<DecodeCase>& decodeCases() {
  static const std::vector<DecodeCase> cases = {
      {1252, "\x80", "\u20AC"},
      {1252, "caf\xE9", "caf\u00E9"},
      {1252, "plain ASCII", "plain ASCII"},
      {1250, "\x8A\xE8", "\u0160\u010D"},
      {1251, "\xCF\xF0\xE8\xE2\xE5\xF2", "\u041F\u0440\u0438\u0432\u0435\u0442"},
      {1253, "\xE1\xE2", "\u03B1\u03B2"},
      {1254, "\xFD\xF0", "\u0131\u011F"},
      {1255, "\xF9", "\u05E9"},
      {1256, "\xC7", "\u0627"},
      {1257, "\xE0", "\u0105"},
      // Vietnamese: tone marks are separate combining characters in 1258.
      {1258, "Vi\xEA\xF2t", "Vi\u00EA\u0323t"},
      {1258, "\xD0\xF4ng", "\u0110\u00F4ng"},
      {874, "\xA1", "\u0E01"},
      {932, "\x82\xA0", "\u3042"},
      {932, "\x93\xFA\x96\x7B", "\u65E5\u672C"},
      {932, "A\xB1", "A\uFF71"},  // single-byte half-width katakana
      {936, "\xD6\xD0\xCE\xC4", "\u4E2D\u6587"},
      {949, "\xC7\xD1", "\uD55C"},
      {950, "\xA4\xA4", "\u4E2D"},
      {437, "\x82\x9B", "\u00E9\u00A2"},
      {850, "\x82\x9B", "\u00E9\u00F8"},
      // Not a code page: the ANSI code page (1252) decodes it.
      {12345, "\x80", "\u20AC"},
      {0, "\xE9", "\u00E9"},
      {1252, "", ""},
  };
  return cases;
}

class CodePageTest : public ::testing::Test {
 protected:
  void TearDown() override { setAnsiCodePage(1252); }
};

TEST_F(CodePageTest, DecodesEachCodePageToUtf8) {
  for (const DecodeCase& c : decodeCases()) {
    EXPECT_EQ(decodeCodePage(c.bytes, c.codePage), c.utf8) << "code page " << c.codePage;
  }
}

TEST_F(CodePageTest, WindowsCodePagesHaveConverters) {
  for (int codePage : {437, 850, 874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255,
                       1256, 1257, 1258}) {
    EXPECT_TRUE(isSupportedCodePage(codePage)) << codePage;
  }
  EXPECT_FALSE(isSupportedCodePage(12345));
}

TEST_F(CodePageTest, UnknownCodePageFollowsChosenAnsiCodePage) {
  EXPECT_EQ(ansiCodePage(), 1252);
  setAnsiCodePage(1251);
  EXPECT_EQ(ansiCodePage(), 1251);
  EXPECT_EQ(decodeCodePage("\xCF", 12345), "\u041F");
  // A known code page is not affected by the choice.
  EXPECT_EQ(decodeCodePage("\x80", 1252), "\u20AC");
  // An unusable ANSI choice still decodes, as 1252.
  setAnsiCodePage(4242);
  EXPECT_EQ(decodeCodePage("\x80", 12345), "\u20AC");
}

TEST_F(CodePageTest, ResultDoesNotDependOnLocale) {
  std::string savedLocale = std::setlocale(LC_ALL, nullptr);
  const char* savedEnv = std::getenv("LC_ALL");
  std::string savedEnvValue = savedEnv ? savedEnv : "";
  for (const char* locale : {"C", "C.UTF-8", "POSIX"}) {
    setenv("LC_ALL", locale, 1);
    std::setlocale(LC_ALL, locale);
    for (const DecodeCase& c : decodeCases()) {
      EXPECT_EQ(decodeCodePage(c.bytes, c.codePage), c.utf8)
          << "code page " << c.codePage << " under " << locale;
    }
  }
  if (savedEnv) {
    setenv("LC_ALL", savedEnvValue.c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
  std::setlocale(LC_ALL, savedLocale.c_str());
}

TEST_F(CodePageTest, LongTextConvertsWhole) {
  // Longer than one conversion piece; two-byte characters straddle pieces.
  std::string euros(10001, '\x80');
  std::string expectedEuros;
  for (int i = 0; i < 10001; ++i) expectedEuros += "\u20AC";
  EXPECT_EQ(decodeCodePage(euros, 1252), expectedEuros);

  std::string kana;
  std::string expectedKana = "x";
  kana += 'x';
  for (int i = 0; i < 5000; ++i) {
    kana += "\x82\xA0";
    expectedKana += "\u3042";
  }
  EXPECT_EQ(decodeCodePage(kana, 932), expectedKana);
}

TEST_F(CodePageTest, BrokenMultiByteTextStillDecodes) {
  // A lead byte without its trail byte, then the next value starts clean.
  std::string truncated = decodeCodePage("A\x82", 932);
  EXPECT_EQ(truncated.substr(0, 1), "A");
  EXPECT_GT(truncated.size(), 1u);
  EXPECT_EQ(decodeCodePage("\x82\xA0", 932), "\u3042");
}

struct UnicodeCase {
  std::string utf8;
  std::u16string utf16;
};

TEST(UnicodeConversionTest, WellFormedTextRoundTrips) {
  const std::vector<UnicodeCase> cases = {
      {"", u""},
      {"abc", u"abc"},
      {"\u00E9\u20AC", u"\u00E9\u20AC"},
      {"\U0001F600", u"\U0001F600"},
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const UnicodeCase& c : cases) {
    EXPECT_EQ(utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(utf16ToUtf8(c.utf16), c.utf8) << c.utf8;
  }
}

TEST(UnicodeConversionTest, IllFormedUtf8BecomesReplacementCharacters) {
  const std::vector<UnicodeCase> cases = {
      {"\xFF", u"\uFFFD"},
      {"a\xE2\x82", u"a\uFFFD"},        // truncated sequence: one replacement
      {"\xC0\xAF", u"\uFFFD\uFFFD"},    // overlong form
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {"\x80z", u"\uFFFDz"},
  };
  for (const UnicodeCase& c : cases) EXPECT_EQ(utf8ToUtf16(c.utf8), c.utf16);
}

TEST(UnicodeConversionTest, UnpairedSurrogatesBecomeReplacementCharacters) {
  const std::u16string lead(1, char16_t(0xD800));
  const std::u16string trail(1, char16_t(0xDC00));
  EXPECT_EQ(utf16ToUtf8(lead), "\uFFFD");
  EXPECT_EQ(utf16ToUtf8(u"a" + trail + u"b"), "a\uFFFDb");
  EXPECT_EQ(utf16ToUtf8(lead + u"x"), "\uFFFDx");
}

}  // namespace
}  // namespace pellora
