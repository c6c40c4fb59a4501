#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/linux/ListeningSocketFile.h"
#include "platform/linux/WindowLinkFrames.h"
#include "ports/Result.h"

namespace korrin {

// The receiving end of the window link: a window with a title and one text
// box of a class, reached through its socket in the window folder (see
// WindowFolder.h). A request for the box's class while the box is empty puts
// the text in the box; any other request is answered "no empty box" and
// changes nothing, so a text sent while the box is busy is dropped. The owner
// reads the box and empties it once it has handled the text.
//
// Nothing is served in the background: the owner calls ServeOnce, for
// instance when Descriptor() polls readable.
class WindowLinkServer {
 public:
  static constexpr std::chrono::milliseconds kDefaultTimeout{2000};

  // Opens the window's socket, replacing a socket file that nothing listens
  // on any more. Fails when the window folder is not this user's alone, or
  // when a window with this title already answers.
  static Result<std::unique_ptr<WindowLinkServer>> Open(const std::string& title, const std::string& boxClass,
                                                        std::chrono::milliseconds timeout = kDefaultTimeout);

  WindowLinkServer(const WindowLinkServer&) = delete;
  WindowLinkServer& operator=(const WindowLinkServer&) = delete;
  // Removes the socket file, unless another window has taken its place.
  ~WindowLinkServer() = default;

  // Readable when a request waits.
  int Descriptor() const { return listener_.descriptor(); }
  const std::string& SocketPath() const { return listener_.path(); }

  // Waits up to the timeout for one request and answers it; true when one was
  // answered. A client that sends nothing within the time-out given to Open,
  // or sends no valid request, is dropped.
  bool ServeOnce(std::chrono::milliseconds timeout);

  // The box's text; empty while the box is empty.
  const std::string& BoxText() const { return boxText_; }
  void ClearBox() { boxText_.clear(); }

 private:
  WindowLinkServer(ListeningSocketFile listener, std::string boxClass, std::chrono::milliseconds timeout);

  BoxAnswer Answer(const TextRequest& request);

  ListeningSocketFile listener_;
  std::string boxClass_;
  std::chrono::milliseconds timeout_;
  std::string boxText_;
};

}  // namespace korrin
