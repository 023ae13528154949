// Latin-1 and UTF-8, and choosing one language from a multilingual literal.
#include <gtest/gtest.h>

#include "dtmhost/host.h"

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
      "Delay Read  |de|Lese-Verzögerung  |fr|Retard de lecture  |it|Delay Read (Ritardo di lettura)";
  struct Case {
    std::string text, language, expected;
  };
  const Case cases[] = {
      {label, "en", "Delay Read"},
      {label, "de", "Lese-Verzögerung"},
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
