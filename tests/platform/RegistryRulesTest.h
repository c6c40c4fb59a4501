#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "ports/Result.h"
#include "settings/Registry.h"

namespace korrin::testing {

// A registry store the rule tests run against, with what the tests need
// beyond the port: values of any kind with exact contents, the stored data,
// and removal. Each store works in an area of its own that it removes when
// it goes away.
class RegistryUnderTest {
 public:
  virtual ~RegistryUnderTest() = default;

  virtual Registry& registry() = 0;
  // Where the tests' keys live, ending in "\" unless empty.
  virtual std::string Area() const = 0;
  // Stores a value of any kind in the current user's root, creating its
  // key: for the text kinds data holds the characters (terminators
  // included), for the others the bytes.
  virtual void Store(const std::string& key, const std::string& name, RegistryKind kind,
                     const std::string& data) = 0;
  // The stored data in the same form; "<no key>" or "<no value>" otherwise.
  virtual std::string Stored(const std::string& key, const std::string& name) = 0;
  // Writes a value through the key opened for reading only.
  virtual Status WriteThroughReadOnlyKey(const std::string& key) = 0;
  virtual Status DeleteKey(RegistryRoot root, const std::string& key) = 0;
  // Whether anything at all exists of the tests' area.
  virtual bool AreaExists() = 0;
};

using RegistryFactory = std::function<std::unique_ptr<RegistryUnderTest>()>;

// The result rules every registry store keeps, whatever lies behind it.
class RegistryRulesTest : public ::testing::TestWithParam<RegistryFactory> {
 protected:
  void SetUp() override { under_ = GetParam()(); }
  void TearDown() override { under_.reset(); }

  Registry& registry() { return under_->registry(); }
  std::string Key(const std::string& path) const { return under_->Area() + path; }

  std::unique_ptr<RegistryUnderTest> under_;
};

}  // namespace korrin::testing
