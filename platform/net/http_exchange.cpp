#include "platform/net/http_exchange.h"

#include <utility>

#include "platform/net/winhttp_session.h"

namespace {

int QueryStatus(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
    return 0;
  }
  return static_cast<int>(status);
}

// A header's value as ASCII (status texts and lengths are); empty when absent.
std::string QueryAscii(HINTERNET request, DWORD info) {
  wchar_t buffer[256];
  DWORD size = sizeof buffer;
  if (!WinHttpQueryHeaders(request, info, WINHTTP_HEADER_NAME_BY_INDEX, buffer, &size,
                           WINHTTP_NO_HEADER_INDEX)) {
    return {};
  }
  std::string text;
  for (DWORD i = 0; i < size / sizeof(wchar_t); ++i) {
    text += buffer[i] < 0x80 ? static_cast<char>(buffer[i]) : '?';
  }
  return text;
}

std::int64_t ParseLength(const std::string& text) {
  if (text.empty() || text.size() > 18) return -1;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// WinHTTP hands a connection back for reuse only once the answer has been read to its end, even
// when there is nothing to read (HEAD, 204). An error page is read too, unless it is long.
void DrainShortBody(HINTERNET request) {
  char scratch[4096];
  DWORD received = 0;
  std::size_t total = 0;
  while (total < HttpExchange::kChunkBytes &&
         WinHttpReadData(request, scratch, sizeof scratch, &received) && received > 0) {
    total += received;
  }
}

}  // namespace

HttpExchange::HttpExchange(std::shared_ptr<WinHttpSession> session, WinHttpHandle request,
                           bool readBody)
    : session_(std::move(session)),
      request_(std::move(request)),
      readBody_(readBody),
      wake_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

HttpExchange::~HttpExchange() {
  request_.Reset();
  if (wake_) CloseHandle(wake_);
}

std::deque<HttpEvent> HttpExchange::TakeEvents() {
  std::deque<HttpEvent> taken;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    taken.swap(events_);
    queuedChunks_ = 0;
  }
  room_.notify_all();
  return taken;
}

void HttpExchange::Abandon() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    abandoned_ = true;
    events_.clear();
  }
  room_.notify_all();
}

void HttpExchange::Run() {
  const HINTERNET request = request_.Get();
  if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0,
                          0, 0)) {
    return PostFailure("connecting and sending the request");
  }
  Post(HttpEvent::Of(HttpEvent::Kind::Sent));
  if (!WinHttpReceiveResponse(request, nullptr)) return PostFailure("waiting for the answer");

  HttpEvent headers = HttpEvent::Of(HttpEvent::Kind::Headers);
  headers.status = QueryStatus(request);
  headers.text = QueryAscii(request, WINHTTP_QUERY_STATUS_TEXT);
  headers.contentLength = ParseLength(QueryAscii(request, WINHTTP_QUERY_CONTENT_LENGTH));
  const bool wantBody = readBody_ && IsSuccessStatus(headers.status);
  Post(std::move(headers));
  if (!wantBody) {
    DrainShortBody(request);
    return Post(HttpEvent::Of(HttpEvent::Kind::Finished));
  }

  for (;;) {
    if (Abandoned()) return;
    std::string chunk(kChunkBytes, '\0');
    DWORD received = 0;
    if (!WinHttpReadData(request, chunk.data(), static_cast<DWORD>(chunk.size()), &received)) {
      return PostFailure("receiving the body");
    }
    if (received == 0) break;
    chunk.resize(received);
    if (!PostChunk(std::move(chunk))) return;
  }
  Post(HttpEvent::Of(HttpEvent::Kind::Finished));
}

void HttpExchange::Post(HttpEvent event) {
  bool wasEmpty;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (abandoned_) return;
    wasEmpty = events_.empty();
    events_.push_back(std::move(event));
  }
  // The caller takes the whole queue when woken: one wake per batch, not per chunk.
  if (wasEmpty) SetEvent(wake_);
}

void HttpExchange::PostFailure(const char* stage) {
  const DWORD error = GetLastError();
  HttpEvent failure = HttpEvent::Of(HttpEvent::Kind::Failed);
  failure.error = error;
  failure.stage = stage;
  Post(std::move(failure));
}

bool HttpExchange::PostChunk(std::string bytes) {
  bool wasEmpty;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    room_.wait(lock, [this] { return abandoned_ || queuedChunks_ < kQueuedChunks; });
    if (abandoned_) return false;
    wasEmpty = events_.empty();
    events_.push_back(HttpEvent::Of(HttpEvent::Kind::Chunk));
    events_.back().text = std::move(bytes);
    ++queuedChunks_;
  }
  if (wasEmpty) SetEvent(wake_);
  return true;
}

bool HttpExchange::Abandoned() {
  std::lock_guard<std::mutex> lock(mutex_);
  return abandoned_;
}
