// The routine of every monster kind, by family. Each is registered for its
// kind in behaviour_table.cpp; all share the signature of BehaviourRoutine.
//
// The families live in behaviours_*.cpp: walkers chase on foot, fliers keep
// to the air, swimmers keep to liquid, spawners bring out more creatures,
// stationary shooters stand and fire, and the bosses guard the worlds' ends.
#pragma once

#include "actors/behaviour.h"

namespace torvel {

// Walkers (behaviours_walkers.cpp and behaviours_walkers2.cpp).
void SkeletonBehaviour(Guy& guy, Map& map, World& world, Guy* target);       // 2
void SpiderBehaviour(Guy& guy, Map& map, World& world, Guy* target);         // 4
void BigSpiderBehaviour(Guy& guy, Map& map, World& world, Guy* target);      // 5
void ZombieBehaviour(Guy& guy, Map& map, World& world, Guy* target);         // 6
void PygmyBehaviour(Guy& guy, Map& map, World& world, Guy* target);          // 9
void EyeguyBehaviour(Guy& guy, Map& map, World& world, Guy* target);         // 13
void ShroomLordBehaviour(Guy& guy, Map& map, World& world, Guy* target);     // 18
void MicroBehaviour(Guy& guy, Map& map, World& world, Guy* target);          // 19
void GolemBehaviour(Guy& guy, Map& map, World& world, Guy* target);          // 20
void ShroomBehaviour(Guy& guy, Map& map, World& world, Guy* target);         // 24
void StickmanBehaviour(Guy& guy, Map& map, World& world, Guy* target);       // 30
void SnowguyBehaviour(Guy& guy, Map& map, World& world, Guy* target);        // 33
void PenguinBehaviour(Guy& guy, Map& map, World& world, Guy* target);        // 34
void ZomboniBehaviour(Guy& guy, Map& map, World& world, Guy* target);        // 35
void GeozoidBehaviour(Guy& guy, Map& map, World& world, Guy* target);        // 38
void MumbleBehaviour(Guy& guy, Map& map, World& world, Guy* target);         // 39
void CactusBehaviour(Guy& guy, Map& map, World& world, Guy* target);         // 42
void RollerBehaviour(Guy& guy, Map& map, World& world, Guy* target);         // 43
void MechaBehaviour(Guy& guy, Map& map, World& world, Guy* target);          // 46
void CentipedeBodyBehaviour(Guy& guy, Map& map, World& world, Guy* target);  // 51
void CentipedeHeadBehaviour(Guy& guy, Map& map, World& world, Guy* target);  // 52
void WackoBehaviour(Guy& guy, Map& map, World& world, Guy* target);          // 53
void SantaBehaviour(Guy& guy, Map& map, World& world, Guy* target);          // 59

// Fliers (behaviours_fliers.cpp).
void BatBehaviour(Guy& guy, Map& map, World& world, Guy* target);        // 3
void PteroBehaviour(Guy& guy, Map& map, World& world, Guy* target);      // 12
void PeeperBehaviour(Guy& guy, Map& map, World& world, Guy* target);     // 14
void BigBatBehaviour(Guy& guy, Map& map, World& world, Guy* target);     // 31
void DjinniBehaviour(Guy& guy, Map& map, World& world, Guy* target);     // 40
void LichBehaviour(Guy& guy, Map& map, World& world, Guy* target);       // 44
void DustDevilBehaviour(Guy& guy, Map& map, World& world, Guy* target);  // 45

// Swimmers (behaviours_swimmers.cpp).
void SerpentBehaviour(Guy& guy, Map& map, World& world, Guy* target);     // 10
void MagmazoidBehaviour(Guy& guy, Map& map, World& world, Guy* target);   // 23
void FreakazoidBehaviour(Guy& guy, Map& map, World& world, Guy* target);  // 50

// Spawners (behaviours_spawners.cpp).
void EggSacBehaviour(Guy& guy, Map& map, World& world, Guy* target);        // 7
void MotherSpiderBehaviour(Guy& guy, Map& map, World& world, Guy* target);  // 8
void MossBehaviour(Guy& guy, Map& map, World& world, Guy* target);          // 21
void MossGroundBehaviour(Guy& guy, Map& map, World& world, Guy* target);    // 22
void TentacleBehaviour(Guy& guy, Map& map, World& world, Guy* target);      // 27, 28
void HugeBatBehaviour(Guy& guy, Map& map, World& world, Guy* target);       // 29
void LampBehaviour(Guy& guy, Map& map, World& world, Guy* target);          // 41

// Stationary shooters (behaviours_shooters.cpp).
void LookylooBehaviour(Guy& guy, Map& map, World& world, Guy* target);   // 16
void PinkeyeBehaviour(Guy& guy, Map& map, World& world, Guy* target);    // 17
void TheThingBehaviour(Guy& guy, Map& map, World& world, Guy* target);   // 26
void SphinxArmBehaviour(Guy& guy, Map& map, World& world, Guy* target);  // 47, 48
void SphinxBehaviour(Guy& guy, Map& map, World& world, Guy* target);     // 49
void BoilerBehaviour(Guy& guy, Map& map, World& world, Guy* target);     // 54
void UltrazoidBehaviour(Guy& guy, Map& map, World& world, Guy* target);  // 56

// Bosses that walk (behaviours_bosses.cpp and behaviours_bobby.cpp).
void TowerBehaviour(Guy& guy, Map& map, World& world, Guy* target);      // 15
void BigShroomBehaviour(Guy& guy, Map& map, World& world, Guy* target);  // 25
void BobbyBehaviour(Guy& guy, Map& map, World& world, Guy* target);      // 32
void YetiBehaviour(Guy& guy, Map& map, World& world, Guy* target);       // 36, 37
void VorgaBehaviour(Guy& guy, Map& map, World& world, Guy* target);      // 57
void SdzlBehaviour(Guy& guy, Map& map, World& world, Guy* target);       // 58

}  // namespace torvel
