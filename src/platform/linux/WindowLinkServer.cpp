#include "platform/linux/WindowLinkServer.h"

#include <poll.h>
#include <sys/socket.h>

#include <string_view>
#include <utility>

#include "platform/linux/LocalSocket.h"
#include "platform/linux/WindowFolder.h"

namespace korrin {

Result<std::unique_ptr<WindowLinkServer>> WindowLinkServer::Open(const std::string& title, const std::string& boxClass,
                                                                 std::chrono::milliseconds timeout) {
  Result<ListeningSocketFile> listener = ListeningSocketFile::Open(
      WindowSocketPath(WindowFolderPath(), title), "a window titled \"" + title + "\" already runs");
  if (!listener) return listener.failure();
  return std::unique_ptr<WindowLinkServer>(new WindowLinkServer(std::move(listener).value(), boxClass, timeout));
}

WindowLinkServer::WindowLinkServer(ListeningSocketFile listener, std::string boxClass,
                                   std::chrono::milliseconds timeout)
    : listener_(std::move(listener)), boxClass_(std::move(boxClass)), timeout_(timeout) {}

bool WindowLinkServer::ServeOnce(std::chrono::milliseconds timeout) {
  pollfd waiting{listener_.descriptor(), POLLIN, 0};
  if (::poll(&waiting, 1, static_cast<int>(timeout.count())) <= 0) return false;
  const FileDescriptor client(::accept4(listener_.descriptor(), nullptr, nullptr, SOCK_CLOEXEC));
  if (!client.valid()) return false;
  SetSocketTimeouts(client.get(), timeout_);
  const std::optional<TextRequest> request = ReceiveTextRequest(client.get());
  if (!request) return false;
  const char answer = static_cast<char>(Answer(*request));
  return SendAll(client.get(), std::string_view(&answer, 1));
}

BoxAnswer WindowLinkServer::Answer(const TextRequest& request) {
  if (request.boxClass != boxClass_ || !boxText_.empty()) return BoxAnswer::NoEmptyBox;
  boxText_ = request.text;
  return BoxAnswer::Delivered;
}

}  // namespace korrin
