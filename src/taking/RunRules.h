#pragma once

#include "IoResult.h"
#include "TestRecord.h"

#include <cstdint>
#include <QString>
#include <vector>

// The parts of a test run that need no window: how many questions to ask, the
// random draw of question records and answer arrangements, the answer check,
// the choice of feedback, and the texts of the counters, score and clock.
namespace taking {

// ---- How many questions a run asks
enum class CountChoice { All, Half, Custom };
// All: every question; Half: half of them with the fraction dropped, but at
// least one, so that a one-question test still asks its question; Custom: the
// count the candidate set.
int questionsToTake(CountChoice choice, int available, int custom);

// ---- The random draw
// Draws the generator discards before a draw: the seconds of the time of day
// ("hh:mm:ss"), read from its last two characters.
int stirCount(const QString& timeOfDay);
// Advances the program's generator by stirCount(current time of day) draws:
// the generator is never seeded, so this is what makes one run differ from
// the next.
void stirGenerator();

// The question records of a run, each drawn once. Record 0 does not exist and
// record 1 is the header, so both start used; records 2 .. available + 1 are
// questions.
class RecordDraw {
public:
    explicit RecordDraw(int questionsAvailable = 0);

    // Re-tests the record drawn last; while it is used, stirs the generator and
    // draws again: record = Int(r * available + 1) + 1. Marks the record it
    // settles on as used and returns it; 0 once every record is used.
    int next();

private:
    int m_available = 0;
    int m_lastDrawn = 0;
    int m_free = 0;
    std::vector<std::uint8_t> m_used; // indices 0 .. available + 1
};

// ---- Multiple-choice answers
// Int(r * 4) + 1 for a generator value r in [0, 1).
int arrangementFor(double r);
// Stirs the generator and draws an arrangement.
int drawArrangement();
// The answer row (0 = the top one ... 4 = the bottom one) that shows choice
// `choice` (1 .. 5) in `arrangement` (1 .. 4).
int rowForChoice(int arrangement, int choice);

// ---- The answer check
// Trailing blanks removed, upper case: the form in which answers are compared.
QString comparableAnswer(const QString& text);
bool isCorrectAnswer(const QString& storedCorrectAnswer, const QString& givenAnswer);

// ---- Feedback after an answer, from the test's four flag characters
enum class FeedbackKind { None, Short, Detailed };
// "0000": nothing at all; "1000": the short window; anything else: the detailed one.
FeedbackKind feedbackKind(const QString& flags);
struct FeedbackItems {
    bool verdict = false;       // first character
    bool explanation = false;   // second character
    bool correctAnswer = false; // third character
    bool correctSoFar = false;  // the last character
};
FeedbackItems feedbackItems(const QString& flags);

// ---- Texts of the run window
// " 1 of  10"
QString counterText(int current, int total);
// "Score:  30%"
QString scoreText(int score);
// "# Correct so far =  3"
QString correctSoFarText(int correct);
// The score bar is 58.95 twips long per percent; its width in pixels.
int scoreBarWidth(int score);

// The elapsed-time clock of a run: one tick a second.
class ElapsedClock {
public:
    void reset() { m_seconds = 0; }
    void tick() { ++m_seconds; }
    // "Elapsed Time: 0:05:09"; the hours have no leading zero.
    QString text() const;

private:
    long long m_seconds = 0;
};

// ---- Checks before a run starts
// The header of the test at `path` when the test can be taken. A test that
// vanished or is empty is refused; one that cannot be read (or is too large)
// fails with the file's reason. Never creates the file.
storage::IoResult<storage::TestRecord> readTestToTake(const QString& path);
// Question record `record` of the test at `path`, to ask now: refused when
// the file shrank or vanished since the run counted it, as the read found
// it; a record past the end would read as an empty question.
storage::IoResult<storage::TestRecord> readQuestionToAsk(const QString& path, int record);
// The message refusing a candidate name that cannot name a score log; empty
// when the name is fine.
QString candidateNameProblem(const QString& candidateName);

} // namespace taking
