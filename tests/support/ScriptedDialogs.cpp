#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace korrin::testing {
namespace {

const char* NameOf(ScriptedDialogs::Kind kind) {
  switch (kind) {
    case ScriptedDialogs::Kind::Message: return "message";
    case ScriptedDialogs::Kind::YesNo: return "Yes/No question";
    case ScriptedDialogs::Kind::OkCancel: return "OK/Cancel question";
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
  script_.push_back({Kind::Message, std::move(text), true});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectYesNo(std::string text, bool answerYes) {
  script_.push_back({Kind::YesNo, std::move(text), answerYes});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectOkCancel(std::string text, bool answerOk) {
  script_.push_back({Kind::OkCancel, std::move(text), answerOk});
  return *this;
}

bool ScriptedDialogs::Play(Kind kind, const std::string& text) {
  shown_.push_back(text);
  if (script_.empty()) {
    ADD_FAILURE() << "unexpected " << NameOf(kind) << ": \"" << text << "\"";
    return false;
  }
  const Step step = script_.front();
  script_.pop_front();
  EXPECT_EQ(NameOf(step.kind), std::string(NameOf(kind))) << "for the text \"" << text << "\"";
  EXPECT_EQ(step.text, text);
  return step.answer;
}

void ScriptedDialogs::ShowMessage(const std::string& text) { Play(Kind::Message, text); }
bool ScriptedDialogs::AskYesNo(const std::string& text) { return Play(Kind::YesNo, text); }
bool ScriptedDialogs::AskOkCancel(const std::string& text) { return Play(Kind::OkCancel, text); }

}  // namespace korrin::testing
