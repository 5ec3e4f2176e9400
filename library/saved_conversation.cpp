#include "library/saved_conversation.h"

#include <array>
#include <optional>
#include <utility>

#include "base/crc32.h"
#include "base/limits.h"
#include "velk/bot.h"

namespace velk {
namespace {

constexpr std::string_view kMagic = "VELKCONV";
// Magic, format version and total length, then the body; a CRC-32 of all
// that comes before it closes the bytes.
constexpr std::size_t kHeaderBytes = kMagic.size() + 2 + 4;
constexpr std::size_t kChecksumBytes = 4;

constexpr std::uint8_t kHasSeed = 1;
constexpr std::uint8_t kEnded = 2;

// The texts of ConversationState in the order they are saved.
constexpr std::array<std::string ConversationState::*, 10> kTexts = {
    &ConversationState::StatementMemory, &ConversationState::InputHistory,
    &ConversationState::RepeatWord,      &ConversationState::UserName,
    &ConversationState::BotName,         &ConversationState::UserGender,
    &ConversationState::NameGender,      &ConversationState::ReplyHistory,
    &ConversationState::LastContext,     &ConversationState::SwappedSentence,
};

// Little-endian numbers and length-prefixed texts.
class Writer {
 public:
  explicit Writer(std::size_t expected) { bytes_.reserve(expected); }

  void U8(std::uint8_t value) { bytes_ += static_cast<char>(value); }
  void U16(std::uint16_t value) { Append<2>(value); }
  void U32(std::uint32_t value) { Append<4>(value); }
  void Text(std::string_view text) {
    U32(static_cast<std::uint32_t>(text.size()));
    bytes_ += text;
  }
  // Writes `value` over the four bytes at `at`, written before.
  void U32At(std::size_t at, std::uint32_t value) { PutAt<4>(at, value); }
  std::string& Bytes() { return bytes_; }

 private:
  template <std::size_t N>
  void Append(std::uint32_t value) {
    bytes_.append(N, '\0');
    PutAt<N>(bytes_.size() - N, value);
  }
  template <std::size_t N>
  void PutAt(std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < N; ++i) bytes_[at + i] = static_cast<char>(value >> (8 * i));
  }

  std::string bytes_;
};

RestoreError Corrupted(const std::string& what) {
  return RestoreError(RestoreError::Reason::kCorrupted, "saved conversation corrupted: " + what);
}

// Reads what Writer wrote. The whole input has passed its checksum, so a read
// past the end or a value out of range means bytes that were written wrong.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  std::uint8_t U8() {
    Need(1);
    return static_cast<std::uint8_t>(bytes_[at_++]);
  }
  std::uint16_t U16() {
    const std::uint16_t low = U8();
    return static_cast<std::uint16_t>(low | U8() << 8);
  }
  std::uint32_t U32() {
    const std::uint32_t low = U16();
    return low | static_cast<std::uint32_t>(U16()) << 16;
  }
  std::string Text() {
    const std::uint32_t size = U32();
    Need(size);
    std::string text(bytes_.substr(at_, size));
    at_ += size;
    return text;
  }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  void Need(std::size_t count) const {
    if (bytes_.size() - at_ < count) throw Corrupted("a field runs past the end");
  }

  std::string_view bytes_;
  std::size_t at_ = 0;
};

bool IsDefault(const Candidate& slot) {
  return slot.Reply.empty() && slot.Context.empty() && slot.Score == 0;
}

void ReadBody(Reader& in, SavedConversation& saved) {
  const std::uint8_t flags = in.U8();
  if ((flags & ~(kHasSeed | kEnded)) != 0) throw Corrupted("unknown flags");
  const std::uint32_t seed = in.U32();
  if (flags & kHasSeed) {
    saved.Seed = seed;
  } else if (seed != 0) {
    throw Corrupted("a seed without its flag");
  }
  saved.Ended = (flags & kEnded) != 0;

  saved.Random.DrawsTaken = in.U16();
  if (saved.Random.DrawsTaken > Mt19937Random::kDrawsPerRound) {
    throw Corrupted("random generator position out of range");
  }
  for (std::uint32_t& word : saved.Random.Words) word = in.U32();

  ConversationState& state = saved.Talk.State;
  for (const auto text : kTexts) state.*text = in.Text();
  state.UserAge = static_cast<std::int16_t>(in.U16());

  const std::uint16_t filled = in.U16();
  int previous = -1;
  for (std::uint16_t i = 0; i < filled; ++i) {
    const int index = in.U16();
    if (index <= previous || index >= kCandidateSlots) {
      throw Corrupted("candidate slots out of order or range");
    }
    previous = index;
    Candidate& slot = saved.Talk.Candidates[index];
    slot.Score = static_cast<std::int16_t>(in.U16());
    slot.Reply = in.Text();
    slot.Context = in.Text();
    if (IsDefault(slot)) throw Corrupted("an empty candidate slot is listed");
  }
  if (!in.AtEnd()) throw Corrupted("bytes after the conversation");
}

}  // namespace

std::string SaveConversation(const Conversation& talk, const Mt19937Random& random,
                             std::optional<std::uint32_t> seed, bool ended) {
  const ConversationState& state = talk.State;
  std::size_t expected = kHeaderBytes + 64 + 4 * Mt19937Random::kStateWords + kChecksumBytes;
  for (const auto text : kTexts) expected += 4 + (state.*text).size();
  Writer out(expected);
  out.Bytes() += kMagic;
  out.U16(kSavedFormatVersion);
  out.U32(0);  // the total length, filled in below

  out.U8(static_cast<std::uint8_t>((seed ? kHasSeed : 0) | (ended ? kEnded : 0)));
  out.U32(seed.value_or(0));
  const Mt19937Random::Position position = random.Where();
  out.U16(static_cast<std::uint16_t>(position.DrawsTaken));
  for (const std::uint32_t word : position.Words) out.U32(word);

  for (const auto text : kTexts) out.Text(state.*text);
  out.U16(static_cast<std::uint16_t>(state.UserAge));

  // Only the slots that hold something: a slot keeps its contents between
  // lines, but most stay empty.
  const CandidateList& candidates = talk.Candidates;
  std::uint16_t filled = 0;
  for (int i = 0; i < kCandidateSlots; ++i) filled += !IsDefault(candidates[i]);
  out.U16(filled);
  for (int i = 0; i < kCandidateSlots; ++i) {
    const Candidate& slot = candidates[i];
    if (IsDefault(slot)) continue;
    out.U16(static_cast<std::uint16_t>(i));
    out.U16(static_cast<std::uint16_t>(slot.Score));
    out.Text(slot.Reply);
    out.Text(slot.Context);
  }

  out.U32At(kMagic.size() + 2, static_cast<std::uint32_t>(out.Bytes().size() + kChecksumBytes));
  out.U32(Crc32(out.Bytes()));
  return std::move(out.Bytes());
}

std::unique_ptr<SavedConversation> ReadSavedConversation(std::string_view bytes) {
  using Reason = RestoreError::Reason;
  const std::string_view magic = bytes.substr(0, kMagic.size());
  if (bytes.empty() || magic != kMagic.substr(0, magic.size())) {
    throw RestoreError(Reason::kNotSaved, "not a saved Velk conversation");
  }
  if (bytes.size() < kHeaderBytes) {
    throw RestoreError(Reason::kTruncated,
                       "saved conversation truncated: " + std::to_string(bytes.size()) + " bytes");
  }
  Reader header(bytes.substr(kMagic.size(), kHeaderBytes - kMagic.size()));
  const std::uint16_t version = header.U16();
  const std::uint32_t total = header.U32();
  if (version > kSavedFormatVersion) {
    throw RestoreError(Reason::kNewerVersion, "saved conversation in format " +
                                                  std::to_string(version) +
                                                  ", newer than this program reads (up to " +
                                                  std::to_string(kSavedFormatVersion) + ")");
  }
  if (version == 0) throw Corrupted("format 0");
  if (bytes.size() < total) {
    throw RestoreError(Reason::kTruncated,
                       "saved conversation truncated: " + std::to_string(bytes.size()) + " of " +
                           std::to_string(total) + " bytes");
  }
  if (bytes.size() > total || total < kHeaderBytes + kChecksumBytes) {
    throw Corrupted("its length does not match");
  }
  const std::string_view checked = bytes.substr(0, total - kChecksumBytes);
  if (Crc32(checked) != Reader(bytes.substr(checked.size())).U32()) {
    throw Corrupted("checksum mismatch");
  }

  // Format 1 is the only one so far; an older format would be read here
  // into the same fields.
  auto saved = std::make_unique<SavedConversation>();
  Reader body(checked.substr(kHeaderBytes));
  ReadBody(body, *saved);
  return saved;
}

}  // namespace velk
