// SPDX-License-Identifier: GPL-3.0-or-later
#include "cobbleton/advisor.h"

#include "tests/support/boardart.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace cobbleton;
using testsupport::Art;

namespace {

// u u r U pushes the upper item into the corner above it; d d R then pushes the other onto its
// place, l R off it again.
const Art Corner{"#######", "##....#", "#.$.o.#", "#.....#", "#..$o.#", "#@....#", "#######"};

} // namespace

// The undos back to the last position that can be won: from the verdicts kept after each push,
// or searched for afterwards (by halves when several pushes followed the one that lost).
TEST(LostPositions, UndosBackToTheLastPositionThatCanBeWon)
{
    struct Case
    {
        const char *name;
        Art art;
        std::string moves;
        bool checkEachPush;
        Winnable current;
        std::optional<std::size_t> undos;
    };
    const Case cases[] = {
        {"not lost", Corner, "urR", false, Winnable::Yes, std::nullopt},
        {"checked after the push that lost", Corner, "uurUl", true, Winnable::No, 2},
        {"more pushes after the one that lost", Corner, "uurUddRlR", false, Winnable::No, 6},
        {"the same, checked after each push", Corner, "uurUddRlR", true, Winnable::No, 6},
        {"lost from the start", {"#####", "#$.o#", "#@..#", "#####"}, "r", false, Winnable::No, std::nullopt},
        {"fewer items than places", {"######", "#@$oo#", "######"}, "", false, Winnable::No, std::nullopt},
        {"more items than places: not said",
         {"######", "#@$$o#", "#....#", "######"},
         "",
         false,
         Winnable::Unknown,
         std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GameState state;
        loadLevel(state, testsupport::levelFromArt(c.art));
        Advisor advisor;
        advisor.startLevel(state.placeList);
        const auto check = [&] { // the position, then the count
            for (int stage = 0; stage < 2; ++stage) {
                if (std::optional<Advisor::LostCheck> check = advisor.assess(state).check) {
                    for (const Advisor::Finding &found : Advisor::runLostCheck(*check, std::chrono::seconds(10), {}))
                        advisor.learn(found.from, found.verdict);
                }
            }
        };
        for (const char move : c.moves) {
            ASSERT_TRUE(cobbleton::move(state, stepOfLetter(move)).moved);
            if (c.checkEachPush && std::isupper(static_cast<unsigned char>(move)))
                check();
        }
        check();
        const Advisor::Assessment assessment = advisor.assess(state);
        EXPECT_EQ(assessment.current, c.current);
        EXPECT_EQ(assessment.undos, c.undos);
        EXPECT_EQ(assessment.check.has_value(), c.current == Winnable::Unknown);
    }
}
