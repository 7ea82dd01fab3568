// The behaviour routine of every kind, one line each. To give a kind its
// routine, declare the routine in its family's header and add a line below;
// a kind without a line does nothing, and kind numbers past 59 are never
// looked up beyond this table.
#include <array>

#include "actors/behaviour.h"

namespace torvel {

namespace {

struct Registration {
  uint8_t kind;
  BehaviourRoutine routine;
};

constexpr Registration kRegistrations[] = {
    {11, FriendlyBehaviour},
};

constexpr std::array<BehaviourRoutine, 256> BuildTable() {
  std::array<BehaviourRoutine, 256> table{};
  for (const Registration& r : kRegistrations) table[r.kind] = r.routine;
  return table;
}

constexpr std::array<BehaviourRoutine, 256> kRoutines = BuildTable();

// Routines tests put in place of the registered ones.
struct Overrides {
  std::array<bool, 256> active{};
  std::array<BehaviourRoutine, 256> routine{};
};

Overrides gOverrides;

}  // namespace

BehaviourRoutine BehaviourOf(uint8_t kind) {
  if (gOverrides.active[kind]) return gOverrides.routine[kind];
  return kRoutines[kind];
}

void OverrideBehaviour(uint8_t kind, BehaviourRoutine routine) {
  gOverrides.active[kind] = true;
  gOverrides.routine[kind] = routine;
}

void ClearBehaviourOverrides() {
  gOverrides = Overrides{};
}

}  // namespace torvel
