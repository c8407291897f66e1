#pragma once

#include <QByteArray>
#include <QString>

namespace pyxaro {

// The password as Argon2id stores it, salt and cost included, at libsodium's
// interactive cost: about 0.1 s and 64 MiB for each submission that checks one.
QByteArray PasswordHash(const QString& password);

// Whether the password is the one the hash was made from; the comparison takes
// the same time wherever the two differ.
bool PasswordMatches(const QByteArray& hash, const QString& password);

}  // namespace pyxaro
