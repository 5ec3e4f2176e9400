#include "frontends/web/conversation_store.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velk {
namespace {

// The database's layout; a newer program raises it and converts older files.
constexpr int kSchemaVersion = 1;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS conversations (
  id      TEXT PRIMARY KEY,
  saved   BLOB NOT NULL,
  ended   INTEGER NOT NULL,
  records INTEGER NOT NULL
);
CREATE TABLE IF NOT EXISTS records (
  conversation TEXT NOT NULL,
  number       INTEGER NOT NULL,
  text         TEXT NOT NULL,
  PRIMARY KEY (conversation, number)
) WITHOUT ROWID;
)sql";

}  // namespace

// Resets a prepared statement when the call using it is done, whatever happens.
class ConversationStore::Statement {
 public:
  explicit Statement(sqlite3_stmt* statement) : statement_(statement) {}
  ~Statement() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, std::string_view text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    return *this;
  }
  Statement& BindBlob(int index, std::string_view bytes) {
    sqlite3_bind_blob(statement_, index, bytes.data(), static_cast<int>(bytes.size()),
                      SQLITE_STATIC);
    return *this;
  }
  Statement& Bind(int index, std::int64_t number) {
    sqlite3_bind_int64(statement_, index, number);
    return *this;
  }
  // SQLITE_ROW or SQLITE_DONE; anything else is an error for the caller.
  int Step() { return sqlite3_step(statement_); }
  std::string Text(int column) const {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
    return std::string(bytes ? bytes : "",
                       static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
  }
  std::int64_t Number(int column) const { return sqlite3_column_int64(statement_, column); }

 private:
  sqlite3_stmt* statement_;
};

namespace {

sqlite3* Open(const std::string& path) {
  sqlite3* db = nullptr;
  const int opened = sqlite3_open_v2(
      path.c_str(), &db,
      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_NOFOLLOW,
      nullptr);
  if (opened != SQLITE_OK) {
    const std::string why = db ? sqlite3_errmsg(db) : sqlite3_errstr(opened);
    sqlite3_close(db);
    throw StoreError(why);
  }
  return db;
}

}  // namespace

ConversationStore::ConversationStore(const std::string& path) {
  // Created here rather than by SQLite, so that nobody else may read the
  // conversations; the log files SQLite makes beside it take its mode. The
  // lock (flock, which SQLite's own locks do not touch) is held as long as
  // the store is open.
  lockFd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
  if (lockFd_ < 0) {
    throw StoreError(errno == ELOOP ? "it is a link, which is not followed" : std::strerror(errno));
  }
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(lockFd_);
    throw StoreError(error == EWOULDBLOCK ? "in use by another program" : std::strerror(error));
  }
  try {
    db_ = Open(path);
    // A conversation's saved bytes (a few kilobytes) fit in one page of a
    // new database, so a commit writes two or three pages rather than a
    // chain of overflow pages. Measured: a fifth more replies a second.
    Execute("PRAGMA page_size = 8192");
    // NORMAL synchronisation in WAL mode keeps every commit through a crash
    // of the program; only a crash of the machine can lose the last ones.
    // The log is copied back by Checkpoint(), not inside a commit.
    Execute("PRAGMA journal_mode = WAL");
    Execute("PRAGMA synchronous = NORMAL");
    Execute("PRAGMA wal_autocheckpoint = 0");
    sqlite3_busy_timeout(db_, 5000);
    Execute("BEGIN IMMEDIATE");
    {
      Statement version(Prepare("PRAGMA user_version"));
      version.Step();
      const std::int64_t found = version.Number(0);
      if (found > kSchemaVersion) {
        Fail("made by a newer velk (layout " + std::to_string(found) + ")");
      }
    }
    Execute(kSchema);
    Execute(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    Execute("COMMIT");
    // Opened once the file is in WAL mode, which a connection notices only
    // when it first reads.
    checkpointDb_ = Open(path);
    sqlite3_busy_timeout(checkpointDb_, 5000);
    if (sqlite3_exec(checkpointDb_, "PRAGMA schema_version", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
      Fail(sqlite3_errmsg(checkpointDb_));
    }
    insertConversation_ =
        Prepare("INSERT INTO conversations (id, saved, ended, records) VALUES (?1, ?2, ?3, ?4)");
    updateConversation_ =
        Prepare("UPDATE conversations SET saved = ?2, ended = ?3, records = ?4 WHERE id = ?1");
    insertRecord_ = Prepare("INSERT INTO records (conversation, number, text) VALUES (?1, ?2, ?3)");
    selectConversation_ = Prepare("SELECT saved, ended, records FROM conversations WHERE id = ?1");
    selectEnded_ = Prepare("SELECT ended FROM conversations WHERE id = ?1");
    selectRecords_ = Prepare("SELECT text FROM records WHERE conversation = ?1 ORDER BY number");
    deleteRecords_ = Prepare("DELETE FROM records WHERE conversation = ?1");
    deleteConversation_ = Prepare("DELETE FROM conversations WHERE id = ?1");
    countConversations_ = Prepare("SELECT count(*) FROM conversations");
    begin_ = Prepare("BEGIN IMMEDIATE");
    commit_ = Prepare("COMMIT");
    rollback_ = Prepare("ROLLBACK");
  } catch (...) {
    Close();
    throw;
  }
}

ConversationStore::~ConversationStore() { Close(); }

void ConversationStore::Close() {
  for (sqlite3_stmt* statement : prepared_) sqlite3_finalize(statement);
  prepared_.clear();
  sqlite3_close(checkpointDb_);
  // The last connection to close copies the log into the database.
  sqlite3_close(db_);
  // Only now: closing another descriptor of the file earlier would drop
  // SQLite's own locks on it.
  ::close(lockFd_);
}

void ConversationStore::Checkpoint() {
  // First the bulk, with writes going on; then, with writes held, the few
  // frames they added meanwhile, so that the log is wholly copied and the
  // next write starts it afresh rather than growing it for ever.
  sqlite3_wal_checkpoint_v2(checkpointDb_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
  std::lock_guard lock(mutex_);
  sqlite3_wal_checkpoint_v2(checkpointDb_, nullptr, SQLITE_CHECKPOINT_RESTART, nullptr, nullptr);
}

void ConversationStore::Fail(const std::string& what) { throw StoreError(what); }

sqlite3_stmt* ConversationStore::Prepare(const char* sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) !=
      SQLITE_OK) {
    Fail(sqlite3_errmsg(db_));
  }
  prepared_.push_back(statement);
  return statement;
}

void ConversationStore::Execute(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    std::string why = message ? message : sqlite3_errmsg(db_);
    sqlite3_free(message);
    Fail(why);
  }
}

namespace {

// Runs `write` inside one transaction: committed when it returns, rolled back
// when it throws.
template <typename Write>
void InTransaction(sqlite3* db, sqlite3_stmt* begin, sqlite3_stmt* commit, sqlite3_stmt* rollback,
                   Write write) {
  auto run = [db](sqlite3_stmt* statement) {
    const int result = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (result != SQLITE_DONE) throw StoreError(sqlite3_errmsg(db));
  };
  run(begin);
  try {
    write();
    run(commit);
  } catch (...) {
    if (!sqlite3_get_autocommit(db)) {
      sqlite3_step(rollback);
      sqlite3_reset(rollback);
    }
    throw;
  }
}

}  // namespace

void ConversationStore::Write(sqlite3_stmt* write, std::string_view id,
                              const StoredConversation& conversation,
                              const std::vector<std::string>& records) {
  std::lock_guard lock(mutex_);
  InTransaction(db_, begin_, commit_, rollback_, [&] {
    {
      Statement statement(write);
      statement.Bind(1, id).BindBlob(2, conversation.Saved);
      statement.Bind(3, std::int64_t{conversation.Ended}).Bind(4, conversation.Records);
      if (statement.Step() != SQLITE_DONE) Fail(sqlite3_errmsg(db_));
      if (sqlite3_changes(db_) != 1) Fail("no such conversation");
    }
    const std::int64_t first = conversation.Records - static_cast<std::int64_t>(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
      Statement insert(insertRecord_);
      insert.Bind(1, id).Bind(2, first + static_cast<std::int64_t>(i)).Bind(3, records[i]);
      if (insert.Step() != SQLITE_DONE) Fail(sqlite3_errmsg(db_));
    }
  });
}

void ConversationStore::Create(std::string_view id, const StoredConversation& conversation,
                               const std::vector<std::string>& records) {
  Write(insertConversation_, id, conversation, records);
}

void ConversationStore::Update(std::string_view id, const StoredConversation& conversation,
                               const std::vector<std::string>& records) {
  Write(updateConversation_, id, conversation, records);
}

bool ConversationStore::Delete(std::string_view id) {
  std::lock_guard lock(mutex_);
  bool found = false;
  InTransaction(db_, begin_, commit_, rollback_, [&] {
    Statement records(deleteRecords_);
    if (records.Bind(1, id).Step() != SQLITE_DONE) Fail(sqlite3_errmsg(db_));
    Statement conversation(deleteConversation_);
    if (conversation.Bind(1, id).Step() != SQLITE_DONE) Fail(sqlite3_errmsg(db_));
    found = sqlite3_changes(db_) == 1;
  });
  return found;
}

std::optional<StoredConversation> ConversationStore::Load(std::string_view id) {
  std::lock_guard lock(mutex_);
  Statement select(selectConversation_);
  const int result = select.Bind(1, id).Step();
  if (result == SQLITE_DONE) return std::nullopt;
  if (result != SQLITE_ROW) Fail(sqlite3_errmsg(db_));
  return StoredConversation{select.Text(0), select.Number(1) != 0, select.Number(2)};
}

std::optional<StoredTranscript> ConversationStore::Transcript(std::string_view id) {
  std::lock_guard lock(mutex_);
  StoredTranscript transcript;
  {
    Statement select(selectEnded_);
    const int result = select.Bind(1, id).Step();
    if (result == SQLITE_DONE) return std::nullopt;
    if (result != SQLITE_ROW) Fail(sqlite3_errmsg(db_));
    transcript.Ended = select.Number(0) != 0;
  }
  Statement select(selectRecords_);
  select.Bind(1, id);
  int result;
  while ((result = select.Step()) == SQLITE_ROW) transcript.Records.push_back(select.Text(0));
  if (result != SQLITE_DONE) Fail(sqlite3_errmsg(db_));
  return transcript;
}

std::int64_t ConversationStore::Count() {
  std::lock_guard lock(mutex_);
  Statement count(countConversations_);
  if (count.Step() != SQLITE_ROW) Fail(sqlite3_errmsg(db_));
  return count.Number(0);
}

}  // namespace velk
