#pragma once

// The game engine in one include: board and colours, generator, line finder
// and collapse, move counter and new game.
#include "Board.h"
#include "GameState.h"
#include "Lines.h"
#include "MoveCounter.h"
#include "Random.h"
