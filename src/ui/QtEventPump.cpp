#include "ui/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace korrin {
namespace {

constexpr int kPauseMilliseconds = 5;

}  // namespace

void QtEventPump::Yield() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtEventPump::Pause() {
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, kPauseMilliseconds);
}

}  // namespace korrin
