#include "engine/reply_engine.h"

#include <algorithm>
#include <bit>
#include <memory>

#include "base/limits.h"
#include "base/text.h"
#include "engine/normalise.h"
#include "engine/selection.h"
#include "engine/sentences.h"
#include "engine/statement_memory.h"
#include "responders/bot_questions.h"
#include "responders/content_words.h"
#include "responders/follow_ups.h"
#include "responders/keywords.h"
#include "styling/style_reply.h"

namespace velk {

// Working values of one GetReply call, kept over all of its sentences. The
// engine keeps one for all calls so that its texts keep their buffers; Start
// makes it new for each call.
struct ReplyEngine::CallState {
  void Start() {
    OpeningWords.clear();
    RestWords.clear();
    TakenWords = 0;
    PronounFlag = false;
  }

  std::string Text;          // the normalised line, which the sentences view
  std::string OpeningWords;  // the first two non-empty words of the input
  std::string RestWords;     // every later word, joined without blanks
  int TakenWords = 0;
  bool PronounFlag = false;  // set by the swap, never cleared within the call
  PreparedSentence Sentence;
};

ReplyEngine::ReplyEngine(Conversation& conversation, RandomSource& random, Clock& clock,
                         std::optional<std::uint32_t> fixedSeed)
    : turn_(conversation, random, clock),
      random_(random),
      clock_(clock),
      fixedSeed_(fixedSeed),
      call_(std::make_unique<CallState>()) {}

ReplyEngine::~ReplyEngine() = default;

void ReplyEngine::InitEngine(std::string_view botName, std::string_view userName) {
  random_.Seed(fixedSeed_ ? *fixedSeed_
                          : std::bit_cast<std::uint32_t>(clock_.SecondsSinceMidnight()));
  ConversationState& state = turn_.State();
  state.UserName = userName;
  state.BotName = botName;
  if (state.BotName.empty()) state.BotName = "Velk";
}

std::string ReplyEngine::GetReply(std::string_view rawLine) {
  turn_.ClearEndRequest();
  if (Trim(turn_.State().BotName).empty()) InitEngine("Velk", "");
  turn_.Candidates().ResetCount();

  const std::string_view line = CutAtUtf8Boundary(rawLine, kMaxLineBytes);
  CallState& call = *call_;
  call.Start();
  NormaliseInput(line, call.Text);
  SentenceViews sentences;
  const int sentenceCount = SplitSentences(call.Text, sentences);
  for (int s = 0; s < sentenceCount; ++s) {
    AnswerSentence(sentences[s], call);
    if (turn_.EndRequested()) return {};
  }
  return StyleReply(turn_, SelectWinner(turn_, recall_, line));
}

void ReplyEngine::AnswerSentence(std::string_view sentence, CallState& call) {
  PrepareSentence(sentence, call.Sentence, call.PronounFlag);
  const WordTable& words = call.Sentence.Words;
  const std::string& sentenceType = call.Sentence.SentenceType;

  // The word pass: the swapped sentence, recall of content words, the count.
  ConversationState& state = turn_.State();
  std::string& swapped = state.SwappedSentence;
  swapped.clear();
  int wordCount = 0;
  for (const std::string& word : words) {
    if (word.empty()) continue;
    swapped += word;
    swapped += ' ';
    if (IsContentWord(state, word)) RecallStatement(turn_, recall_, word);
    ++wordCount;
  }
  StoreStatement(state, wordCount, sentenceType, swapped);

  TakeOpeningWords(words, wordCount, call.OpeningWords, call.RestWords, call.TakenWords);

  AnswerBotQuestion(turn_, call.OpeningWords, call.RestWords);
  if (Contains(sentenceType, "Q")) AnswerBotQuestion(turn_, "", "");
  AnswerKeywords(turn_, swapped);
  if (turn_.EndRequested()) return;
  FollowUpContext(turn_, swapped);
  swapped.clear();
}

}  // namespace velk
