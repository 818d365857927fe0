#include "platform/net/http_worker.h"

#include <utility>

#include "platform/net/http_exchange.h"

HttpWorker::HttpWorker() : shared_(std::make_shared<Shared>()), thread_(Loop, shared_) {}

HttpWorker::~HttpWorker() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->stop = true;
  }
  shared_->changed.notify_all();
  thread_.join();
}

void HttpWorker::Run(std::shared_ptr<HttpExchange> exchange) {
  std::unique_lock<std::mutex> lock(shared_->mutex);
  shared_->changed.wait(lock, [this] { return shared_->job == nullptr; });
  shared_->job = std::move(exchange);
  lock.unlock();
  shared_->changed.notify_all();
}

void HttpWorker::Detach() {
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->stop = true;
  }
  shared_->changed.notify_all();
  thread_.detach();
}

void HttpWorker::Loop(std::shared_ptr<Shared> shared) {
  std::unique_lock<std::mutex> lock(shared->mutex);
  for (;;) {
    shared->changed.wait(lock, [&] { return shared->job != nullptr || shared->stop; });
    if (!shared->job) return;
    std::shared_ptr<HttpExchange> job = shared->job;
    lock.unlock();
    job->Run();
    job.reset();  // the request handle closes here, on this thread
    lock.lock();
    shared->job = nullptr;
    shared->changed.notify_all();
    if (shared->stop) return;
  }
}
