#include "platform/net/http_client.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <thread>
#include <utility>

#include "core/atomic_file.h"
#include "platform/net/http_exchange.h"
#include "platform/net/http_url.h"
#include "platform/net/message_pump.h"
#include "platform/net/winhttp_error_text.h"
#include "platform/net/winhttp_session.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// WinHTTP enforces the same limits on the worker's calls and normally reports first; our own
// watch stands behind it in case a blocking call overstays.
constexpr milliseconds kWatchGrace{1000};

std::string SecondsText(milliseconds limit) {
  const auto tenths = limit.count() / 100;
  std::string text = std::to_string(tenths / 10);
  if (tenths % 10) {
    text += '.';
    text += static_cast<char>('0' + tenths % 10);
  }
  text += " s";
  return text;
}

DWORD ToDword(milliseconds value) {
  return static_cast<DWORD>(std::min<long long>(value.count(), 0x7FFFFFFF));
}

}  // namespace

// Where a successful body goes; written only on the calling thread.
class HttpClient::BodySink {
 public:
  virtual ~BodySink() = default;
  virtual bool Open() = 0;
  virtual bool Write(std::string_view bytes) = 0;
  virtual bool Commit() = 0;
  virtual void Discard() = 0;
  virtual std::string Name() const = 0;
};

class HttpClient::MemorySink : public BodySink {
 public:
  explicit MemorySink(std::string& body) : body_(body) { body_.clear(); }
  bool Open() override { return true; }
  bool Write(std::string_view bytes) override {
    body_.append(bytes);
    return true;
  }
  bool Commit() override { return true; }
  void Discard() override { std::string().swap(body_); }
  std::string Name() const override { return "memory"; }

 private:
  std::string& body_;
};

class HttpClient::FileSink : public BodySink {
 public:
  explicit FileSink(std::string target) : target_(std::move(target)) {}
  bool Open() override {
    writer_.emplace(target_);
    return writer_->IsOpen();
  }
  bool Write(std::string_view bytes) override { return writer_->Write(bytes); }
  bool Commit() override { return writer_->Commit(); }
  void Discard() override { writer_.reset(); }
  std::string Name() const override { return target_; }

 private:
  std::string target_;
  std::optional<AtomicFileWriter> writer_;
};

HttpClient::HttpClient() = default;

HttpClient::~HttpClient() { Abort(); }

bool HttpClient::Get(const std::string& url, std::string& body) {
  MemorySink sink(body);
  return Perform(Method::Get, url, &sink);
}

bool HttpClient::GetToFile(const std::string& url, const std::string& targetPath) {
  FileSink sink(targetPath);
  return Perform(Method::Get, url, &sink);
}

bool HttpClient::Head(const std::string& url) { return Perform(Method::Head, url, nullptr); }

void HttpClient::Abort() {
  abortRequested_ = true;
  std::lock_guard<std::mutex> lock(currentMutex_);
  if (current_) current_->Wake();
}

void HttpClient::SetTimeouts(milliseconds connect, milliseconds idle) {
  connectTimeout_ = connect;
  idleTimeout_ = idle;
}

bool HttpClient::Fail(std::string reason) {
  lastError_ = std::move(reason);
  return false;
}

bool HttpClient::Start(Method method, const std::string& url,
                       std::shared_ptr<HttpExchange>& exchange) {
  HttpUrl parsed;
  std::string error;
  if (!ParseHttpUrl(url, parsed, error)) return Fail(error);
  if (!session_) {
    session_ = WinHttpSession::Open(error);
    if (!session_) return Fail(error);
  }
  const HINTERNET connection = session_->ConnectionTo(parsed.host, parsed.port, error);
  if (!connection) return Fail(error);

  // Escaping disabled: the path is already encoded exactly as it must go out.
  WinHttpHandle request(WinHttpOpenRequest(
      connection, method == Method::Get ? L"GET" : L"HEAD", WidenAscii(parsed.path).c_str(),
      nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
      WINHTTP_FLAG_ESCAPE_DISABLE | WINHTTP_FLAG_ESCAPE_DISABLE_QUERY));
  if (!request) return Fail("cannot prepare a request: " + WinHttpErrorText(GetLastError()));

  DWORD disabled = WINHTTP_DISABLE_REDIRECTS;
  const DWORD connectMs = ToDword(connectTimeout_);
  DWORD idleMs = ToDword(idleTimeout_);
  if (!WinHttpSetOption(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &disabled,
                        sizeof disabled) ||
      !WinHttpSetTimeouts(request.Get(), static_cast<int>(connectMs), static_cast<int>(connectMs),
                          static_cast<int>(idleMs), static_cast<int>(idleMs)) ||
      !WinHttpAddRequestHeaders(request.Get(), L"Accept: text/html, */*", static_cast<DWORD>(-1),
                                WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE)) {
    return Fail("cannot set up a request: " + WinHttpErrorText(GetLastError()));
  }
  // Older WinHTTP versions lack this one; the receive limit and our own watch then apply.
  WinHttpSetOption(request.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &idleMs, sizeof idleMs);

  exchange = std::make_shared<HttpExchange>(session_, std::move(request), method == Method::Get);
  return true;
}

bool HttpClient::Perform(Method method, const std::string& url, BodySink* sink) {
  // A call from a handler while this client's request runs: refused, the running one untouched.
  if (busy_) return false;
  responseCode_ = 0;
  contentLength_ = -1;
  lastError_.clear();
  std::shared_ptr<HttpExchange> exchange;
  if (!Start(method, url, exchange)) {
    if (sink) sink->Discard();
    return false;
  }

  abortRequested_ = false;
  {
    std::lock_guard<std::mutex> lock(currentMutex_);
    current_ = exchange;
  }
  busy_ = true;
  std::thread worker = HttpExchange::Start(exchange);
  bool workerEnded = false;

  // Whatever way we leave (a handler may even throw), the worker is either finished and
  // joined, or abandoned to end by itself.
  struct Cleanup {
    HttpClient& client;
    HttpExchange& exchange;
    std::thread& worker;
    const bool& workerEnded;
    ~Cleanup() {
      {
        std::lock_guard<std::mutex> lock(client.currentMutex_);
        client.current_.reset();
      }
      client.busy_ = false;
      if (workerEnded) {
        worker.join();
      } else {
        exchange.Abandon();
        worker.detach();
      }
    }
  } cleanup{*this, *exchange, worker, workerEnded};

  const bool keepBody = sink && method == Method::Get;
  std::string failure;
  bool sent = false;
  bool begun = false;
  bool gaveUp = false;
  std::optional<int> quitCode;
  std::int64_t received = 0;
  Clock::time_point lastActivity = Clock::now();

  auto timeLimitText = [&] {
    return sent ? "nothing received for " + SecondsText(idleTimeout_)
                : "no connection within " + SecondsText(connectTimeout_);
  };

  while (!workerEnded && !gaveUp) {
    for (HttpEvent& event : exchange->TakeEvents()) {
      lastActivity = Clock::now();
      switch (event.kind) {
        case HttpEvent::Kind::Sent:
          sent = true;
          break;
        case HttpEvent::Kind::Headers:
          responseCode_ = event.status;
          contentLength_ = event.contentLength;
          if (!IsSuccessStatus(event.status)) {
            failure = "HTTP " + std::to_string(event.status) + " " + event.text;
          } else if (keepBody) {
            if (!sink->Open()) {
              failure = "cannot create a temporary file for " + sink->Name();
              gaveUp = true;
            } else {
              begun = true;
              if (OnWorkBegin) OnWorkBegin(contentLength_);
            }
          }
          break;
        case HttpEvent::Kind::Chunk:
          if (!sink->Write(event.text)) {
            failure = "cannot write " + sink->Name();
            gaveUp = true;
            break;
          }
          received += static_cast<std::int64_t>(event.text.size());
          if (OnWork) OnWork(received);
          break;
        case HttpEvent::Kind::Finished:
          workerEnded = true;
          if (failure.empty() && keepBody && contentLength_ >= 0 && received < contentLength_) {
            failure = "connection closed after " + std::to_string(received) + " of " +
                      std::to_string(contentLength_) + " bytes";
          }
          break;
        case HttpEvent::Kind::Failed:
          workerEnded = true;
          failure = IsTimeoutError(event.error)
                        ? timeLimitText()
                        : std::string(event.stage) + ": " + WinHttpErrorText(event.error);
          break;
      }
      if (gaveUp || workerEnded || abortRequested_) break;
    }
    if (workerEnded || gaveUp) break;
    if (abortRequested_) {
      failure = "aborted";
      break;
    }
    const milliseconds limit = (sent ? idleTimeout_ : connectTimeout_) + kWatchGrace;
    const auto left =
        std::chrono::duration_cast<milliseconds>(lastActivity + limit - Clock::now());
    if (left.count() <= 0) {
      failure = timeLimitText();
      break;
    }
    int code = 0;
    if (WaitDispatchingMessages(exchange->WakeEvent(), ToDword(left), code) == PumpResult::Quit) {
      quitCode = code;
      failure = "aborted: the program is ending";
      break;
    }
  }

  bool ok = failure.empty();
  if (sink) {
    if (ok && begun && !sink->Commit()) {
      ok = false;
      failure = "cannot replace " + sink->Name();
    }
    if (!ok) sink->Discard();
  }
  if (begun && OnWorkEnd) OnWorkEnd();
  if (!ok) lastError_ = std::move(failure);
  if (quitCode) PostQuitMessage(*quitCode);
  return ok;
}
