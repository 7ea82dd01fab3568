// The behaviour routine of every kind, one line each. To give a kind its
// routine, declare the routine in its family's header and add a line below;
// a kind without a line does nothing, and kind numbers past 59 are never
// looked up beyond this table.
#include <array>

#include "actors/behaviour.h"
#include "actors/behaviour_kinds.h"

namespace torvel {

namespace {

struct Registration {
  uint8_t kind;
  BehaviourRoutine routine;
};

// Kind 1 is the hero (the player control thinks for it) and kind 55 only
// stands there.
constexpr Registration kRegistrations[] = {
    {2, SkeletonBehaviour},       {3, BatBehaviour},
    {4, SpiderBehaviour},         {5, BigSpiderBehaviour},
    {6, ZombieBehaviour},         {7, EggSacBehaviour},
    {8, MotherSpiderBehaviour},   {9, PygmyBehaviour},
    {10, SerpentBehaviour},       {11, FriendlyBehaviour},
    {12, PteroBehaviour},         {13, EyeguyBehaviour},
    {14, PeeperBehaviour},        {15, TowerBehaviour},
    {16, LookylooBehaviour},      {17, PinkeyeBehaviour},
    {18, ShroomLordBehaviour},    {19, MicroBehaviour},
    {20, GolemBehaviour},         {21, MossBehaviour},
    {22, MossGroundBehaviour},    {23, MagmazoidBehaviour},
    {24, ShroomBehaviour},        {25, BigShroomBehaviour},
    {26, TheThingBehaviour},      {27, TentacleBehaviour},
    {28, TentacleBehaviour},      {29, HugeBatBehaviour},
    {30, StickmanBehaviour},      {31, BigBatBehaviour},
    {32, BobbyBehaviour},         {33, SnowguyBehaviour},
    {34, PenguinBehaviour},       {35, ZomboniBehaviour},
    {36, YetiBehaviour},          {37, YetiBehaviour},
    {38, GeozoidBehaviour},       {39, MumbleBehaviour},
    {40, DjinniBehaviour},        {41, LampBehaviour},
    {42, CactusBehaviour},        {43, RollerBehaviour},
    {44, LichBehaviour},          {45, DustDevilBehaviour},
    {46, MechaBehaviour},         {47, SphinxArmBehaviour},
    {48, SphinxArmBehaviour},     {49, SphinxBehaviour},
    {50, FreakazoidBehaviour},    {51, CentipedeBodyBehaviour},
    {52, CentipedeHeadBehaviour}, {53, WackoBehaviour},
    {54, BoilerBehaviour},        {56, UltrazoidBehaviour},
    {57, VorgaBehaviour},         {58, SdzlBehaviour},
    {59, SantaBehaviour},
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
