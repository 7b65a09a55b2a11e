#pragma once

#include "BoardBuilders.h"
#include "GameHarness.h"

#include <gtest/gtest.h>

namespace pomrola::testing {

// The windows with OneMoveBoard on the board and its move count shown.
class OneMoveGame : public WindowTest {
protected:
    void SetUp() override { harness.startWith(OneMoveBoard()); }
};

}  // namespace pomrola::testing
