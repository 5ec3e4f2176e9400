/* Chats with Velk on standard input and output, through the C interface. */
#include <stdio.h>
#include <string.h>
#include <velk/velk.h>

int main(void) {
  velk_bot* bot;
  char line[4096], *reply;
  size_t length;
  if (velk_bot_create(NULL, &bot) || velk_bot_greet(bot, &reply, &length)) return 1;
  for (;;) {
    if (!velk_bot_ended(bot)) puts(reply);
    velk_free(reply);
    if (velk_bot_ended(bot) || !fgets(line, sizeof line, stdin)) break;
    if (velk_bot_reply(bot, line, strcspn(line, "\n"), &reply, &length)) break;
  }
  velk_bot_free(bot);
  return 0;
}
