// The thread that carries out a client's requests, one after another. Kept for the client's
// life because starting a thread is slow under Wine (several milliseconds, more than a small
// request on loopback takes), and a release is hundreds of small requests.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class HttpExchange;

class HttpWorker {
 public:
  // Throws std::system_error when no thread can be started.
  HttpWorker();
  // Waits for the request in hand, if any, to end (only call it when none is abandoned in it).
  ~HttpWorker();
  HttpWorker(const HttpWorker&) = delete;
  HttpWorker& operator=(const HttpWorker&) = delete;

  // Hands over the next request; waits only while the previous one finishes its last step.
  void Run(std::shared_ptr<HttpExchange> exchange);

  // Leaves the thread to end by itself once the request in hand returns; the object can then
  // be destroyed at once.
  void Detach();

 private:
  struct Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::shared_ptr<HttpExchange> job;
    bool stop = false;
  };
  static void Loop(std::shared_ptr<Shared> shared);

  std::shared_ptr<Shared> shared_;
  std::thread thread_;
};
