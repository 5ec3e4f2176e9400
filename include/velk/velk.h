/* Velk as a library, for C and any language with a C foreign-function
 * interface. A bot is one conversation with the persona.
 *
 *   velk_bot* bot;
 *   if (velk_bot_create(NULL, &bot) != VELK_OK) return 1;
 *   char* reply;
 *   size_t length;
 *   velk_bot_greet(bot, &reply, &length);
 *   puts(reply);
 *   velk_free(reply);
 *   velk_bot_free(bot);
 *
 * Texts go in as pointer and length (any bytes, NUL included) and come out
 * in buffers the library allocates, NUL-terminated for convenience, with
 * their length; free them with velk_free. Every function that can fail
 * returns a velk_status; velk_status_message names it. Bots share nothing:
 * any number may be used at once, each by one thread at a time. */
#ifndef VELK_VELK_H_
#define VELK_VELK_H_

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef enum velk_status {
  VELK_OK = 0,
  VELK_INVALID_ARGUMENT = 1, /* a required pointer was NULL */
  VELK_OUT_OF_MEMORY = 2,
  VELK_NOT_SAVED = 3,           /* the bytes are not a saved conversation */
  VELK_SAVED_TRUNCATED = 4,     /* they end before the conversation does */
  VELK_SAVED_CORRUPTED = 5,     /* they were changed after saving */
  VELK_SAVED_NEWER_VERSION = 6, /* saved by a newer program */
  VELK_INTERNAL_ERROR = 7
} velk_status;

typedef struct velk_options {
  int has_seed;        /* nonzero: the same lines give the same replies */
  uint32_t seed;       /* used when has_seed is nonzero */
  const char* persona; /* the persona's name; NULL or empty: "Velk" */
  size_t persona_length;
} velk_options;

typedef struct velk_bot velk_bot;

/* A new bot; `options` may be NULL (seeded from the clock, "Velk"). */
velk_status velk_bot_create(const velk_options* options, velk_bot** bot);

/* The opening greeting. */
velk_status velk_bot_greet(velk_bot* bot, char** reply, size_t* reply_length);

/* The reply to one line. A line holding the sentence "exit" ends the
 * conversation: its reply, and every later one, is empty. */
velk_status velk_bot_reply(velk_bot* bot, const char* line, size_t line_length, char** reply,
                           size_t* reply_length);

/* 1 once the conversation has ended, otherwise 0 (also for NULL). */
int velk_bot_ended(const velk_bot* bot);

/* The whole conversation as bytes (docs/saved-conversation.md). */
velk_status velk_bot_save(const velk_bot* bot, char** data, size_t* data_length);

/* A bot that goes on as the saved one would; on failure *bot is NULL. */
velk_status velk_bot_restore(const char* data, size_t data_length, velk_bot** bot);

void velk_bot_free(velk_bot* bot);

/* Frees a buffer the library returned; NULL is allowed. */
void velk_free(void* buffer);

/* A short English text naming the status; never NULL, never to be freed. */
const char* velk_status_message(velk_status status);

/* The library's version, "MAJOR.MINOR.PATCH". */
const char* velk_version(void);

#ifdef __cplusplus
}
#endif

#endif /* VELK_VELK_H_ */
