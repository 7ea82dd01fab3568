// The creature designs, registered by family.
#pragma once

#include <array>

#include "actors/kinds.h"
#include "forge/creatures/creature_sets.h"

namespace torvel::forge::creatures {

using DesignTable = std::array<Design, kKindCount>;

void RegisterHero(DesignTable& table);
void RegisterUndead(DesignTable& table);
void RegisterCrawlers(DesignTable& table);
void RegisterFliers(DesignTable& table);
void RegisterEyes(DesignTable& table);
void RegisterPlants(DesignTable& table);
void RegisterSwimmers(DesignTable& table);
void RegisterSnow(DesignTable& table);
void RegisterDesert(DesignTable& table);
void RegisterFolk(DesignTable& table);
void RegisterBosses(DesignTable& table);

}  // namespace torvel::forge::creatures
