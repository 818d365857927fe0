#include "platform/net/http_url.h"

#include <gtest/gtest.h>

namespace {

TEST(HttpUrl, SplitsHostPortAndEncodedPath) {
  const struct {
    const char* url;
    const char* host;
    unsigned port;
    const char* path;
  } cases[] = {
      {"http://127.0.0.1:8080/U/updates.ini", "127.0.0.1", 8080, "/U/updates.ini"},
      {"HTTP://Example.test/a", "Example.test", 80, "/a"},
      {"http://localhost", "localhost", 80, "/"},
      {"http://localhost?x=1", "localhost", 80, "/?x=1"},
      // Folder-like URLs: every "\" is a "/", but never the second byte of a GBK character.
      {"http://h\\U\\updates.ini", "h", 80, "/U/updates.ini"},
      {"http://h/U//bin//app.ex_", "h", 80, "/U//bin//app.ex_"},
      {"http://h/a\\\x81\x5C.txt", "h", 80, "/a/%81\\.txt"},
      // Only blank, control bytes, "#" and bytes from 0x80 are encoded, in capitals.
      {"http://h/dir name/a b.txt", "h", 80, "/dir%20name/a%20b.txt"},
      {"http://h/\xB8\xFC\xD0\xC2/\xCE\xC4.txt", "h", 80, "/%B8%FC%D0%C2/%CE%C4.txt"},
      {"http://h/a#1\t\x7F\x01", "h", 80, "/a%231%09%7F%01"},
      {"http://h/100%25/~a+b;c=d&e@f", "h", 80, "/100%25/~a+b;c=d&e@f"},
      {"http://h/x ", "h", 80, "/x%20"},
  };
  for (const auto& c : cases) {
    HttpUrl parsed;
    std::string error;
    ASSERT_TRUE(ParseHttpUrl(c.url, parsed, error)) << c.url << ": " << error;
    EXPECT_EQ(parsed.host, c.host) << c.url;
    EXPECT_EQ(parsed.port, c.port) << c.url;
    EXPECT_EQ(parsed.path, c.path) << c.url;
  }
}

TEST(HttpUrl, RefusesWhatItCannotSendWithAReason) {
  for (const char* url : {"", "127.0.0.1/x", " http://h/x", "https://h/x", "ftp://h/x", "http://",
                          "http:///x", "http://h:/x", "http://h:0/x", "http://h:65536/x",
                          "http://h:8o/x", "http://user@h/x", "http://[::1]/x",
                          "http://\xB8\xFC\xD0\xC2/x"}) {
    HttpUrl parsed;
    std::string error;
    EXPECT_FALSE(ParseHttpUrl(url, parsed, error)) << url;
    EXPECT_FALSE(error.empty()) << url;
  }
}

}  // namespace
