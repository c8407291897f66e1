#pragma once

namespace pyxaro {

// How long a request may take to arrive once its first byte has: a browser
// sends a whole request at once, so ten seconds is a client that crawls on
// purpose to hold the connection.
inline constexpr int kRequestTimeoutSeconds = 10;
// How long a connection waits for its next request: long enough for a
// reader to follow a link on the page, short enough that idle browsers do
// not pile up.
inline constexpr int kIdleTimeoutSeconds = 15;
// Connections held at once: half the 8,192 files the service allows itself,
// the rest left to the database, the log and the sockets still closing. A
// lower file limit lowers it to half of that limit.
inline constexpr int kMostConnections = 4096;
// Connections one address may hold when clients connect directly. A browser
// opens at most six to a host, so this is several players behind one shared
// address at once; idle ones make room for their own address's new ones.
inline constexpr int kConnectionsPerClient = 32;

// The front's timeouts, which the command line may shorten or lengthen.
struct FrontLimits {
  int requestTimeoutSeconds = kRequestTimeoutSeconds;
  int idleTimeoutSeconds = kIdleTimeoutSeconds;

  bool operator==(const FrontLimits&) const = default;
};

}  // namespace pyxaro
