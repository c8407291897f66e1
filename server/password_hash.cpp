#include "server/password_hash.h"

#include <sodium.h>

#include <array>
#include <stdexcept>

namespace pyxaro {

namespace {

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

}  // namespace pyxaro
