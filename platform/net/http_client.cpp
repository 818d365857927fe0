#include "platform/net/http_client.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/atomic_file.h"
#include "platform/net/http_exchange.h"
#include "platform/net/http_url.h"
#include "platform/net/http_worker.h"
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

// What one call has seen so far; lives on the calling thread only.
struct HttpClient::Transfer {
  Transfer(Method method, BodySink* body) : sink(body), keepBody(body && method == Method::Get) {}

  BodySink* sink;
  bool keepBody;
  std::string failure;
  bool sent = false;         // connected and the request is out
  bool begun = false;        // OnWorkBegin was raised (and the sink opened)
  bool gaveUp = false;       // we stopped listening before the worker ended
  bool workerEnded = false;  // its last event (Finished or Failed) has arrived
  std::optional<int> quitCode;
  std::int64_t received = 0;
  Clock::time_point lastActivity = Clock::now();
};

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

  try {
    if (!worker_) worker_ = std::make_unique<HttpWorker>();
  } catch (const std::system_error& error) {
    if (sink) sink->Discard();
    return Fail(std::string("cannot start the transfer thread: ") + error.what());
  }
  abortRequested_ = false;
  worker_->Run(exchange);
  {
    std::lock_guard<std::mutex> lock(currentMutex_);
    current_ = exchange;
  }
  busy_ = true;
  Transfer transfer(method, sink);

  // Whatever way we leave (a handler may even throw), the worker has either finished the
  // request and serves the next one, or is left with it to end by itself.
  struct Cleanup {
    HttpClient& client;
    HttpExchange& exchange;
    const bool& workerEnded;
    ~Cleanup() {
      {
        std::lock_guard<std::mutex> lock(client.currentMutex_);
        client.current_.reset();
      }
      client.busy_ = false;
      if (!workerEnded) {
        exchange.Abandon();
        client.worker_->Detach();
        client.worker_.reset();
      }
    }
  } cleanup{*this, *exchange, transfer.workerEnded};

  Follow(*exchange, transfer);
  return Conclude(transfer);
}

void HttpClient::Follow(HttpExchange& exchange, Transfer& transfer) {
  for (;;) {
    for (HttpEvent& event : exchange.TakeEvents()) {
      transfer.lastActivity = Clock::now();
      Deliver(event, transfer);
      if (transfer.gaveUp || transfer.workerEnded || abortRequested_) break;
    }
    if (transfer.workerEnded || transfer.gaveUp) return;
    if (abortRequested_) {
      transfer.failure = "aborted";
      return;
    }
    const milliseconds limit = (transfer.sent ? idleTimeout_ : connectTimeout_) + kWatchGrace;
    const auto left = std::chrono::duration_cast<milliseconds>(transfer.lastActivity + limit -
                                                               Clock::now());
    if (left.count() <= 0) {
      transfer.failure = TimeLimitText(transfer);
      return;
    }
    int code = 0;
    if (WaitDispatchingMessages(exchange.WakeEvent(), ToDword(left), code) == PumpResult::Quit) {
      transfer.quitCode = code;
      transfer.failure = "aborted: the program is ending";
      return;
    }
  }
}

void HttpClient::Deliver(HttpEvent& event, Transfer& transfer) {
  switch (event.kind) {
    case HttpEvent::Kind::Sent:
      transfer.sent = true;
      break;
    case HttpEvent::Kind::Headers:
      responseCode_ = event.status;
      contentLength_ = event.contentLength;
      if (!IsSuccessStatus(event.status)) {
        transfer.failure = "HTTP " + std::to_string(event.status) + " " + event.text;
      } else if (transfer.keepBody) {
        if (!transfer.sink->Open()) {
          transfer.failure = "cannot create a temporary file for " + transfer.sink->Name();
          transfer.gaveUp = true;
          break;
        }
        transfer.begun = true;
        if (OnWorkBegin) OnWorkBegin(contentLength_);
      }
      break;
    case HttpEvent::Kind::Chunk:
      if (!transfer.sink->Write(event.text)) {
        transfer.failure = "cannot write " + transfer.sink->Name();
        transfer.gaveUp = true;
        break;
      }
      transfer.received += static_cast<std::int64_t>(event.text.size());
      if (OnWork) OnWork(transfer.received);
      break;
    case HttpEvent::Kind::Finished:
      transfer.workerEnded = true;
      if (transfer.failure.empty() && transfer.keepBody && contentLength_ >= 0 &&
          transfer.received < contentLength_) {
        transfer.failure = "connection closed after " + std::to_string(transfer.received) +
                           " of " + std::to_string(contentLength_) + " bytes";
      }
      break;
    case HttpEvent::Kind::Failed:
      transfer.workerEnded = true;
      transfer.failure = IsTimeoutError(event.error)
                             ? TimeLimitText(transfer)
                             : std::string(event.stage) + ": " + WinHttpErrorText(event.error);
      break;
  }
}

bool HttpClient::Conclude(Transfer& transfer) {
  bool ok = transfer.failure.empty();
  if (transfer.sink) {
    if (ok && transfer.begun && !transfer.sink->Commit()) {
      ok = false;
      transfer.failure = "cannot replace " + transfer.sink->Name();
    }
    if (!ok) transfer.sink->Discard();
  }
  if (transfer.begun && OnWorkEnd) OnWorkEnd();
  if (!ok) lastError_ = std::move(transfer.failure);
  if (transfer.quitCode) PostQuitMessage(*transfer.quitCode);
  return ok;
}

std::string HttpClient::TimeLimitText(const Transfer& transfer) const {
  return transfer.sent ? "nothing received for " + SecondsText(idleTimeout_)
                       : "no connection within " + SecondsText(connectTimeout_);
}
