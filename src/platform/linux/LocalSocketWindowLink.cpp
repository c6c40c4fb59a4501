#include "platform/linux/LocalSocketWindowLink.h"

#include "platform/linux/LocalSocket.h"
#include "platform/linux/PrivateFolder.h"
#include "platform/linux/WindowFolder.h"
#include "platform/linux/WindowLinkFrames.h"

namespace korrin {
namespace {

constexpr std::size_t kAnswerBytes = 1;

TextDelivery DeliveryOf(char answer) {
  switch (static_cast<BoxAnswer>(answer)) {
    case BoxAnswer::Delivered: return TextDelivery::Delivered;
    case BoxAnswer::NoEmptyBox: return TextDelivery::NoEmptyBox;
  }
  return TextDelivery::NoWindow;  // not a window of this link
}

}  // namespace

TextDelivery LocalSocketWindowLink::SetTextOfEmptyBox(const std::string& windowTitle, const std::string& boxClass,
                                                      const std::string& text) {
  // A window refuses such a request unanswered; spare it the bytes.
  if (boxClass.size() > kLongestBoxClass || text.size() > kLongestText) return TextDelivery::NoWindow;
  const std::string folder = WindowFolderPath();
  if (!CheckPrivateFolder(folder)) return TextDelivery::NoWindow;
  const Result<FileDescriptor> window = ConnectLocal(WindowSocketPath(folder, windowTitle), timeout_);
  if (!window) return TextDelivery::NoWindow;
  std::string answer;
  if (!SendAll(window.value().get(), EncodeTextRequest({boxClass, text})) ||
      !ReceiveExactly(window.value().get(), kAnswerBytes, answer)) {
    return TextDelivery::NoWindow;
  }
  return DeliveryOf(answer.front());
}

}  // namespace korrin
