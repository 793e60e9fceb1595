// Errors of the page fetch. EIdException carries the text the error box shows;
// EIdAborted and its kinds end a fetch silently and must show nothing.
#pragma once

#include <exception>
#include <string>

#include "platform/abort.h"
#include "platform/ustring.h"

namespace qv {

class EIdException : public std::exception {
 public:
  explicit EIdException(ustring message)
      : message_(std::move(message)), utf8_(Utf16ToUtf8(message_)) {}
  const ustring& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  ustring message_;
  std::string utf8_;
};

// The server answered with a status outside 2xx; the message is its status line.
class EIdHTTPProtocolException : public EIdException {
 public:
  EIdHTTPProtocolException(int code, ustring statusLine)
      : EIdException(std::move(statusLine)), code_(code) {}
  int ErrorCode() const noexcept { return code_; }

 private:
  int code_;
};

// Name resolution, connecting, reading, limits: the fetch could not complete.
class EIdSocketError : public EIdException {
 public:
  using EIdException::EIdException;
};

class EIdConnectTimeout : public EIdSocketError {
 public:
  using EIdSocketError::EIdSocketError;
};

class EIdReadTimeout : public EIdSocketError {
 public:
  using EIdSocketError::EIdSocketError;
};

// A URL that cannot be put on the wire as it stands.
class EIdURIException : public EIdException {
 public:
  using EIdException::EIdException;
};

// Silent ends: not errors, so the default handler shows nothing for them.
class EIdAborted : public EAbort {};

// Cancel() was called while the fetch was pending (e.g. the window is closing).
class EIdCancelled : public EIdAborted {
 public:
  const char* what() const noexcept override { return "fetch cancelled"; }
};

// Get was called again while a fetch of the same client was still pending.
class EIdBusy : public EIdAborted {
 public:
  const char* what() const noexcept override { return "a fetch is already pending"; }
};

}  // namespace qv
