// What the client makes of answers and connections that go wrong: a clear false, the status
// when one came, a reason, and never a partial or stray file.
#include <winsock2.h>
#include <windows.h>

#include "tests/net/http_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class HttpClientFailureTest : public HttpFixture {
 protected:
  static constexpr char kOld[] = "the earlier download";

  // A GET into memory, a GET onto an existing file and a HEAD of the same URL.
  struct Outcome {
    bool getOk, fileOk, headOk;
    int getCode, fileCode, headCode;
    std::string body;
    std::string error;
  };
  Outcome TryAllThree(const std::string& urlPath) {
    WriteFileBytes(local_.File("target.bin"), kOld);
    Outcome outcome{};
    outcome.getOk = client_.Get(server_.Url(urlPath), outcome.body);
    outcome.getCode = client_.ResponseCode();
    outcome.error = client_.LastError();
    outcome.fileOk = client_.GetToFile(server_.Url(urlPath), local_.File("target.bin"));
    outcome.fileCode = client_.ResponseCode();
    outcome.headOk = client_.Head(server_.Url(urlPath));
    outcome.headCode = client_.ResponseCode();
    return outcome;
  }

  void ExpectOldTargetAlone() {
    EXPECT_EQ(ReadFileBytes(local_.File("target.bin")), kOld);
    EXPECT_EQ(LocalFiles(), std::vector<std::string>{"target.bin"});
  }
};

// Success is a status from 200 to 299 and nothing else; redirects are not followed.
TEST_F(HttpClientFailureTest, StatusDecidesSuccessAndIsReported) {
  Serve("x.bin", "body");
  const struct {
    int status;
    bool ok;
  } cases[] = {{204, true}, {302, false}, {404, false}, {500, false}};
  for (const auto& c : cases) {
    server_.Reset();
    server_.AddRule("path /x.bin\nstatus " + std::to_string(c.status) + "\nlocation " +
                    server_.Url("/elsewhere") + "\n");
    const Outcome o = TryAllThree("/x.bin");
    EXPECT_EQ(o.getOk, c.ok) << c.status;
    EXPECT_EQ(o.fileOk, c.ok) << c.status;
    EXPECT_EQ(o.headOk, c.ok) << c.status;
    EXPECT_EQ(o.getCode, c.status);
    EXPECT_EQ(o.fileCode, c.status);
    EXPECT_EQ(o.headCode, c.status);
    EXPECT_TRUE(SameBytes(o.body, "")) << c.status;
    if (!c.ok) {
      EXPECT_NE(o.error.find(std::to_string(c.status)), std::string::npos) << o.error;
    }
    // A 204 has no body: the earlier file is replaced by an empty one, a failure leaves it.
    if (c.ok) {
      EXPECT_EQ(ReadFileBytes(local_.File("target.bin")), "");
      EXPECT_EQ(LocalFiles(), std::vector<std::string>{"target.bin"});
    } else {
      ExpectOldTargetAlone();
    }
    EXPECT_EQ(RequestTargets(), (std::vector<std::string>{"GET /x.bin", "GET /x.bin",
                                                          "HEAD /x.bin"}))
        << c.status;
  }
}

TEST_F(HttpClientFailureTest, MissingFileIsA404) {
  const Outcome o = TryAllThree("/nothing/here.txt");
  EXPECT_FALSE(o.getOk || o.fileOk || o.headOk);
  EXPECT_EQ(o.getCode, 404);
  EXPECT_EQ(o.headCode, 404);
  ExpectOldTargetAlone();
}

// A body that breaks off: the transfer fails although the status was fine.
TEST_F(HttpClientFailureTest, BrokenBodiesFailAndLeaveTheEarlierFile) {
  const std::string content = PatternBytes(400000);
  Serve("x.bin", content);
  client_.SetTimeouts(milliseconds(15000), milliseconds(2000));
  const struct {
    const char* what;
    std::string rule;
  } cases[] = {
      {"dropped mid-body", "drop-after 150000\n"},
      {"stalled mid-body", "stall 8\nstall-at 150000\n"},
      {"length announced too long", "content-length " + std::to_string(content.size() + 1000)},
  };
  for (const auto& c : cases) {
    server_.Reset();
    server_.AddRule("path /x.bin\nmethod GET\n" + c.rule);
    bool begun = false;
    bool ended = false;
    client_.OnWorkBegin = [&](std::int64_t) { begun = true; };
    client_.OnWorkEnd = [&] { ended = true; };
    const auto start = Clock::now();
    const Outcome o = TryAllThree("/x.bin");
    EXPECT_LT(SecondsSince(start), 12.0) << c.what;
    EXPECT_FALSE(o.getOk) << c.what;
    EXPECT_FALSE(o.fileOk) << c.what;
    EXPECT_TRUE(o.headOk) << c.what;
    EXPECT_EQ(o.getCode, 200) << c.what;
    EXPECT_TRUE(SameBytes(o.body, "")) << c.what;
    EXPECT_FALSE(o.error.empty()) << c.what;
    EXPECT_TRUE(begun && ended) << c.what;
    ExpectOldTargetAlone();
  }
}

TEST_F(HttpClientFailureTest, SilenceLongerThanTheIdleLimitFails) {
  Serve("x.bin", "body");
  server_.AddRule("path /x.bin\nstall 10\n");
  client_.SetTimeouts(milliseconds(15000), milliseconds(2000));
  std::string body;
  const auto start = Clock::now();
  EXPECT_FALSE(client_.Get(server_.Url("/x.bin"), body));
  const double seconds = SecondsSince(start);
  EXPECT_GT(seconds, 1.8);
  EXPECT_LT(seconds, 4.5);
  EXPECT_EQ(client_.ResponseCode(), 0);
  EXPECT_NE(client_.LastError().find("nothing received for 2 s"), std::string::npos)
      << client_.LastError();
}

// The limit is on silence, not on the whole transfer: pauses shorter than it are waited out.
TEST_F(HttpClientFailureTest, PausesShorterThanTheIdleLimitAreWaitedOut) {
  const std::string content = PatternBytes(300000);
  Serve("x.bin", content);
  server_.AddRule("path /x.bin\nstall 1.5\n");
  server_.AddRule("path /y.bin\nstall 1.5\nstall-at 100000\n");
  Serve("y.bin", content);
  client_.SetTimeouts(milliseconds(15000), milliseconds(3000));
  for (const char* path : {"/x.bin", "/y.bin"}) {
    std::string body;
    EXPECT_TRUE(client_.Get(server_.Url(path), body)) << path << ": " << client_.LastError();
    EXPECT_TRUE(SameBytes(body, content)) << path;
  }
}

TEST_F(HttpClientFailureTest, ClosedPortFailsAtOnce) {
  // A port that was free a moment ago: nothing listens there.
  const SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  int size = sizeof address;
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  closesocket(probe);
  const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/x";

  std::string body;
  const auto start = Clock::now();
  EXPECT_FALSE(client_.Get(url, body));
  EXPECT_FALSE(client_.Head(url));
  EXPECT_LT(SecondsSince(start), 3.0);
  EXPECT_EQ(client_.ResponseCode(), 0);
  EXPECT_EQ(client_.ContentLength(), -1);
  EXPECT_FALSE(client_.LastError().empty());
}

// A server whose accept queue is full never completes the handshake: the connect limit ends it.
TEST_F(HttpClientFailureTest, ConnectionThatNeverCompletesFailsAtTheConnectLimit) {
  const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 0), 0);
  int size = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  std::vector<SOCKET> fillers;
  for (int i = 0; i < 4; ++i) {
    const SOCKET filler = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    u_long nonBlocking = 1;
    ioctlsocket(filler, FIONBIO, &nonBlocking);
    connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
    fillers.push_back(filler);
  }
  Sleep(200);

  client_.SetTimeouts(milliseconds(2000), milliseconds(20000));
  std::string body;
  const auto start = Clock::now();
  EXPECT_FALSE(client_.Get("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/x",
                           body));
  const double seconds = SecondsSince(start);
  EXPECT_GT(seconds, 1.8);
  EXPECT_LT(seconds, 4.5);
  EXPECT_EQ(client_.ResponseCode(), 0);
  EXPECT_NE(client_.LastError().find("no connection within 2 s"), std::string::npos)
      << client_.LastError();
  for (SOCKET filler : fillers) closesocket(filler);
  closesocket(listener);
}

TEST_F(HttpClientFailureTest, UnusableUrlFailsWithoutARequest) {
  for (const char* url : {"", "https://127.0.0.1/x", "127.0.0.1/x", "http://127.0.0.1:0/x"}) {
    std::string body = "stale";
    EXPECT_FALSE(client_.Get(url, body)) << url;
    EXPECT_EQ(body, "") << url;
    EXPECT_FALSE(client_.LastError().empty()) << url;
    EXPECT_FALSE(client_.GetToFile(url, local_.File("x"))) << url;
  }
  EXPECT_TRUE(RequestTargets().empty());
  EXPECT_TRUE(LocalFiles().empty());
}

}  // namespace
