#include "ui/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

namespace korrin {
namespace {

constexpr qint64 kEventInterval = 10;  // milliseconds
constexpr int kPauseMilliseconds = 5;

}  // namespace

void QtEventPump::Yield() {
  if (sinceEvents_.elapsed() < kEventInterval) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  sinceEvents_.restart();
}

void QtEventPump::Pause() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  sinceEvents_.restart();
  // A moment this short goes unnoticed in the window.
  QThread::msleep(kPauseMilliseconds);
}

}  // namespace korrin
