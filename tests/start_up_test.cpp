#include "frontends/start_up.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "frontends/exchange_session.h"

namespace velk {
namespace {

// A window that cannot be opened must keep its mode on the console: an
// exchange must not turn into a chat.
TEST(StartUpTest, FallbackKeepsTheMode) {
  static const struct {
    const char* Label;
    FrontEnd From;
    FrontEnd Expected;
  } kCases[] = {
      {"chat window", FrontEnd::kChatWindow, FrontEnd::kConsoleChat},
      {"exchange window", FrontEnd::kExchangeWindow, FrontEnd::kConsoleExchange},
      {"console chat", FrontEnd::kConsoleChat, FrontEnd::kConsoleChat},
      {"console exchange", FrontEnd::kConsoleExchange, FrontEnd::kConsoleExchange},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Expected, ConsoleFrontEnd(c.From)) << c.Label;
}

TEST(StartUpTest, ExchangeTickTakesOnlySaneValues) {
  static const struct {
    const char* Value;  // null: unset
    long ExpectedMs;
  } kCases[] = {
      {nullptr, kExchangeTickMs},
      {"", kExchangeTickMs},
      {"50", 50},
      {"10", 10},
      {"9", kExchangeTickMs},
      {"60000", 60000},
      {"60001", kExchangeTickMs},
      {"-100", kExchangeTickMs},
      {"fast", kExchangeTickMs},
      {"25ms", 25},
      {"99999999999999999999", kExchangeTickMs},
  };
  for (const auto& c : kCases) {
    if (c.Value == nullptr) {
      ::unsetenv("VELK_EXCHANGE_TICK_MS");
    } else {
      ::setenv("VELK_EXCHANGE_TICK_MS", c.Value, 1);
    }
    EXPECT_EQ(c.ExpectedMs, ExchangeTick().count()) << (c.Value ? c.Value : "unset");
  }
  ::unsetenv("VELK_EXCHANGE_TICK_MS");
}

}  // namespace
}  // namespace velk
