// Latin-1 and UTF-8, and choosing one language from a multilingual literal.
#include <gtest/gtest.h>

#include <string_view>

#include "dtmhost/host.h"
#include "module/latin1.h"

namespace {

TEST(Text, Latin1RoundTripsThroughUtf8) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  std::string back;
  ASSERT_TRUE(dtmhost::Latin1(dtmhost::Utf8(all), &back));
  EXPECT_EQ(back, all);
  EXPECT_EQ(dtmhost::Utf8("Men\xFC"), "Men\xC3\xBC");
  EXPECT_FALSE(dtmhost::Latin1("\xE2\x82\xAC", &back));  // the euro sign has no Latin-1 byte
  EXPECT_FALSE(dtmhost::Latin1("\xC3", &back));          // cut short
}

// The plug-in's texts are converted while compiling, so any slip shows as wrong bytes
// or a wrong length here.
static_assert(sizeof("\u00B0C"_latin1) == 3 && "\u00B0C"_latin1[0] == '\xB0' && "\u00B0C"_latin1[1] == 'C');

// The whole array, embedded NULs included.
template <std::size_t N>
std::string_view Bytes(const char (&text)[N]) {
  return {text, N - 1};
}

TEST(Text, Latin1LiteralsAreTheLatin1Bytes) {
  struct Case {
    std::string_view converted, expected;
  };
  const Case cases[] = {
      {Bytes("°C"_latin1), Bytes("\xB0" "C")},
      {Bytes("Gerät  "_latin1), Bytes("Ger\xE4t  ")},  // trailing blanks kept
      {Bytes("\u0080 ÿ"_latin1), Bytes("\x80 \xFF")},  // both ends of the two-byte range
      {Bytes("a\0ü"_latin1), Bytes("a\0\xFC")},
      {Bytes("Menü " "Gerät"_latin1), Bytes("Men\xFC Ger\xE4t")},  // one suffix converts the whole run
  };
  for (const Case& c : cases) EXPECT_EQ(c.converted, c.expected) << dtmhost::Utf8(std::string(c.expected));
}

TEST(Text, UnquoteReversesTheJournalQuoting) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  for (const std::string& text : {all, std::string(""), std::string("Relay 1 \n  Relay 2 \n  "), std::string("\\x41")})
    EXPECT_EQ(dtmhost::Unquote(ddlib::quote(text)), text);
  for (const char* notQuoted : {"0", "status=int 0", "\"", "\"a\"b\"", "\"\\q\"", "\"\\x4\""})
    EXPECT_FALSE(dtmhost::Unquote(notQuoted)) << notQuoted;
}

TEST(Text, SegmentPicksOneLanguage) {
  const std::string label =
      "Delay Read  |de|Lese-Verzögerung  |fr|Retard de lecture  |it|Delay Read (Ritardo di lettura)"_latin1;
  struct Case {
    std::string text, language, expected;
  };
  const Case cases[] = {
      {label, "en", "Delay Read"},
      {label, "de", "Lese-Verzögerung"_latin1},
      {label, "it", "Delay Read (Ritardo di lettura)"},  // last segment: nothing cut
      {label, "es", "Delay Read"},                       // missing: English
      {"pH/ORP|de|pH/Redox", "de", "pH/Redox"},          // marker right after the text
      {"|en|QN-701", "en", "QN-701"},
      {"|en|QN-701", "fr", "QN-701"},
      {"pH", "de", "pH"},
      {"V1H0   Mode   |de|V1H0   Betriebsart", "en", "V1H0   Mode "},  // only the closing blanks go
      {"a|b|c", "de", "a|b|c"},  // not a marker
      {"", "en", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.language);
    EXPECT_EQ(dtmhost::Segment(c.text, c.language), c.expected);
  }
}

}  // namespace
