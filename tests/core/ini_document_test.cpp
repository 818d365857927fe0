#include "core/ini_document.h"

#include <gtest/gtest.h>

namespace {

struct ReadCase {
  const char* what;
  std::string file;
  std::string section;
  std::string key;
  std::optional<std::string> expected;
};

TEST(IniDocument, ReadingRules) {
  const std::string longValue(3000, 'x');
  // A value of 2046 ASCII bytes and a double-byte character would end at byte 2048: the whole
  // character is left out rather than cut in half.
  const std::string straddling = std::string(2046, 'y') + "\xB0\xA1";
  const ReadCase cases[] = {
      {"plain", "[Common]\r\nKey=value\r\n", "Common", "Key", "value"},
      {"blanks around", "[Common]\nKey =  value  \n", "Common", "Key", "value"},
      {"double quotes", "[Common]\nKey=\" a b \"\n", "Common", "Key", " a b "},
      {"single quotes", "[Common]\nKey='x'\n", "Common", "Key", "x"},
      {"one pair only", "[Common]\nKey=\"\"x\"\"\n", "Common", "Key", "\"x\""},
      {"unmatched quote", "[Common]\nKey=\"x\n", "Common", "Key", "\"x"},
      {"mixed quotes", "[Common]\nKey=\"x'\n", "Common", "Key", "\"x'"},
      {"empty value", "[Common]\nKey=\n", "Common", "Key", ""},
      {"absent key", "[Common]\nOther=1\n", "Common", "Key", std::nullopt},
      {"absent section", "[Other]\nKey=1\n", "Common", "Key", std::nullopt},
      {"first equals splits", "[C]\nKey=a=b\n", "C", "Key", "a=b"},
      {"section case", "[common]\nKey=1\n", "COMMON", "Key", "1"},
      {"key case", "[C]\nserverurl0=u\n", "C", "ServerUrl0", "u"},
      {"duplicate key", "[C]\nKey=first\nKey=second\n", "C", "Key", "first"},
      {"duplicate section", "[C]\nA=1\n[C]\nKey=2\n", "C", "Key", std::nullopt},
      {"comment", "[C]\n;Key=1\n", "C", "Key", std::nullopt},
      {"blanks in header", "  [ C ]  \nKey=1\n", "C", "Key", "1"},
      {"lf only, no final line end", "[C]\nKey=1", "C", "Key", "1"},
      {"before any section", "Key=1\n[C]\n", "C", "Key", std::nullopt},
      {"utf-8 mark before first header", "\xEF\xBB\xBF[C]\nKey=1\n", "C", "Key", "1"},
      {"cut at 2047", "[C]\nKey=" + longValue + "\n", "C", "Key", std::string(2047, 'x')},
      {"no half character", "[C]\nKey=" + straddling + "\n", "C", "Key", std::string(2046, 'y')},
      {"trail byte backslash", "[C]\nKey=C:\\\x81\x5C\\\n", "C", "Key", "C:\\\x81\x5C\\"},
      {"lead byte before equals", "[C]\nKey=\x81=\x81\x5C\n", "C", "Key", "\x81=\x81\x5C"},
      {"gbk key", "[C]\n\xC3\xFB\xB3\xC6=\xD6\xB5\n", "C", "\xC3\xFB\xB3\xC6", "\xD6\xB5"},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(IniDocument::Parse(c.file).Value(c.section, c.key), c.expected) << c.what;
  }
}

TEST(IniDocument, SectionCountsOnlyWithAKey) {
  struct Case {
    std::string file;
    bool exists;
  } cases[] = {
      {"[Common]\r\n", false},
      {"[Common]\r\n\r\n; only a comment\r\n[ServerList]\r\nServerCount=0\r\n", false},
      {"[Common]\r\nKey=\r\n", true},
      {"[Common]\r\nno equals sign\r\n", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IniDocument::Parse(c.file).SectionExists("Common"), c.exists) << c.file;
}

TEST(IniDocument, UntouchedTextRoundTripsByteForByte) {
  const std::string text = "; publisher's note\r\n[Common]\r\nA = 1\r\n\r\nodd line\n[X]\nB=2";
  EXPECT_EQ(IniDocument::Parse(text).Serialize(), text);
}

TEST(IniDocument, WritesReplaceInPlaceOrAppend) {
  struct Case {
    const char* what;
    std::string before;
    std::string section, key, value;
    std::string after;
  } cases[] = {
      {"replace keeps spelling and neighbours", "; c\r\n[Common]\r\nsavedpath = old\r\nB=2\r\n",
       "COMMON", "SavedPath", "new", "; c\r\n[Common]\r\nsavedpath=new\r\nB=2\r\n"},
      {"append after the last key, before blank lines", "[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n", "A",
       "Z", "3", "[A]\r\nX=1\r\nZ=3\r\n\r\n[B]\r\nY=2\r\n"},
      {"append into a header without keys", "[A]\n[B]\nY=2\n", "A", "Z", "3",
       "[A]\nZ=3\n[B]\nY=2\n"},
      {"append the section with the file's line ends", "[A]\nX=1\n", "ServerList",
       "ServerCount", "0", "[A]\nX=1\n\n[ServerList]\nServerCount=0\n"},
      {"append to a last line without end", "[A]\nX=1", "A", "Y", "2", "[A]\nX=1\nY=2\n"},
      {"new file", "", "ServerList", "ServerCount", "0", "[ServerList]\r\nServerCount=0\r\n"},
      {"first of duplicates", "[A]\nX=1\nX=2\n", "A", "X", "9", "[A]\nX=9\nX=2\n"},
      {"gbk value kept as bytes", "[A]\nX=1\n", "A", "X", "\xB0\xA1\x81\x5C",
       "[A]\nX=\xB0\xA1\x81\x5C\n"},
  };
  for (const auto& c : cases) {
    IniDocument doc = IniDocument::Parse(c.before);
    ASSERT_TRUE(doc.SetValue(c.section, c.key, c.value)) << c.what;
    EXPECT_EQ(doc.Serialize(), c.after) << c.what;
    EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Value(c.section, c.key), c.value) << c.what;
  }
}

TEST(IniDocument, LookupsAfterWritesSeeTheShiftedLines) {
  IniDocument doc = IniDocument::Parse("[A]\nX=1\n[B]\nY=2\n");
  ASSERT_TRUE(doc.SetValue("A", "Z", "3"));  // inserted before [B]: later lines move down
  EXPECT_EQ(doc.Value("B", "Y"), "2");
  EXPECT_EQ(doc.Value("A", "Z"), "3");
  ASSERT_TRUE(doc.SetValue("B", "Y", "4"));
  ASSERT_TRUE(doc.SetValue("C", "W", "5"));
  EXPECT_EQ(doc.Value("b", "y"), "4");
  EXPECT_EQ(doc.Value("C", "W"), "5");
  EXPECT_EQ(doc.KeyNames("A"), (std::vector<std::string>{"X", "Z"}));
  EXPECT_EQ(doc.Serialize(), "[A]\nX=1\nZ=3\n[B]\nY=4\n\n[C]\nW=5\n");
}

TEST(IniDocument, RefusesWritesThatWouldBreakTheFile) {
  const std::string before = "[A]\r\nX=1\r\n";
  struct Case {
    std::string section, key, value;
  } cases[] = {
      {"A", "X", "1\r\nInjected=1"},
      {"A", "X", std::string("a\0b", 3)},
      {"A", "K=V", "1"},
      {"A", "", "1"},
      {"A", ";X", "1"},
      {"A]", "X", "1"},
      {"", "X", "1"},
      {"A\n", "X", "1"},
  };
  for (const auto& c : cases) {
    IniDocument doc = IniDocument::Parse(before);
    EXPECT_FALSE(doc.SetValue(c.section, c.key, c.value)) << c.key << c.value;
    EXPECT_EQ(doc.Serialize(), before);
  }
}

}  // namespace
