// The C entry points: one process-wide connection behind a lock, so that a
// caller on another thread cannot tear the state in half.
#include "pad/padx25.h"

#include <mutex>

#include "pad/pad_session.h"

namespace {

std::mutex& SessionLock() {
  static std::mutex lock;
  return lock;
}

lumvex::pad::PadSession& Session() {
  static lumvex::pad::PadSession session;
  return session;
}

}  // namespace

extern "C" {

int OpenPadX25(const char* port, const char* speed, const char* parity, const char* dataBits,
               const char* stopBits) {
  std::lock_guard guard(SessionLock());
  return Session().Open(port, speed, parity, dataBits, stopBits);
}

int InitPadX25(void) {
  std::lock_guard guard(SessionLock());
  return Session().Init();
}

int BindPadX25(const char* dial, char* answer) {
  std::lock_guard guard(SessionLock());
  return Session().Bind(dial, answer);
}

int bStatPadX25(void) {
  std::lock_guard guard(SessionLock());
  return Session().BStat();
}

int LinkPadX25(const char* address) {
  std::lock_guard guard(SessionLock());
  return Session().Link(address);
}

int aStatPadX25(void) {
  std::lock_guard guard(SessionLock());
  return Session().AStat();
}

int spkt_padx25(const char* request, int count, int waitSeconds) {
  std::lock_guard guard(SessionLock());
  return Session().SendPacket(request, count, waitSeconds);
}

int rpkt_padx25(char* reply, int* length, int waitSeconds) {
  std::lock_guard guard(SessionLock());
  return Session().ReceivePacket(reply, length, waitSeconds);
}

int ShutPadX25(void) {
  std::lock_guard guard(SessionLock());
  return Session().Shut();
}

}  // extern "C"
