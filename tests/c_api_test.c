/* The C interface, from C: statuses, buffers, the end, saving and restoring. */
#include <stdio.h>
#include <string.h>
#include <velk/velk.h>

static int failures = 0;
#define CHECK(condition)                                              \
  do {                                                                \
    if (!(condition)) {                                               \
      fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition); \
      ++failures;                                                     \
    }                                                                 \
  } while (0)

int main(void) {
  velk_options options = {1, 5u, "Tavro", 5};
  velk_bot *bot = NULL, *again = NULL;
  char *reply = NULL, *saved = NULL;
  size_t length = 0, saved_length = 0;

  CHECK(velk_bot_create(NULL, NULL) == VELK_INVALID_ARGUMENT);
  CHECK(velk_bot_create(&options, &bot) == VELK_OK && bot != NULL);
  CHECK(velk_bot_greet(bot, &reply, &length) == VELK_OK && length > 0 && reply[length] == '\0');
  velk_free(reply);
  CHECK(velk_bot_reply(bot, NULL, 3, &reply, &length) == VELK_INVALID_ARGUMENT);
  /* A line is its bytes, NUL included. */
  CHECK(velk_bot_reply(bot, "my\0name is John", 15, &reply, &length) == VELK_OK);
  velk_free(reply);

  CHECK(velk_bot_save(bot, &saved, &saved_length) == VELK_OK && saved_length > 2000);
  CHECK(velk_bot_restore(saved, saved_length, &again) == VELK_OK);
  {
    char *a, *b;
    size_t la, lb;
    CHECK(velk_bot_reply(bot, "hello", 5, &a, &la) == VELK_OK);
    CHECK(velk_bot_reply(again, "hello", 5, &b, &lb) == VELK_OK);
    CHECK(la == lb && memcmp(a, b, la) == 0);
    velk_free(a);
    velk_free(b);
  }
  velk_bot_free(again);
  again = (velk_bot*)1;
  CHECK(velk_bot_restore(saved, saved_length - 1, &again) == VELK_SAVED_TRUNCATED && again == NULL);
  saved[saved_length / 2] ^= 0x40;
  CHECK(velk_bot_restore(saved, saved_length, &again) == VELK_SAVED_CORRUPTED && again == NULL);
  CHECK(velk_bot_restore("nonsense", 8, &again) == VELK_NOT_SAVED);
  CHECK(strcmp(velk_status_message(VELK_SAVED_CORRUPTED), "saved conversation corrupted") == 0);
  velk_free(saved);

  CHECK(!velk_bot_ended(bot) && !velk_bot_ended(NULL));
  CHECK(velk_bot_reply(bot, "hello. exit", 11, &reply, &length) == VELK_OK && length == 0);
  velk_free(reply);
  CHECK(velk_bot_ended(bot));
  velk_bot_free(bot);
  velk_bot_free(NULL);
  velk_free(NULL);
  CHECK(strcmp(velk_version(), VELK_TEST_VERSION) == 0);

  printf("%s\n", failures ? "FAILED" : "passed");
  return failures != 0;
}
