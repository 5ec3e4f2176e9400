#include "frontends/command_line.h"

#include <gtest/gtest.h>

#include "frontends/start_up.h"

namespace velk {
namespace {

TEST(CommandLineTest, ReadsTheOptions) {
  const CommandLine line = ParseCommandLine({"--console", "--seed", "42", "--no-log"});
  EXPECT_TRUE(line.Console);
  EXPECT_TRUE(line.NoLog);
  ASSERT_TRUE(line.Seed.has_value());
  EXPECT_EQ(42u, *line.Seed);
  EXPECT_EQ("", line.Error);
  EXPECT_FALSE(line.Exchange);
}

TEST(CommandLineTest, SeedCoversTheWholeUnsignedRangeInBothForms) {
  EXPECT_EQ(0u, *ParseCommandLine({"--seed", "0"}).Seed);
  EXPECT_EQ(4294967295u, *ParseCommandLine({"--seed", "4294967295"}).Seed);
  EXPECT_EQ(0u, *ParseCommandLine({"--seed=0"}).Seed);
  EXPECT_EQ(4294967295u, *ParseCommandLine({"--seed=4294967295"}).Seed);
}

TEST(CommandLineTest, BadArgumentsAreNamed) {
  static const struct {
    std::vector<std::string> Args;
    const char* Error;
  } kCases[] = {
      {{"--seed"}, "--seed needs a number"},
      {{"--seed", "x"}, "--seed x: not a number from 0 to 4294967295"},
      {{"--seed", "4294967296"}, "--seed 4294967296: not a number from 0 to 4294967295"},
      {{"--seed", "-1"}, "--seed -1: not a number from 0 to 4294967295"},
      {{"--seed", "12abc"}, "--seed 12abc: not a number from 0 to 4294967295"},
      {{"--seed="}, "--seed=: not a number from 0 to 4294967295"},
      {{"--seed=x"}, "--seed=x: not a number from 0 to 4294967295"},
      {{"--seed=4294967296"}, "--seed=4294967296: not a number from 0 to 4294967295"},
      {{"--seed=", "5"}, "--seed=: not a number from 0 to 4294967295"},
      {{"--seeds=5"}, "unknown argument '--seeds=5'"},
      {{"--colour"}, "unknown argument '--colour'"},
      {{"/M", "--bogus"}, "unknown argument '--bogus'"},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Error, ParseCommandLine(c.Args).Error) << c.Error;
}

TEST(CommandLineTest, HelpTellsHowToEndWhereTheLogGoesAndTheEnvironment) {
  const std::string usage = UsageText();
  for (const char* needed : {"--seed=N", "exit", "velk.log in the current directory",
                             "VELK_EXCHANGE_DIR", "XDG_RUNTIME_DIR", "VELK_EXCHANGE_TICK_MS"}) {
    EXPECT_NE(std::string::npos, usage.find(needed)) << needed;
  }
}

TEST(CommandLineTest, SlashMAnywhereSelectsTheExchange) {
  static const struct {
    std::vector<std::string> Args;
    bool Exchange;
  } kCases[] = {
      {{"/m"}, true},
      {{"x/my"}, true},
      {{"--console", "/m"}, true},
      {{"/M"}, false},
      {{}, false},
      {{"--console"}, false},
      {{"--foo /m"}, true},  // one argument holding a blank
      {{"--seed", "3", "/m"}, true},
      {{"/", "m"}, false},  // joined by a blank, so no "/m"
  };
  for (const auto& c : kCases) {
    const CommandLine line = ParseCommandLine(c.Args);
    EXPECT_EQ(c.Exchange, line.Exchange) << ::testing::PrintToString(c.Args);
  }
}

TEST(CommandLineTest, SlashSwitchesArePassedOver) {
  for (const char* arg : {"/m", "/M", "/x", "x/my"}) {
    EXPECT_EQ("", ParseCommandLine({arg}).Error) << arg;
  }
}

TEST(StartUpTest, RoutesToOneFrontEnd) {
  static const struct {
    const char* Label;
    std::vector<std::string> Args;
    bool HasDisplay;
    FrontEnd Expected;
  } kCases[] = {
      {"plain", {}, true, FrontEnd::kChatWindow},
      {"no display", {}, false, FrontEnd::kConsoleChat},
      {"--console", {"--console"}, true, FrontEnd::kConsoleChat},
      {"/m", {"/m"}, true, FrontEnd::kExchangeWindow},
      {"inside an argument", {"x/my"}, true, FrontEnd::kExchangeWindow},
      {"after a blank", {"--foo /m"}, true, FrontEnd::kExchangeWindow},
      {"after other options", {"--no-log", "/m"}, true, FrontEnd::kExchangeWindow},
      {"capital M", {"/M"}, true, FrontEnd::kChatWindow},
      {"/m --console", {"--console", "/m"}, true, FrontEnd::kConsoleExchange},
      {"/m without a display", {"/m"}, false, FrontEnd::kConsoleExchange},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.Expected, ChooseFrontEnd(ParseCommandLine(c.Args), c.HasDisplay)) << c.Label;
  }
}

}  // namespace
}  // namespace velk
