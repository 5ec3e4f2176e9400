// Chats with Velk on standard input and output, through the C++ interface.
//   chat_cpp [SEED]
#include <velk/bot.h>

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  velk::BotOptions options;
  if (argc > 1) options.Seed = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
  velk::Bot bot(options);
  std::cout << bot.Greet() << '\n';
  for (std::string line; std::getline(std::cin, line);) {
    const std::string reply = bot.Reply(line);
    if (bot.Ended()) break;
    std::cout << reply << '\n';
  }
}
