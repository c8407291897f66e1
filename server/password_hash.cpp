#include "server/password_hash.h"

#include <sodium.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QThread>
#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace pyxaro {

namespace {

// How many checks wait for each thread: at 0.1 to 0.2 s a hash, a submission
// that waits longest starts within about a second and a half.
constexpr int kWaitingPerThread = 8;
// A tenth of the processor's time against a thread of normal priority.
constexpr int kWorkerNice = 10;

void StartSodium() {
  static const bool started = sodium_init() >= 0;
  if (!started) throw std::runtime_error("libsodium cannot start");
}

}  // namespace

QByteArray PasswordHash(const QString& password) {
  StartSodium();
  const QByteArray utf8 = password.toUtf8();
  std::array<char, crypto_pwhash_STRBYTES> hash{};
  if (crypto_pwhash_str(hash.data(), utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                        crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0) {
    throw std::runtime_error("out of memory for the password hash");
  }
  return QByteArray(hash.data());
}

bool PasswordMatches(const QByteArray& hash, const QString& password) {
  StartSodium();
  const QByteArray utf8 = password.toUtf8();
  return crypto_pwhash_str_verify(hash.constData(), utf8.constData(),
                                  static_cast<unsigned long long>(utf8.size())) == 0;
}

PasswordWorkers::Size PasswordWorkers::ForThisMachine() {
  const int threads = std::max(1, QThread::idealThreadCount());
  return {threads, threads * kWaitingPerThread};
}

PasswordWorkers::PasswordWorkers(Size size) : capacity_(size.threads + size.waiting) {
  for (int n = 0; n < size.threads; ++n) threads_.emplace_back([this] { Work(); });
}

PasswordWorkers::~PasswordWorkers() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    waiting_.clear();
  }
  wake_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

bool PasswordWorkers::Take(std::function<void()> check) {
  {
    const std::lock_guard lock(mutex_);
    if (taken_ == capacity_) return false;
    ++taken_;
    waiting_.push_back(std::move(check));
  }
  wake_.notify_one();
  return true;
}

void PasswordWorkers::Work() {
  // The pages come first: on a machine whose cores all hash, the thread that
  // serves them still runs at once. Linux gives each thread a nice value of
  // its own; where it cannot be set, the workers run as they are.
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kWorkerNice);
  for (;;) {
    std::function<void()> check;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
      if (stopping_) return;
      check = std::move(waiting_.front());
      waiting_.pop_front();
    }
    check();
    const std::lock_guard lock(mutex_);
    --taken_;
  }
}

}  // namespace pyxaro
