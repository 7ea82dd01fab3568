// Stand-in until the play loop lands: the time accounting the display needs.
#include "shell/play_loop.h"

namespace torvel {

namespace {
struct PlayLoopState {
  uint8_t suspended = 0;
  int32_t excludedPending = 0;
  uint8_t mode = 0;
  uint8_t challengeFlag = 0;
  uint8_t challengeParameter = 0;
  MapEvent pending;
};
PlayLoopState gPlay;
}  // namespace

void PlayGame(Display*, bool) {}

void SetSuspended(uint8_t suspended) {
  gPlay.suspended = suspended;
}
bool IsSuspended() {
  return gPlay.suspended != 0;
}
void AddExcludedTime(int32_t ms) {
  gPlay.excludedPending += ms;
}
int32_t TakePendingExcludedTime() {
  int32_t ms = gPlay.excludedPending;
  gPlay.excludedPending = 0;
  return ms;
}

void PostMapEvent(uint8_t event, uint8_t parameter) {
  gPlay.pending = {event, parameter};
}
MapEvent PendingMapEvent() {
  return gPlay.pending;
}
void SetPlayMode(uint8_t mode) {
  gPlay.mode = mode;
}
uint8_t PlayMode() {
  return gPlay.mode;
}

uint8_t ChallengeParameter() {
  return gPlay.challengeFlag ? gPlay.challengeParameter : 0;
}
bool NoChallengePending() {
  return gPlay.challengeFlag == 0;
}
void ClearChallengeFlag() {
  gPlay.challengeFlag = 0;
}

}  // namespace torvel
