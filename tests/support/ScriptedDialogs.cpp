#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace korrin::testing {
namespace {

const char* NameOf(ScriptedDialogs::Kind kind) {
  switch (kind) {
    case ScriptedDialogs::Kind::Message: return "message";
    case ScriptedDialogs::Kind::YesNo: return "Yes/No question";
    case ScriptedDialogs::Kind::OkCancel: return "OK/Cancel question";
    case ScriptedDialogs::Kind::File: return "file dialog";
    case ScriptedDialogs::Kind::Folder: return "folder browser";
    case ScriptedDialogs::Kind::Text: return "input box";
  }
  return "?";
}

}  // namespace

ScriptedDialogs::~ScriptedDialogs() {
  for (const Step& step : script_) {
    ADD_FAILURE() << "expected " << NameOf(step.kind) << " never shown: \"" << step.text << "\"";
  }
}

ScriptedDialogs& ScriptedDialogs::ExpectMessage(std::string text) {
  script_.push_back({Kind::Message, std::move(text), true, std::nullopt, std::nullopt});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectYesNo(std::string text, bool answerYes) {
  script_.push_back({Kind::YesNo, std::move(text), answerYes, std::nullopt, std::nullopt});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectOkCancel(std::string text, bool answerOk) {
  script_.push_back({Kind::OkCancel, std::move(text), answerOk, std::nullopt, std::nullopt});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectFile(FileRequest request, std::optional<std::string> answer) {
  std::string title = request.title;
  script_.push_back({Kind::File, std::move(title), answer.has_value(), std::move(answer), std::move(request)});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectFolder(std::string title, std::optional<std::string> answer) {
  script_.push_back({Kind::Folder, std::move(title), answer.has_value(), std::move(answer), std::nullopt});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectText(std::string prompt, std::optional<std::string> answer) {
  script_.push_back({Kind::Text, std::move(prompt), answer.has_value(), std::move(answer), std::nullopt});
  return *this;
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::Play(Kind kind, const std::string& text) {
  shown_.push_back(text);
  if (script_.empty()) {
    ADD_FAILURE() << "unexpected " << NameOf(kind) << ": \"" << text << "\"";
    return std::nullopt;
  }
  Step step = script_.front();
  script_.pop_front();
  EXPECT_EQ(NameOf(step.kind), std::string(NameOf(kind))) << "for the text \"" << text << "\"";
  EXPECT_EQ(step.text, text);
  return step;
}

void ScriptedDialogs::ShowMessage(const std::string& text) { Play(Kind::Message, text); }

bool ScriptedDialogs::AskYesNo(const std::string& text) {
  const auto step = Play(Kind::YesNo, text);
  return step && step->answer;
}

bool ScriptedDialogs::AskOkCancel(const std::string& text) {
  const auto step = Play(Kind::OkCancel, text);
  return step && step->answer;
}

std::optional<std::string> ScriptedDialogs::ChooseFile(const FileRequest& request) {
  const auto step = Play(Kind::File, request.title);
  if (!step) return std::nullopt;
  if (step->file) {
    EXPECT_EQ(step->file->purpose, request.purpose) << request.title;
    EXPECT_EQ(step->file->filter, request.filter) << request.title;
    EXPECT_EQ(step->file->startFolder, request.startFolder) << request.title;
    EXPECT_EQ(step->file->fileName, request.fileName) << request.title;
  }
  return step->reply;
}

std::optional<std::string> ScriptedDialogs::BrowseForFolder(const std::string& title) {
  const auto step = Play(Kind::Folder, title);
  return step ? step->reply : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::AskText(const std::string& prompt, const std::string&,
                                                    const std::string&) {
  const auto step = Play(Kind::Text, prompt);
  return step ? step->reply : std::nullopt;
}

}  // namespace korrin::testing
