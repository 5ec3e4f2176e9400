// The C interface over velk::Bot: no exception crosses it.
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <string_view>

#include "velk/bot.h"
#include "velk/velk.h"
#include "velk/version.h"

struct velk_bot {
  velk::Bot bot;
};

namespace {

velk_status StatusOf(velk::RestoreError::Reason reason) {
  using Reason = velk::RestoreError::Reason;
  switch (reason) {
    case Reason::kNotSaved:
      return VELK_NOT_SAVED;
    case Reason::kTruncated:
      return VELK_SAVED_TRUNCATED;
    case Reason::kCorrupted:
      return VELK_SAVED_CORRUPTED;
    case Reason::kNewerVersion:
      return VELK_SAVED_NEWER_VERSION;
  }
  return VELK_INTERNAL_ERROR;
}

// Runs `work`, turning what it may throw into a status.
template <typename Work>
velk_status Guarded(Work&& work) {
  try {
    return work();
  } catch (const velk::RestoreError& error) {
    return StatusOf(error.Why());
  } catch (const std::bad_alloc&) {
    return VELK_OUT_OF_MEMORY;
  } catch (...) {
    return VELK_INTERNAL_ERROR;
  }
}

// A copy in a buffer the caller frees with velk_free, NUL-terminated.
velk_status Hand(std::string_view text, char** out, size_t* length) {
  char* buffer = static_cast<char*>(std::malloc(text.size() + 1));
  if (buffer == nullptr) return VELK_OUT_OF_MEMORY;
  if (!text.empty()) std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  *out = buffer;
  if (length != nullptr) *length = text.size();
  return VELK_OK;
}

std::string_view View(const char* text, size_t length) {
  return text == nullptr ? std::string_view() : std::string_view(text, length);
}

}  // namespace

extern "C" {

velk_status velk_bot_create(const velk_options* options, velk_bot** bot) {
  if (bot == nullptr) return VELK_INVALID_ARGUMENT;
  *bot = nullptr;
  return Guarded([&] {
    velk::BotOptions made;
    if (options != nullptr) {
      if (options->has_seed) made.Seed = options->seed;
      const std::string_view persona = View(options->persona, options->persona_length);
      if (!persona.empty()) made.Persona = persona;
    }
    *bot = new velk_bot{velk::Bot(made)};
    return VELK_OK;
  });
}

velk_status velk_bot_greet(velk_bot* bot, char** reply, size_t* reply_length) {
  if (bot == nullptr || reply == nullptr) return VELK_INVALID_ARGUMENT;
  return Guarded([&] { return Hand(bot->bot.Greet(), reply, reply_length); });
}

velk_status velk_bot_reply(velk_bot* bot, const char* line, size_t line_length, char** reply,
                           size_t* reply_length) {
  if (bot == nullptr || reply == nullptr || (line == nullptr && line_length != 0)) {
    return VELK_INVALID_ARGUMENT;
  }
  return Guarded(
      [&] { return Hand(bot->bot.Reply(View(line, line_length)), reply, reply_length); });
}

int velk_bot_ended(const velk_bot* bot) { return bot != nullptr && bot->bot.Ended() ? 1 : 0; }

velk_status velk_bot_save(const velk_bot* bot, char** data, size_t* data_length) {
  if (bot == nullptr || data == nullptr) return VELK_INVALID_ARGUMENT;
  return Guarded([&] { return Hand(bot->bot.Save(), data, data_length); });
}

velk_status velk_bot_restore(const char* data, size_t data_length, velk_bot** bot) {
  if (bot == nullptr || (data == nullptr && data_length != 0)) return VELK_INVALID_ARGUMENT;
  *bot = nullptr;
  return Guarded([&] {
    *bot = new velk_bot{velk::Bot::Restore(View(data, data_length))};
    return VELK_OK;
  });
}

void velk_bot_free(velk_bot* bot) { delete bot; }

void velk_free(void* buffer) { std::free(buffer); }

const char* velk_status_message(velk_status status) {
  switch (status) {
    case VELK_OK:
      return "ok";
    case VELK_INVALID_ARGUMENT:
      return "invalid argument: a required pointer was NULL";
    case VELK_OUT_OF_MEMORY:
      return "out of memory";
    case VELK_NOT_SAVED:
      return "not a saved Velk conversation";
    case VELK_SAVED_TRUNCATED:
      return "saved conversation truncated";
    case VELK_SAVED_CORRUPTED:
      return "saved conversation corrupted";
    case VELK_SAVED_NEWER_VERSION:
      return "saved conversation from a newer version of Velk";
    case VELK_INTERNAL_ERROR:
      break;
  }
  return "internal error";
}

const char* velk_version(void) { return VELK_VERSION; }

}  // extern "C"
