// The client against the test server: what goes out on the wire and what comes back.
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "core/os_file.h"
#include "tests/net/http_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;

class HttpClientTest : public HttpFixture {};

TEST_F(HttpClientTest, RequestsCarryThePathAsBuiltWithOnlyUnsafeBytesEncoded) {
  const struct {
    const char* urlPath;  // as the program builds it
    const char* target;   // what the server must receive
    const char* file;     // the served file it names ("/" between folders)
  } cases[] = {
      {"/U//bin//app.ex_", "/U//bin//app.ex_", "U/bin/app.ex_"},
      {"/U\\updates.ini", "/U/updates.ini", "U/updates.ini"},
      {"/U//sub dir//a b.txt", "/U//sub%20dir//a%20b.txt", "U/sub dir/a b.txt"},
      {"/U//\xB8\xFC\xD0\xC2//\xCE\xC4\xBC\xFE.txt", "/U//%B8%FC%D0%C2//%CE%C4%BC%FE.txt",
       "U/\xB8\xFC\xD0\xC2/\xCE\xC4\xBC\xFE.txt"},
      {"/U//\x81\x5C.dat", "/U//%81\\.dat", "U/\x81\x5C.dat"},
      {"/U//no#1.txt", "/U//no%231.txt", "U/no#1.txt"},
  };
  std::vector<std::string> expected;
  int index = 0;
  for (const auto& c : cases) {
    const std::string content = "file " + std::to_string(++index);
    Serve(c.file, content);
    std::string body;
    EXPECT_TRUE(client_.Get(server_.Url(c.urlPath), body)) << c.urlPath << ": "
                                                            << client_.LastError();
    EXPECT_EQ(body, content) << c.urlPath;
    EXPECT_TRUE(client_.Head(server_.Url(c.urlPath))) << c.urlPath;
    expected.push_back(std::string("GET ") + c.target);
    expected.push_back(std::string("HEAD ") + c.target);
  }
  EXPECT_EQ(RequestTargets(), expected);
}

TEST_F(HttpClientTest, SendsHttp11WithExactlyOurAcceptAndUserAgent) {
  Serve("a.txt", "a");
  std::string body;
  ASSERT_TRUE(client_.Get(server_.Url("/a.txt"), body)) << client_.LastError();
  ASSERT_TRUE(client_.Head(server_.Url("/a.txt"))) << client_.LastError();
  ASSERT_TRUE(client_.GetToFile(server_.Url("/a.txt"), local_.File("a.txt")));
  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 3u);
  for (const RecordedRequest& request : requests) {
    EXPECT_EQ(request.version, "HTTP/1.1");
    EXPECT_EQ(request.HeaderValues("Accept"), std::vector<std::string>{"text/html, */*"});
    EXPECT_EQ(request.HeaderValues("User-Agent"),
              std::vector<std::string>{"Mozilla/3.0 (compatible; Indy Library)"});
    EXPECT_EQ(request.HeaderValues("Host"),
              std::vector<std::string>{"127.0.0.1:" + std::to_string(server_.Port())});
  }
}

TEST_F(HttpClientTest, ReusesOneConnectionAndKeepsCookies) {
  Serve("a.txt", "a");
  server_.AddRule("path /login\nstatus 204\nheader Set-Cookie: sid=42; Path=/\n");
  std::string body;
  ASSERT_TRUE(client_.Head(server_.Url("/login"))) << client_.LastError();
  ASSERT_TRUE(client_.Get(server_.Url("/a.txt"), body)) << client_.LastError();
  ASSERT_FALSE(client_.Get(server_.Url("/missing.txt"), body));
  ASSERT_TRUE(client_.GetToFile(server_.Url("/a.txt"), local_.File("a.txt")));
  ASSERT_TRUE(client_.Head(server_.Url("/a.txt")));
  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 5u);
  for (std::size_t i = 1; i < requests.size(); ++i) {
    EXPECT_EQ(requests[i].connection, requests[0].connection) << i;
    EXPECT_EQ(requests[i].HeaderValues("Cookie"), std::vector<std::string>{"sid=42"}) << i;
  }
  EXPECT_TRUE(requests[0].HeaderValues("Cookie").empty());
}

TEST_F(HttpClientTest, HeadReportsStatusAndAnnouncedLengthWithoutProgress) {
  Serve("U/big.bin", std::string(1234567, 'x'));
  int events = 0;
  client_.OnWorkBegin = [&](std::int64_t) { ++events; };
  client_.OnWork = [&](std::int64_t) { ++events; };
  client_.OnWorkEnd = [&] { ++events; };
  ASSERT_TRUE(client_.Head(server_.Url("/U//big.bin"))) << client_.LastError();
  EXPECT_EQ(client_.ResponseCode(), 200);
  EXPECT_EQ(client_.ContentLength(), 1234567);
  EXPECT_EQ(client_.LastError(), "");
  EXPECT_EQ(events, 0);

  // Sizes past 4 GiB do not fit the 32-bit number WinHTTP would offer.
  server_.AddRule("path /U//big.bin\nmethod HEAD\ncontent-length 5000000000\n");
  ASSERT_TRUE(client_.Head(server_.Url("/U//big.bin"))) << client_.LastError();
  EXPECT_EQ(client_.ContentLength(), 5000000000);
}

// The progress events drive a progress bar on the window: they must come on the caller's
// thread, start with the announced total and end at the bytes received.
TEST_F(HttpClientTest, ProgressEventsArriveOnTheCallingThreadInOrder) {
  const std::string content = PatternBytes(300 * 1024 + 17);
  Serve("known.bin", content);
  Serve("unknown.bin", content);
  server_.AddRule("path /unknown.bin\ncontent-length none\n");
  const struct {
    const char* path;
    std::int64_t announced;
  } cases[] = {{"/known.bin", static_cast<std::int64_t>(content.size())}, {"/unknown.bin", -1}};
  for (const auto& c : cases) {
    std::vector<std::string> events;
    std::int64_t last = 0;
    bool otherThread = false;
    const DWORD caller = GetCurrentThreadId();
    client_.OnWorkBegin = [&](std::int64_t total) {
      events.push_back("begin " + std::to_string(total));
      otherThread |= GetCurrentThreadId() != caller;
    };
    client_.OnWork = [&](std::int64_t received) {
      if (received <= last) events.push_back("not increasing " + std::to_string(received));
      last = received;
      otherThread |= GetCurrentThreadId() != caller;
    };
    client_.OnWorkEnd = [&] {
      events.push_back("end at " + std::to_string(last));
      otherThread |= GetCurrentThreadId() != caller;
    };
    std::string body;
    ASSERT_TRUE(client_.Get(server_.Url(c.path), body)) << c.path << ": " << client_.LastError();
    EXPECT_TRUE(SameBytes(body, content)) << c.path;
    EXPECT_EQ(client_.ContentLength(), c.announced) << c.path;
    EXPECT_EQ(events, (std::vector<std::string>{"begin " + std::to_string(c.announced),
                                                "end at " + std::to_string(content.size())}))
        << c.path;
    EXPECT_FALSE(otherThread) << c.path;
  }
}

TEST_F(HttpClientTest, GetToFileReplacesTheTargetAndLeavesNothingElse) {
  const std::string content = PatternBytes(200000, 7);
  Serve("bin/app.ex_", content);
  WriteFileBytes(local_.File("app.ex_"), "old version");
  ASSERT_TRUE(client_.GetToFile(server_.Url("/bin//app.ex_"), local_.File("app.ex_")))
      << client_.LastError();
  EXPECT_TRUE(SameBytes(ReadFileBytes(local_.File("app.ex_")), content));
  EXPECT_EQ(LocalFiles(), std::vector<std::string>{"app.ex_"});
}

TEST_F(HttpClientTest, GetToFileIntoAMissingFolderFailsWithAReason) {
  Serve("a.txt", "a");
  EXPECT_FALSE(client_.GetToFile(server_.Url("/a.txt"), local_.File("missing\\a.txt")));
  EXPECT_NE(client_.LastError().find("cannot create"), std::string::npos) << client_.LastError();
  EXPECT_TRUE(LocalFiles().empty());
}

// A large file goes through in bounded memory: the body is streamed, never held whole.
TEST_F(HttpClientTest, LargeBodyIsStreamedToDiskInBoundedMemory) {
  constexpr std::size_t kPiece = 1 << 20;
  constexpr std::size_t kPieces = 64;
  {
    std::FILE* file = std::fopen(served_.File("big.bin").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    for (std::size_t i = 0; i < kPieces; ++i) {
      const std::string piece = PatternBytes(kPiece, static_cast<unsigned>(i));
      std::fwrite(piece.data(), 1, piece.size(), file);
    }
    std::fclose(file);
  }
  PROCESS_MEMORY_COUNTERS before{};
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);

  const auto start = Clock::now();
  ASSERT_TRUE(client_.GetToFile(server_.Url("/big.bin"), local_.File("big.bin")))
      << client_.LastError();
  const double seconds = SecondsSince(start);

  PROCESS_MEMORY_COUNTERS after{};
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  const double growthMiB =
      static_cast<double>(after.PeakWorkingSetSize - before.WorkingSetSize) / (1 << 20);
  std::printf("64 MiB in %.2f s (%.1f MiB/s), peak working set %.1f MiB above the start\n",
              seconds, kPieces / seconds, growthMiB);
  EXPECT_LT(growthMiB, 24.0);

  std::FILE* file = std::fopen(local_.File("big.bin").c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::string piece(kPiece, '\0');
  for (std::size_t i = 0; i < kPieces; ++i) {
    ASSERT_EQ(std::fread(piece.data(), 1, kPiece, file), kPiece) << "piece " << i;
    ASSERT_TRUE(piece == PatternBytes(kPiece, static_cast<unsigned>(i))) << "piece " << i;
  }
  EXPECT_EQ(std::fgetc(file), EOF);
  std::fclose(file);
}

}  // namespace
