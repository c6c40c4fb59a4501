#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QSizeF>
#include <functional>
#include <string>

#include "PagePainting.h"
#include "ports/Result.h"

namespace korrin::standin {

// Where a page goes: written as a PDF file, or sent as a job to a print
// queue of the system's print server (CUPS).
struct PrintTarget {
  bool toFile = false;
  std::string name;  // the file, or the queue
};

// Printing lays text out with the fonts of the program's QGuiApplication;
// without one every print fails with this rather than crash.
Status PrintingAvailable();

// The queue a printer name means: "Default" and an empty name mean the
// system's default queue. Fails with a description naming the queue when
// there is no such queue, and when the system has no queue at all.
Result<std::string> QueueNamed(const std::string& printer);

// The paper a queue takes by default; A4 for a queue the system does not
// have.
QPageSize DefaultPaperOf(const std::string& queue);

// Prints one page on paper of the layout: into the file, which it replaces
// whole (nothing is left behind when it fails), or as one job of one copy
// on the queue, named after the title.
Status PrintPage(const PrintTarget& target, const QPageLayout& layout, const std::string& title,
                 const PagePainter& paint);

}  // namespace korrin::standin
