#pragma once
// The attribute roll and the start of a new game.

namespace veloria {

struct Game;

void AttributeScreen(Game& g);
void RollAttributes(Game& g);
void StartNewGame(Game& g);

}  // namespace veloria
