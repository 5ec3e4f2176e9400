// Conversations kept in an SQLite database: each one's saved bytes and its
// log records. One writer, the service; every change is one transaction.
#ifndef VELK_FRONTENDS_WEB_CONVERSATION_STORE_H_
#define VELK_FRONTENDS_WEB_CONVERSATION_STORE_H_

#include <cstdint>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace velk {

// A database that cannot be opened or written, with SQLite's reason.
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a conversation holds between lines.
struct StoredConversation {
  std::string Saved;     // velk::Bot::Save()
  bool Ended = false;    // the sentence EXIT was said
  std::int64_t Records;  // log records so far
};

// What a conversation shows of itself: whether it ended, and its log records,
// oldest first.
struct StoredTranscript {
  bool Ended = false;
  std::vector<std::string> Records;
};

// Safe to use from many threads: calls are taken one at a time.
class ConversationStore {
 public:
  // Opens or creates the database (readable by its owner only), in WAL mode
  // and locked, so that a second service on the same file is refused rather
  // than answering from stale copies. Throws StoreError.
  explicit ConversationStore(const std::string& path);
  ~ConversationStore();
  ConversationStore(const ConversationStore&) = delete;
  ConversationStore& operator=(const ConversationStore&) = delete;

  // Each write is one transaction, committed when the call returns; a failed
  // one changes nothing and throws StoreError.
  void Create(std::string_view id, const StoredConversation& conversation,
              const std::vector<std::string>& records);
  // Replaces the saved bytes and appends `records` after the ones there.
  void Update(std::string_view id, const StoredConversation& conversation,
              const std::vector<std::string>& records);
  // False when there was no such conversation.
  bool Delete(std::string_view id);

  std::optional<StoredConversation> Load(std::string_view id);
  std::optional<StoredTranscript> Transcript(std::string_view id);

  std::int64_t Count();

  // Copies what the write-ahead log holds into the database and syncs it.
  // Commits only append to the log, so this is the one place that waits for
  // the disk; it runs on a thread of its own, never inside a request, and
  // holds up the writes only while it copies the last few pages and starts
  // the log afresh, which keeps the log from growing for ever.
  void Checkpoint();

 private:
  class Statement;
  sqlite3_stmt* Prepare(const char* sql);
  void Execute(const char* sql);
  // Runs `write` (the insert or the update of a conversation, which take the
  // same parameters) and appends the records, in one transaction.
  void Write(sqlite3_stmt* write, std::string_view id, const StoredConversation& conversation,
             const std::vector<std::string>& records);
  [[noreturn]] void Fail(const std::string& what);

  void Close();

  std::mutex mutex_;
  int lockFd_ = -1;  // the database file, locked against a second service
  sqlite3* db_ = nullptr;
  sqlite3* checkpointDb_ = nullptr;  // used by Checkpoint() alone
  std::vector<sqlite3_stmt*> prepared_;
  sqlite3_stmt* insertConversation_ = nullptr;
  sqlite3_stmt* updateConversation_ = nullptr;
  sqlite3_stmt* insertRecord_ = nullptr;
  sqlite3_stmt* selectConversation_ = nullptr;
  sqlite3_stmt* selectEnded_ = nullptr;
  sqlite3_stmt* selectRecords_ = nullptr;
  sqlite3_stmt* deleteRecords_ = nullptr;
  sqlite3_stmt* deleteConversation_ = nullptr;
  sqlite3_stmt* countConversations_ = nullptr;
  sqlite3_stmt* begin_ = nullptr;
  sqlite3_stmt* commit_ = nullptr;
  sqlite3_stmt* rollback_ = nullptr;
};

}  // namespace velk

#endif  // VELK_FRONTENDS_WEB_CONVERSATION_STORE_H_
