// The programs' HTTP client, over WinHTTP. One object serves a whole run: one session (cookies
// kept, no proxy) and kept-alive connections reused for later requests to the same server.
//
// Every request is HTTP/1.1 with the headers "Accept: text/html, */*" and
// "User-Agent: Mozilla/3.0 (compatible; Indy Library)". A request succeeds only with a status
// of 200 to 299; any other status (a redirect too: redirects are never followed), a failed
// connection, a time limit, a body shorter than its announced length or an abort is a failure,
// with the status (0 when none came) in ResponseCode() and a readable reason in LastError().
//
// A call blocks its caller the way a plain blocking request would, but the request runs on a
// worker thread while the calling thread keeps dispatching its window messages: windows
// repaint, clicks and timers are handled during a transfer, and the progress events arrive on
// the calling thread. A handler that runs meanwhile may call Abort(). When WM_QUIT is met, the
// transfer is aborted and the quit message posted again before the call returns.
//
// URLs: see http_url.h.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class HttpExchange;
struct HttpEvent;
class HttpWorker;
class WinHttpSession;

class HttpClient {
 public:
  static constexpr std::chrono::milliseconds kDefaultConnectTimeout{15000};
  static constexpr std::chrono::milliseconds kDefaultIdleTimeout{60000};

  HttpClient();
  // Must not run while one of its requests is on the stack (abort it and let it return first).
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // The whole body into memory (the manifest). On failure body is empty.
  bool Get(const std::string& url, std::string& body);
  // The body streamed into targetPath: it replaces the file only once complete. On failure an
  // earlier file of that name stays as it was and no temporary file is left behind.
  bool GetToFile(const std::string& url, const std::string& targetPath);
  // Status and announced length only.
  bool Head(const std::string& url);
  // Each of the three, called while one of this client's requests runs (from a handler),
  // returns false at once and leaves that request and the results above alone.

  // Ends the running request, if any: its call returns false soon, without a partial file.
  // Meant for the calling thread (a handler running during the transfer, program end); safe
  // from any thread.
  void Abort();

  // Of the last request: its status (0 when no answer came), its announced Content-Length
  // (-1 when none was announced or no answer came), why it failed (empty after a success).
  int ResponseCode() const { return responseCode_; }
  std::int64_t ContentLength() const { return contentLength_; }
  const std::string& LastError() const { return lastError_; }

  // Connecting (with sending the request) must finish within the connect limit; after that a
  // request fails once nothing at all has arrived for the idle limit.
  void SetTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds idle);

  // Progress of a body transfer, called on the calling thread. Begin receives the announced
  // length (-1 when unknown), Work the bytes received so far; End follows every Begin, also
  // when the transfer fails. Answers without a body to keep (HEAD, failures) raise none.
  std::function<void(std::int64_t total)> OnWorkBegin;
  std::function<void(std::int64_t received)> OnWork;
  std::function<void()> OnWorkEnd;

 private:
  class BodySink;
  class MemorySink;
  class FileSink;
  enum class Method { Get, Head };

  struct Transfer;

  bool Perform(Method method, const std::string& url, BodySink* sink);
  bool Start(Method method, const std::string& url, std::shared_ptr<HttpExchange>& exchange);
  // Takes the worker's events and keeps the windows alive until the transfer ends or we give up.
  void Follow(HttpExchange& exchange, Transfer& transfer);
  void Deliver(HttpEvent& event, Transfer& transfer);
  bool Conclude(Transfer& transfer);
  std::string TimeLimitText(const Transfer& transfer) const;
  bool Fail(std::string reason);

  std::shared_ptr<WinHttpSession> session_;
  std::unique_ptr<HttpWorker> worker_;  // replaced when it is left with an abandoned request
  std::chrono::milliseconds connectTimeout_ = kDefaultConnectTimeout;
  std::chrono::milliseconds idleTimeout_ = kDefaultIdleTimeout;

  int responseCode_ = 0;
  std::int64_t contentLength_ = -1;
  std::string lastError_;

  bool busy_ = false;
  std::atomic<bool> abortRequested_{false};
  std::mutex currentMutex_;
  std::shared_ptr<HttpExchange> current_;
};
