// The caller's window stays alive while a transfer blocks its flow: timers fire, clicks and
// paints are handled, and a handler may abort the transfer or end the program.
#include <windows.h>

#include <functional>

#include "tests/net/http_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr UINT_PTR kTimer = 1;
constexpr int kButtonId = 100;

// A small visible window with one button, counting what it handles.
class TestWindow {
 public:
  TestWindow() {
    static const ATOM registered = [] {
      WNDCLASSA windowClass{};
      windowClass.lpfnWndProc = &TestWindow::Procedure;
      windowClass.hInstance = GetModuleHandleA(nullptr);
      windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      windowClass.lpszClassName = "QuillNetTestWindow";
      return RegisterClassA(&windowClass);
    }();
    EXPECT_NE(registered, 0);
    // Shown without activation: under Wine an activated window takes seconds to destroy.
    window_ = CreateWindowExA(WS_EX_NOACTIVATE, "QuillNetTestWindow", "test", WS_POPUP, 10, 10,
                              200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    button_ = CreateWindowExA(0, "BUTTON", "go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80,
                              30, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                              GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window_);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  ~TestWindow() {
    KillTimer(window_, kTimer);
    DestroyWindow(window_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return window_; }
  HWND Button() const { return button_; }
  void StartTimer(UINT ms) { SetTimer(window_, kTimer, ms, nullptr); }
  void StopTimer() { KillTimer(window_, kTimer); }

  int ticks = 0;
  int paints = 0;
  int clicks = 0;
  std::function<void()> OnTick;
  std::function<void()> OnClick;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
      switch (message) {
        case WM_TIMER:
          ++self->ticks;
          if (self->OnTick) self->OnTick();
          return 0;
        case WM_PAINT: {
          PAINTSTRUCT paint;
          BeginPaint(window, &paint);
          EndPaint(window, &paint);
          ++self->paints;
          return 0;
        }
        case WM_COMMAND:
          if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) {
            ++self->clicks;
            if (self->OnClick) self->OnClick();
            return 0;
          }
          break;
        default:
          break;
      }
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  HWND button_ = nullptr;
};

class HttpClientPumpTest : public HttpFixture {};

TEST_F(HttpClientPumpTest, WindowKeepsDispatchingDuringAStalledTransfer) {
  Serve("x.bin", "body");
  server_.AddRule("path /x.bin\nstall 10\n");
  client_.SetTimeouts(milliseconds(15000), milliseconds(2000));
  TestWindow window;
  bool clickedOnOurThread = false;
  window.OnClick = [&] {
    clickedOnOurThread = GetCurrentThreadId() == GetWindowThreadProcessId(window.Handle(), nullptr);
  };
  window.StartTimer(50);
  PostMessageA(window.Button(), BM_CLICK, 0, 0);
  InvalidateRect(window.Handle(), nullptr, TRUE);

  std::string body;
  EXPECT_FALSE(client_.Get(server_.Url("/x.bin"), body));
  EXPECT_GE(window.ticks, 10);
  EXPECT_EQ(window.clicks, 1);
  EXPECT_TRUE(clickedOnOurThread);
  EXPECT_GE(window.paints, 1);
}

// The cancel button of a program: its handler runs inside the transfer and aborts it.
TEST_F(HttpClientPumpTest, AbortFromAHandlerEndsTheTransferWithoutAPartialFile) {
  const std::string content = PatternBytes(400000);
  Serve("x.bin", content);
  server_.AddRule("path /x.bin\nstall 30\nstall-at 150000\ntimes 1\n");
  client_.SetTimeouts(milliseconds(15000), milliseconds(20000));
  WriteFileBytes(local_.File("x.bin"), "old");
  std::int64_t received = 0;
  int begins = 0;
  int ends = 0;
  client_.OnWorkBegin = [&](std::int64_t) { ++begins; };
  client_.OnWork = [&](std::int64_t bytes) { received = bytes; };
  client_.OnWorkEnd = [&] { ++ends; };
  TestWindow window;
  window.OnClick = [&] { client_.Abort(); };
  window.OnTick = [&] {
    window.StopTimer();
    PostMessageA(window.Button(), BM_CLICK, 0, 0);
  };
  window.StartTimer(500);

  const auto start = Clock::now();
  EXPECT_FALSE(client_.GetToFile(server_.Url("/x.bin"), local_.File("x.bin")));
  EXPECT_LT(SecondsSince(start), 3.0);
  EXPECT_EQ(window.clicks, 1);
  EXPECT_EQ(client_.ResponseCode(), 200);
  EXPECT_EQ(client_.LastError(), "aborted");
  EXPECT_GT(received, 0);
  EXPECT_LT(received, static_cast<std::int64_t>(content.size()));
  EXPECT_EQ(begins, 1);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(ReadFileBytes(local_.File("x.bin")), "old");
  EXPECT_EQ(LocalFiles(), std::vector<std::string>{"x.bin"});

  // The abandoned request may still hang on the server; the client is free for the next one.
  ASSERT_TRUE(client_.GetToFile(server_.Url("/x.bin"), local_.File("x.bin")))
      << client_.LastError();
  EXPECT_TRUE(SameBytes(ReadFileBytes(local_.File("x.bin")), content));
}

TEST_F(HttpClientPumpTest, QuitDuringATransferAbortsItAndIsPostedAgain) {
  Serve("x.bin", "body");
  server_.AddRule("path /x.bin\nstall 30\n");
  client_.SetTimeouts(milliseconds(15000), milliseconds(20000));
  TestWindow window;
  window.OnTick = [&] {
    window.StopTimer();
    PostQuitMessage(7);
  };
  window.StartTimer(300);

  std::string body;
  const auto start = Clock::now();
  EXPECT_FALSE(client_.Get(server_.Url("/x.bin"), body));
  EXPECT_LT(SecondsSince(start), 3.0);
  EXPECT_NE(client_.LastError().find("ending"), std::string::npos) << client_.LastError();
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

// A handler that starts another request of the same client while one runs is turned away;
// the running transfer goes on undisturbed.
TEST_F(HttpClientPumpTest, RequestFromAHandlerDuringATransferIsRefused) {
  const std::string content = PatternBytes(300000);
  Serve("x.bin", content);
  server_.AddRule("path /x.bin\nstall 1.5\nstall-at 100000\n");
  TestWindow window;
  bool nestedOk = true;
  int nestedSawCode = 0;
  window.OnTick = [&] {
    window.StopTimer();
    std::string other;
    nestedOk = client_.Get(server_.Url("/x.bin"), other);
    nestedSawCode = client_.ResponseCode();
  };
  window.StartTimer(300);

  ASSERT_TRUE(client_.GetToFile(server_.Url("/x.bin"), local_.File("x.bin")))
      << client_.LastError();
  EXPECT_EQ(window.ticks, 1);
  EXPECT_FALSE(nestedOk);
  EXPECT_EQ(nestedSawCode, 200);
  EXPECT_TRUE(SameBytes(ReadFileBytes(local_.File("x.bin")), content));
  EXPECT_EQ(RequestTargets(), std::vector<std::string>{"GET /x.bin"});
}

}  // namespace
