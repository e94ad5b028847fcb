#pragma once
// The villain's walk and its three ways of turning.

namespace veloria {

struct Game;

void MoveVillain(Game& g);
void RandomTurn(Game& g);
void ChaseTurn(Game& g);
void MixedTurn(Game& g);
bool HitsAnyEvent(Game& g);

}  // namespace veloria
