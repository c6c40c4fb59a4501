#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "host/HostHandles.h"
#include "host/HostValues.h"
#include "ports/Result.h"

namespace korrin::testing {

// What a sequence of typed host calls answered, one line a step, so two
// hosts driven alike can be compared line by line. Handles show as
// "handle" only: their numbers are each host's own.
class DispatchTranscript {
 public:
  template <typename T>
  void Note(const std::string& step, const Result<T>& result) {
    lines_.emplace_back(step, result ? Text(result.value()) : Text(result.failure()));
  }
  void Note(const std::string& step, const Status& status) {
    lines_.emplace_back(step, status ? "ok" : Text(status.failure()));
  }
  void Note(const std::string& step, const std::string& text) { lines_.emplace_back(step, text); }

  const std::vector<std::pair<std::string, std::string>>& lines() const { return lines_; }
  // The text of the first step of that name; "(no such step)" when none.
  std::string At(const std::string& step) const {
    for (const auto& [name, text] : lines_) {
      if (name == step) return text;
    }
    return "(no such step)";
  }

 private:
  static std::string Text(const Failure& failure) {
    return "failed " + std::to_string(failure.number) + " " + failure.description;
  }
  static std::string Text(bool value) { return value ? "true" : "false"; }
  static std::string Text(std::int32_t value) { return std::to_string(value); }
  static std::string Text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
  }
  static std::string Text(const std::string& value) { return '"' + value + '"'; }
  template <typename Kind>
  static std::string Text(host::Handle<Kind> handle) {
    return handle ? "handle" : "no handle";
  }
  static std::string Text(const host::OptionValue& value) {
    return std::visit([](const auto& alternative) { return Text(alternative); }, value);
  }
  static std::string Text(const host::WindowPlacement& p) {
    std::ostringstream out;
    out << p.flags << " " << p.showCommand << " " << p.left << " " << p.top << " " << p.right << " " << p.bottom;
    return out.str();
  }
  static std::string Text(const host::ViewExtents& e) {
    std::ostringstream out;
    out << e.first << " " << e.second << " " << e.height << " " << e.width;
    return out.str();
  }
  static std::string Text(const std::vector<host::AddInEntry>& entries) {
    std::string text;
    for (const host::AddInEntry& entry : entries) text += (text.empty() ? "" : ", ") + entry.displayName;
    return text;
  }
  static std::string Text(const std::vector<host::ReferencedFile>& files) {
    std::string text;
    for (const host::ReferencedFile& file : files) {
      text += (text.empty() ? "" : ", ") + std::to_string(file.referencedDocumentType) + " " + file.fullFileName;
    }
    return text;
  }

  std::vector<std::pair<std::string, std::string>> lines_;
};

}  // namespace korrin::testing
