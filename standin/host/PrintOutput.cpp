#include "PrintOutput.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <cerrno>

#include "StandinFailures.h"

namespace korrin::standin {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr const char* kDefaultPrinterName = "Default";
constexpr const char* kCreator = "Korrin stand-in host";

void PaintInMillimetres(QPainter& painter, const QPageLayout& layout, const PagePainter& paint) {
  painter.setRenderHint(QPainter::Antialiasing);
  const QPaintDevice& device = *painter.device();
  painter.scale(device.logicalDpiX() / kMillimetresPerInch, device.logicalDpiY() / kMillimetresPerInch);
  paint(painter, layout.fullRect(QPageLayout::Millimeter).size());
}

Status PrintToPdf(const std::string& path, const QPageLayout& layout, const std::string& title,
                  const PagePainter& paint) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) {
    return Failure{EIO, "Cannot write the print file " + path + ": " + file.errorString().toStdString()};
  }
  {
    QPdfWriter writer(&file);
    writer.setPageLayout(layout);
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QString::fromLatin1(kCreator));
    QPainter painter;
    if (!painter.begin(&writer)) return Failure{EIO, "Cannot start a PDF page in " + path + "."};
    PaintInMillimetres(painter, layout, paint);
    if (!painter.end()) return Failure{EIO, "Cannot finish the PDF page in " + path + "."};
  }
  if (!file.commit()) {
    return Failure{EIO, "Cannot write the print file " + path + ": " + file.errorString().toStdString()};
  }
  return {};
}

Status PrintToQueue(const std::string& queue, const QPageLayout& layout, const std::string& title,
                    const PagePainter& paint) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPrinterName(QString::fromStdString(queue));
  if (!printer.isValid()) return Unspecified("The print queue \"" + queue + "\" cannot take jobs.");
  printer.setFullPage(true);  // the painter starts at the paper's corner, not at the printable area's
  printer.setPageLayout(layout);
  printer.setCopyCount(1);
  printer.setDocName(QString::fromStdString(title));
  printer.setCreator(QString::fromLatin1(kCreator));
  QPainter painter;
  if (!painter.begin(&printer)) return Unspecified("The print queue \"" + queue + "\" refused the job.");
  PaintInMillimetres(painter, layout, paint);
  if (!painter.end() || printer.printerState() == QPrinter::Error) {
    return Unspecified("The job could not be sent to the print queue \"" + queue + "\".");
  }
  return {};
}

}  // namespace

Status PrintingAvailable() {
  if (!CanDrawText()) {
    return Unspecified("The stand-in host prints only in a program that has a QGuiApplication.");
  }
  return {};
}

Result<std::string> QueueNamed(const std::string& printer) {
  if (printer.empty() || printer == kDefaultPrinterName) {
    const QPrinterInfo queue = QPrinterInfo::defaultPrinter();
    if (!queue.isNull()) return queue.printerName().toStdString();
    if (QPrinterInfo::availablePrinterNames().isEmpty()) return Unspecified("The system has no print queue.");
    return Unspecified("The system has no default print queue.");
  }
  if (QPrinterInfo::printerInfo(QString::fromStdString(printer)).isNull()) {
    return Unspecified("The system has no print queue named \"" + printer + "\".");
  }
  return printer;
}

QPageSize DefaultPaperOf(const std::string& queue) {
  const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(queue));
  if (info.isNull() || !info.defaultPageSize().isValid()) return QPageSize(QPageSize::A4);
  return info.defaultPageSize();
}

Status PrintPage(const PrintTarget& target, const QPageLayout& layout, const std::string& title,
                 const PagePainter& paint) {
  if (target.toFile) return PrintToPdf(target.name, layout, title, paint);
  return PrintToQueue(target.name, layout, title, paint);
}

}  // namespace korrin::standin
