#include "forge/creatures/models.h"

namespace torvel::forge::creatures {

namespace {

DesignTable MakeDesigns() {
  DesignTable table{};
  RegisterHero(table);
  RegisterUndead(table);
  RegisterCrawlers(table);
  RegisterFliers(table);
  RegisterEyes(table);
  RegisterPlants(table);
  RegisterSwimmers(table);
  RegisterSnow(table);
  RegisterDesert(table);
  RegisterFolk(table);
  RegisterBosses(table);
  return table;
}

}  // namespace

Design DesignFor(int kind) {
  static const DesignTable designs = MakeDesigns();
  if (kind < 0 || kind >= kKindCount) return Design{};
  return designs[kind];
}

}  // namespace torvel::forge::creatures
