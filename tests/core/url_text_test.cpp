#include "core/url_text.h"

#include <gtest/gtest.h>

namespace {

constexpr char kServer[] = "http://127.0.0.1:8080/rel";
// A double-byte character whose trail byte is "\".
constexpr char kTrailBackslash[] = "\x81\x5C";

TEST(UrlText, ManifestAndFileUrlsAsServersExpectThem) {
  struct Case {
    std::string url;
    std::string expected;
  } cases[] = {
      {url_text::ManifestUrl(kServer, "updates.ini"), "http://127.0.0.1:8080/rel/updates.ini"},
      {url_text::ManifestUrl(kServer, "sub\\updates.ini"),
       "http://127.0.0.1:8080/rel/sub/updates.ini"},
      {url_text::FileUrl(kServer, "bin/app.ex_"), "http://127.0.0.1:8080/rel//bin//app.ex_"},
      {url_text::FileUrl(kServer, "readme.txt"), "http://127.0.0.1:8080/rel//readme.txt"},
      {url_text::FileUrl(kServer, "a/b/c.txt"), "http://127.0.0.1:8080/rel//a//b//c.txt"},
      // A "\" in a name is sent as one "/": only "/" is doubled.
      {url_text::FileUrl(kServer, "bin\\app.ex_"), "http://127.0.0.1:8080/rel//bin/app.ex_"},
      // A server URL that already ends in "/" keeps it.
      {url_text::FileUrl("http://h/", "a.txt"), "http://h///a.txt"},
      // The server test passes its URL untrimmed.
      {url_text::ManifestUrl("http://h/u ", "updates.ini"), "http://h/u /updates.ini"},
      // Bytes stay as written; the trail byte "\" is no separator.
      {url_text::FileUrl("http://h", "更新/说明.txt"), "http://h//更新//说明.txt"},
      {url_text::FileUrl("http://h", std::string("d/") + kTrailBackslash),
       std::string("http://h//d//") + kTrailBackslash},
  };
  for (const Case& c : cases) EXPECT_EQ(c.url, c.expected);
}

TEST(UrlText, RequestLineEscapesOnlyBytesThatCannotStandRaw) {
  struct Case {
    std::string url;
    std::string sent;
  } cases[] = {
      {"http://h/a b.txt", "http://h/a%20b.txt"},
      {"http://h/a#1.txt", "http://h/a%231.txt"},
      {"http://h/a\t\x7F.txt", "http://h/a%09%7F.txt"},
      {std::string("http://h/a\0b", 12), "http://h/a%00b"},
      {url_text::FileUrl("http://h", "更新/说明.txt"), "http://h//%B8%FC%D0%C2//%CB%B5%C3%F7.txt"},
      {url_text::ManifestUrl("http://h/u ", "updates.ini"), "http://h/u%20/updates.ini"},
      // A trail byte "\" belongs to its character: not turned into "/", and sent as it is.
      {std::string("http://h\\") + kTrailBackslash + ".txt", "http://h/%81\\.txt"},
      // Trail bytes in the ASCII range stay raw; only the lead byte is escaped.
      {"http://h/\x95\x41.txt", "http://h/%95A.txt"},
      // Everything else as built, "%" and runs of "/" included.
      {"http://h//a//100%.txt?x=1&y=[2]", "http://h//a//100%.txt?x=1&y=[2]"},
      {"http://h/~a_b-c+d=e;f,g@h!$'()*", "http://h/~a_b-c+d=e;f,g@h!$'()*"},
  };
  for (const Case& c : cases) EXPECT_EQ(url_text::RequestUrl(c.url), c.sent) << c.url;
}

}  // namespace
