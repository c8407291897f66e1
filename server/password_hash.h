#pragma once

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace pyxaro {

// The password as Argon2id stores it, salt and cost included, at libsodium's
// interactive cost: about 0.1 s and 64 MiB for each submission that checks one.
QByteArray PasswordHash(const QString& password);

// Whether the password is the one the hash was made from; the comparison takes
// the same time wherever the two differ.
bool PasswordMatches(const QByteArray& hash, const QString& password);

// A few threads that hash and check passwords, so that the thread serving the
// pages never spends a tenth of a second in Argon2id. Each running check
// holds 64 MiB, so there are never more threads than cores, and only so many
// checks wait for one: past that a submission is better told to come back
// than kept waiting for seconds.
class PasswordWorkers {
 public:
  struct Size {
    int threads = 1;
    int waiting = 0;
  };
  // A thread a core, and a queue that a burst of submissions fills in about a
  // second and a half of hashing.
  static Size ForThisMachine();

  explicit PasswordWorkers(Size size);
  // Waits for the checks running to end; those still waiting never run.
  ~PasswordWorkers();
  PasswordWorkers(const PasswordWorkers&) = delete;
  PasswordWorkers& operator=(const PasswordWorkers&) = delete;

  // Runs the check on a worker thread; false, running nothing, when as many
  // checks as the threads and the queue hold are taken already.
  bool Take(std::function<void()> check);

 private:
  void Work();

  const int capacity_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> waiting_;
  int taken_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace pyxaro
