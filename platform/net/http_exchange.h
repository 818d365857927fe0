// One request carried out on the worker thread (http_worker.h). The worker makes the blocking
// WinHTTP calls and posts what happens as events; the calling thread takes them while it keeps
// its windows alive. The body travels in chunks through a short queue, so memory stays bounded
// whatever the body's size: the worker waits while the queue is full.
//
// A calling thread that gives up (abort, time limit, quit) abandons the exchange and returns at
// once. Closing a request handle from another thread does not reliably interrupt a blocking
// WinHTTP call (under Wine the call runs on until its own time limit), so the worker is left to
// end by itself within the limits set on its request; it holds its own references and touches
// nothing of the caller's.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "platform/net/winhttp_handle.h"

class WinHttpSession;

inline bool IsSuccessStatus(int status) { return status >= 200 && status <= 299; }

struct HttpEvent {
  enum class Kind { Sent, Headers, Chunk, Finished, Failed };
  Kind kind = Kind::Failed;
  int status = 0;                   // Headers
  std::string text;                 // Headers: status text; Chunk: the bytes
  std::int64_t contentLength = -1;  // Headers: announced length, -1 when none
  DWORD error = 0;                  // Failed: GetLastError of the call
  const char* stage = "";           // Failed: what was being done

  static HttpEvent Of(Kind kind) {
    HttpEvent event;
    event.kind = kind;
    return event;
  }
};

class HttpExchange {
 public:
  static constexpr std::size_t kChunkBytes = 64 * 1024;
  static constexpr std::size_t kQueuedChunks = 16;  // at most 1 MiB in flight

  // readBody: receive the body of a successful answer (GET), or stop at the headers (HEAD).
  HttpExchange(std::shared_ptr<WinHttpSession> session, WinHttpHandle request, bool readBody);
  ~HttpExchange();
  HttpExchange(const HttpExchange&) = delete;
  HttpExchange& operator=(const HttpExchange&) = delete;

  // Carries out the request; called on the worker thread.
  void Run();

  // Signalled when events arrive or Wake is called.
  HANDLE WakeEvent() const { return wake_; }
  void Wake() { SetEvent(wake_); }

  std::deque<HttpEvent> TakeEvents();

  // The caller stops listening; a waiting worker is released and stops at its next step.
  void Abandon();

 private:
  void Post(HttpEvent event);
  void PostFailure(const char* stage);
  bool PostChunk(std::string bytes);
  bool Abandoned();

  std::shared_ptr<WinHttpSession> session_;
  WinHttpHandle request_;
  const bool readBody_;
  HANDLE wake_;

  std::mutex mutex_;
  std::condition_variable room_;
  std::deque<HttpEvent> events_;
  std::size_t queuedChunks_ = 0;
  bool abandoned_ = false;
};
