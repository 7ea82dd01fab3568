#include <gtest/gtest.h>

#include <string>

#include "forge/sound/score.h"

namespace torvel::forge {
namespace {

// A score header at 120 beats a minute, four beats a bar: a bar lasts 2 s.
std::string Head(const std::string& voices) {
  return "sound 200\ntempo 120\nbar 4\nloop\n" + voices;
}

Score MustParse(const std::string& text) {
  Score score;
  std::string error;
  EXPECT_TRUE(ParseScore(text, "test.score", score, error)) << error;
  return score;
}

TEST(ScoreGrid, StepsSplitTheBarAndHoldsLengthenTheNoteBefore) {
  Score s = MustParse(Head("voice t flute\npart A\nt | c4 - e4 . | - g4 - - |\nplay A\n"));
  ASSERT_EQ(s.voices.size(), 1u);
  const auto& e = s.voices[0].events;
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0].pitches, std::vector<int>{60});
  EXPECT_DOUBLE_EQ(e[0].start, 0.0);
  EXPECT_DOUBLE_EQ(e[0].length, 1.0);
  // e4 sounds one step; the rest ends it and the hold after the rest holds nothing.
  EXPECT_EQ(e[1].pitches, std::vector<int>{64});
  EXPECT_DOUBLE_EQ(e[1].length, 0.5);
  EXPECT_EQ(e[2].pitches, std::vector<int>{67});
  EXPECT_DOUBLE_EQ(e[2].start, 2.5);
  EXPECT_DOUBLE_EQ(e[2].length, 1.5);  // held to the end of the piece
  EXPECT_DOUBLE_EQ(s.length, 4.0);
}

TEST(ScoreGrid, EachBarKeepsItsOwnStepLength) {
  Score s = MustParse(Head("voice t flute\npart A\nt | c4 | d4 d4 | e4*4 |\nplay A\n"));
  const auto& e = s.voices[0].events;
  ASSERT_EQ(e.size(), 7u);
  EXPECT_DOUBLE_EQ(e[0].length, 2.0);
  EXPECT_DOUBLE_EQ(e[2].start, 3.0);
  EXPECT_DOUBLE_EQ(e[2].length, 1.0);
  EXPECT_DOUBLE_EQ(e[6].start, 5.5);
  EXPECT_DOUBLE_EQ(e[6].length, 0.5);
}

TEST(ScoreGrid, NotesAccidentalsAndAccents) {
  struct Case {
    const char* token;
    int midi;
    double velocity;
  };
  const Case cases[] = {
      {"a4", 69, 1.0}, {"c4", 60, 1.0},  {"c#4", 61, 1.0},  {"bb3", 58, 1.0},  {"b3", 59, 1.0},
      {"e0", 16, 1.0}, {"g8", 115, 1.0}, {"d5!", 74, 1.35}, {"f2?", 41, 0.55},
  };
  for (const Case& c : cases) {
    Score s =
        MustParse(Head(std::string("voice t piano\npart A\nt | ") + c.token + " |\nplay A\n"));
    ASSERT_EQ(s.voices[0].events.size(), 1u) << c.token;
    EXPECT_EQ(s.voices[0].events[0].pitches, std::vector<int>{c.midi}) << c.token;
    EXPECT_DOUBLE_EQ(s.voices[0].events[0].velocity, c.velocity) << c.token;
  }
}

TEST(ScoreChords, EachPlayModeVoicesTheChordItsOwnWay) {
  struct Case {
    const char* voice;
    const char* bar;
    std::vector<std::vector<int>> pitches;
  };
  const Case cases[] = {
      {"voice v strings octave 4", "| C |", {{60, 64, 67}}},
      {"voice v strings octave 4", "| Am7 |", {{57, 60, 64, 67}}},  // A sits below C
      {"voice v strings octave 3", "| F#dim |", {{54, 57, 60}}},
      {"voice v strings octave 4", "| Bbmaj7 |", {{58, 62, 65, 69}}},
      {"voice v strings octave 4", "| Dsus4 |", {{62, 67, 69}}},
      {"voice v bass octave 2 play root", "| E G |", {{40}, {43}}},
      // Arpeggios climb through two octaves and start again on a new chord.
      {"voice v harp octave 4 play arp",
       "| C C C C C C C F |",
       {{60}, {64}, {67}, {72}, {76}, {79}, {60}, {65}}},
  };
  for (const Case& c : cases) {
    Score s = MustParse(Head(std::string(c.voice) + "\npart A\nv " + c.bar + "\nplay A\n"));
    const auto& e = s.voices[0].events;
    ASSERT_EQ(e.size(), c.pitches.size()) << c.voice << c.bar;
    for (size_t i = 0; i < e.size(); ++i) EXPECT_EQ(e[i].pitches, c.pitches[i]) << c.voice << c.bar;
  }
}

TEST(ScoreDrums, LettersStackIntoOneHitAndIgnoreTransposition) {
  Score s =
      MustParse(Head("voice d drums\nvoice t piano\npart A\nd | kh . s . |\nt | c4 |\n"
                     "play A A+2\n"));
  const auto& d = s.voices[0].events;
  ASSERT_EQ(d.size(), 4u);
  EXPECT_EQ(d[0].drums, (1u << kKick) | (1u << kHat));
  EXPECT_EQ(d[1].drums, 1u << kSnare);
  EXPECT_DOUBLE_EQ(d[1].length, 0.5);
  EXPECT_EQ(d[2].drums, d[0].drums);  // the transposed pass drums the same
  const auto& t = s.voices[1].events;
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].pitches, std::vector<int>{60});
  EXPECT_EQ(t[1].pitches, std::vector<int>{62});
  EXPECT_DOUBLE_EQ(t[1].start, 2.0);
}

TEST(ScoreParts, PercentRepeatsTheBarAndAnAbsentVoiceRests) {
  Score s =
      MustParse(Head("voice t flute\nvoice d drums\n"
                     "part A\nt | c4 - - - | % |\nd | k . . . | % |\n"
                     "part B\nd | s | % |\n"
                     "play A B\n"));
  const auto& t = s.voices[0].events;
  ASSERT_EQ(t.size(), 2u);
  EXPECT_DOUBLE_EQ(t[1].start, 2.0);
  // Held to the end of part A, not on through B where the voice is silent.
  EXPECT_DOUBLE_EQ(t[1].length, 2.0);
  EXPECT_EQ(s.voices[1].events.size(), 4u);
  EXPECT_DOUBLE_EQ(s.length, 8.0);
}

TEST(ScoreGrid, SwingDelaysEveryOffBeatStep) {
  Score s = MustParse(
      "sound 204\ntempo 120\nbar 4\nswing 0.2\nloop\nvoice d drums\n"
      "part A\nd | h h h h h h h h | h h h |\nplay A\n");
  const auto& e = s.voices[0].events;
  ASSERT_EQ(e.size(), 11u);
  EXPECT_DOUBLE_EQ(e[0].start, 0.0);
  EXPECT_DOUBLE_EQ(e[1].start, 0.25 + 0.2 * 0.25);
  EXPECT_DOUBLE_EQ(e[2].start, 0.5);
  // Three steps in four beats are not eighths: no swing.
  EXPECT_DOUBLE_EQ(e[9].start, 2.0 + 2.0 / 3.0);
}

TEST(ScoreHeader, ReadsEveryLineAndComments) {
  Score s = MustParse(
      "# a comment line\nsound 205   # trailing comment\ntitle \"Intro\"\ntempo 90\nbar 3\nonce\n"
      "reverb 0.6 0.25\nloudness -14\nvoice t lead level 0.7 octave 5\n"
      "part A\nt | f#4 |\nplay A\n");
  EXPECT_EQ(s.sound, 205);
  EXPECT_FALSE(s.loop);
  EXPECT_DOUBLE_EQ(s.tempo, 90.0);
  EXPECT_EQ(s.beatsPerBar, 3);
  EXPECT_DOUBLE_EQ(s.reverbSize, 0.6);
  EXPECT_DOUBLE_EQ(s.reverbWet, 0.25);
  EXPECT_TRUE(s.haveLoudness);
  EXPECT_DOUBLE_EQ(s.loudnessDb, -14.0);
  EXPECT_DOUBLE_EQ(s.voices[0].level, 0.7);
  EXPECT_EQ(s.voices[0].octave, 5);
  EXPECT_EQ(s.voices[0].events[0].pitches, std::vector<int>{66});  // f#4 stays f#4
  EXPECT_DOUBLE_EQ(s.length, 2.0);
}

TEST(ScoreErrors, NameTheLineAndWhatIsWrong) {
  struct Case {
    std::string text;
    std::string where;  // "name:line"
    std::string what;
  };
  const std::string v = "voice t flute\n";
  const Case cases[] = {
      {"tempo 120\nloop\n" + v + "part A\nt | c4 |\nplay A\n", "test.score:6", "no 'sound'"},
      {"sound 200\nloop\n" + v + "part A\nt | c4 |\nplay A\n", "test.score:6", "no 'tempo'"},
      {"sound 200\ntempo 120\n" + v + "part A\nt | c4 |\nplay A\n", "test.score:6",
       "'loop' or 'once'"},
      {"sound 300\n", "test.score:1", "0..254"},
      {"sound 200\ntempo 5\n", "test.score:2", "tempo"},
      {"sound 200\nreverb 2 0.1\n", "test.score:2", "reverb"},
      {Head("voice t kazoo\n"), "test.score:5", "no instrument called kazoo"},
      {Head("voice t flute colour red\n"), "test.score:5", "cannot read 'colour red'"},
      {Head(v + v), "test.score:6", "named twice"},
      {Head(v + "part A\nx | c4 |\n"), "test.score:7", "'x' is neither"},
      {Head(v + "t | c4 |\n"), "test.score:6", "must follow a 'part'"},
      {Head(v + "part A\nt c4 |\n"), "test.score:7", "start with '|'"},
      {Head(v + "part A\nt | c4 | |\n"), "test.score:7", "empty bar"},
      {Head(v + "part A\nt | c4\n"), "test.score:7", "close the last bar"},
      {Head(v + "part A\nt | % |\n"), "test.score:7", "repeats the bar before"},
      {Head(v + "part A\nt | h4 |\nplay A\n"), "test.score:7", "not a note or chord"},
      {Head(v + "part A\nt | c |\nplay A\n"), "test.score:7", "needs an octave"},
      {Head(v + "part A\nt | c9 |\nplay A\n"), "test.score:7", "needs an octave"},
      {Head(v + "part A\nt | Cblue |\nplay A\n"), "test.score:7", "unknown chord"},
      {Head(v + "part A\nt | c4*0 |\n"), "test.score:7", "bad repeat"},
      {Head("voice d drums\npart A\nd | kz |\nplay A\n"), "test.score:7", "drum letters"},
      {Head(v + "part A\nt | ! |\nplay A\n"), "test.score:7", "lone accent"},
      {Head(v + "voice u bass\npart A\nt | c4 | c4 |\nu | c2 |\nplay A\n"), "test.score:7",
       "differ in bar count"},
      {Head(v + "part A\nplay A\n"), "test.score:6", "has no bars"},
      {Head(v + "part A\nt | c4 |\nplay B\n"), "test.score:8", "no part named B"},
      {Head(v + "part A\nt | c4 |\n"), "test.score:7", "no 'play'"},
      {Head(v + "part A\nt | c4 |\npart A\n"), "test.score:8", "written twice"},
      {Head(v + "part A\nvoice u bass\n"), "test.score:7", "before the first part"},
  };
  for (const Case& c : cases) {
    Score score;
    std::string error;
    EXPECT_FALSE(ParseScore(c.text, "test.score", score, error)) << c.text;
    EXPECT_NE(error.find(c.where + ":"), std::string::npos) << error << "\n" << c.text;
    EXPECT_NE(error.find(c.what), std::string::npos) << error << "\n" << c.text;
  }
}

}  // namespace
}  // namespace torvel::forge
