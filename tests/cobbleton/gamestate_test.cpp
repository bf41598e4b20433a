#include "cobbleton/gamestate.h"

#include "asciiboard.h"

#include <gtest/gtest.h>

using namespace cobbleton;
using namespace leveldata;

namespace {

constexpr CellIndex Left = LeftStep;
constexpr CellIndex Right = RightStep;
constexpr CellIndex Up = UpStep;
constexpr CellIndex Down = DownStep;

// What one move showed, seen as the window sees it: at every showing the board is drawn and the
// victory test runs.
struct Shown
{
    int count = 0;
    int victories = 0;
    std::vector<Art> boards;
};

class Game : public ::testing::Test
{
protected:
    void start(const Art &art)
    {
        m_art = art;
        loadLevel(state, levelFromArt(art));
    }

    Shown press(CellIndex step)
    {
        Shown shown;
        move(state, step, [&] {
            ++shown.count;
            if (isWon(state))
                ++shown.victories;
            shown.boards.push_back(artLike(state.board, m_art));
        });
        return shown;
    }

    Art now() const { return artLike(state.board, m_art); }

    GameState state;

private:
    Art m_art{"###############"};
};

using GameStart = Game;
using GameLoad = Game;
using GameMove = Game;
using GameVictory = Game;
using GameBorder = Game;

} // namespace

TEST_F(GameStart, EmptyBoardIsNotWonAndNoMoveActs)
{
    EXPECT_EQ(state.placeCount, 1);
    EXPECT_EQ(state.placeList, std::vector<CellIndex>{0});
    EXPECT_EQ(state.underTile, Floor);
    EXPECT_FALSE(isWon(state));

    clearBoard(state);
    EXPECT_FALSE(isWon(state));

    // playerCell 0: Left and Up would leave the board, Right and Down meet walls.
    for (CellIndex step : {Left, Up, Right, Down}) {
        const Shown shown = press(step);
        EXPECT_EQ(shown.count, 0) << "step " << step;
        EXPECT_EQ(state.playerCell, 0);
    }
    EXPECT_EQ(state.board, Board{});
}

TEST_F(GameStart, ClearingKeepsPlaceCountAndPlayer)
{
    start({"####",
           "#.@#",
           "#o$#",
           "####"});
    clearBoard(state);

    EXPECT_EQ(state.board, Board{});
    EXPECT_EQ(state.placeCount, 1);
    EXPECT_EQ(state.placeList, std::vector<CellIndex>{0});
    EXPECT_EQ(state.playerCell, cellIndex(2, 1));
    EXPECT_FALSE(isWon(state));
}

TEST_F(GameLoad, TakesPlacesPlayerAndTextAndKeepsStrangeCodes)
{
    GameLevel level = levelFromArt({"#######",
                                    "#@.$.o#",
                                    "#o.$..#",
                                    "#######"});
    level.board[cellIndex(2, 1)] = 5;
    level.board[cellIndex(4, 1)] = 7;
    level.board[cellIndex(2, 2)] = -1;
    level.victoryText = "Победа!";
    loadLevel(state, level);

    EXPECT_EQ(state.board, level.board);
    EXPECT_EQ(state.placeList, (std::vector<CellIndex>{cellIndex(5, 1), cellIndex(1, 2)}));
    EXPECT_EQ(state.placeCount, 2);
    EXPECT_EQ(state.playerCell, cellIndex(1, 1));
    EXPECT_EQ(state.victoryText, "Победа!");

    // Step down onto the place, then walk into the -1 and out again: the codes elsewhere stay.
    press(Down);
    press(Right);
    EXPECT_EQ(state.board[cellIndex(2, 1)], 5);
    EXPECT_EQ(state.board[cellIndex(4, 1)], 7);
    EXPECT_EQ(state.board[cellIndex(2, 2)], Player);
    press(Up);
    EXPECT_EQ(state.board[cellIndex(2, 2)], Floor) << "a strange code walked over becomes Floor";
    EXPECT_EQ(state.board[cellIndex(2, 1)], Player);
}

TEST_F(GameLoad, FileWithoutPlayerKeepsPreviousPlayerCell)
{
    start({"#####",
           "#.@o#",
           "#$..#",
           "#####"});
    loadLevel(state, levelFromArt({"#####",
                                   "#...#",
                                   "#####"}));
    EXPECT_EQ(state.playerCell, cellIndex(2, 1));
    EXPECT_EQ(state.placeCount, 0);
    EXPECT_TRUE(isWon(state)) << "no places counts as won";
}

TEST_F(GameLoad, NewLoadResetsUnderTileAndRestarts)
{
    const Art art{"#####",
                  "#@o$#",
                  "#...#",
                  "#####"};
    start(art);
    press(Right);
    ASSERT_EQ(state.underTile, ItemPlace);

    start(art);
    EXPECT_EQ(state.underTile, Floor);
    EXPECT_EQ(now(), art);
    EXPECT_EQ(state.placeList, std::vector<CellIndex>{cellIndex(2, 1)});
    press(Down);
    EXPECT_EQ(now(), (Art{"#####",
                          "#.o$#",
                          "#@..#",
                          "#####"}));

    // The same level again, this time after standing on its place: the start cell of the new
    // level is Floor once the player leaves it.
    press(Up);
    press(Right);
    start({"#####",
           "#.o$#",
           "#@..#",
           "#####"});
    press(Up);
    EXPECT_EQ(now(), (Art{"#####",
                          "#@o$#",
                          "#...#",
                          "#####"}));
}

TEST_F(GameMove, WallsAndBlockedPushesChangeAndShowNothing)
{
    const Art art{"#######",
                  "#@$$o.#",
                  "#$....#",
                  "#.o...#",
                  "##o####"};
    start(art);

    EXPECT_EQ(press(Up).count, 0);
    EXPECT_EQ(press(Left).count, 0);
    EXPECT_EQ(press(Right).count, 0) << "two items in a row";
    EXPECT_EQ(press(Down).count, 1);
    EXPECT_EQ(now(), (Art{"#######",
                          "#.$$o.#",
                          "#@....#",
                          "#$o...#",
                          "##o####"}));
    EXPECT_EQ(press(Down).count, 0) << "item against the wall";
    EXPECT_EQ(now(), (Art{"#######",
                          "#.$$o.#",
                          "#@....#",
                          "#$o...#",
                          "##o####"}));
}

TEST_F(GameMove, PushOntoAndOffPlaceThenPlaceReappears)
{
    start({"#######",
           "#@$o..#",
           "#######"});

    Shown shown = press(Right);
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(now(), Art({"#######",
                          "#.@$..#",
                          "#######"}));

    shown = press(Right);
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(now(), Art({"#######",
                          "#..@$.#",
                          "#######"}));
    EXPECT_EQ(state.underTile, Floor);

    // Leaving the place: first shown as Floor, then the restore pass shows the place again.
    shown = press(Left);
    EXPECT_EQ(shown.count, 2);
    EXPECT_EQ(shown.boards, (std::vector<Art>{{"#######",
                                               "#.@.$.#",
                                               "#######"},
                                              {"#######",
                                               "#.@o$.#",
                                               "#######"}}));
}

TEST_F(GameMove, PlaceToPlaceShowsTheFirstPlaceAgain)
{
    start({"######",
           "#@oo.#",
           "#$...#",
           "######"});

    EXPECT_EQ(press(Right).count, 1);
    EXPECT_EQ(state.underTile, ItemPlace);

    const Shown shown = press(Right);
    EXPECT_EQ(shown.count, 2);
    EXPECT_EQ(shown.boards, (std::vector<Art>{{"######",
                                               "#..@.#",
                                               "#$...#",
                                               "######"},
                                              {"######",
                                               "#.o@.#",
                                               "#$...#",
                                               "######"}}));

    EXPECT_EQ(press(Right).count, 1);
    EXPECT_EQ(now(), (Art{"######",
                          "#.oo@#",
                          "#$...#",
                          "######"}));
    EXPECT_EQ(state.underTile, Floor);
}

TEST_F(GameMove, PushFromAPlaceLeavesThePlaceBehind)
{
    // The player stands on a place entered by a step and pushes from there.
    start({"######",
           "#@o$.#",
           "######"});
    press(Right);
    const Shown shown = press(Right);
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(now(), (Art{"######",
                          "#.o@$#",
                          "######"}));
}

TEST_F(GameMove, SecondPlayerTileIsFloorToWalkAndPush)
{
    start({"########",
           "#@.@$@o#",
           "########"});
    ASSERT_EQ(state.playerCell, cellIndex(5, 1)) << "the last player tile is the player";

    EXPECT_EQ(press(Right).count, 1);
    EXPECT_EQ(now(), (Art{"########",
                          "#@.@$.@#",
                          "########"}));
    press(Left);
    EXPECT_EQ(press(Left).count, 1) << "item pushed over the other player tile";
    press(Left);
    EXPECT_EQ(press(Left).count, 1) << "and over the first one";
    EXPECT_EQ(now(), (Art{"########",
                          "#$@...o#",
                          "########"}))
        << "the tile walked over is Floor";
    EXPECT_EQ(press(Left).count, 0);
    EXPECT_EQ(state.playerCell, cellIndex(2, 1));
}

TEST_F(GameVictory, ShownOncePerShowingWhileWon)
{
    start({"#######",
           "#@$o..#",
           "#.$o..#",
           "#.....#",
           "#######"});

    EXPECT_EQ(press(Right).victories, 0);
    press(Left);
    press(Down);
    Shown shown = press(Right);
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(shown.victories, 1) << "the winning move";

    EXPECT_EQ(press(Left).victories, 1) << "a further step";
    EXPECT_EQ(press(Left).count, 0) << "wall";
    EXPECT_EQ(press(Right).victories, 1);
    EXPECT_EQ(press(Down).victories, 1);
    EXPECT_EQ(press(Right).victories, 1);
    EXPECT_EQ(press(Up).count, 0) << "item against item";

    press(Left);
    press(Up);
    shown = press(Right);
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(shown.victories, 0) << "an item pushed off its place";
    EXPECT_FALSE(isWon(state));
}

TEST_F(GameVictory, MoreItemsThanPlaces)
{
    start({"#######",
           "#@$o.$#",
           "#..$..#",
           "#######"});
    const Shown shown = press(Right);
    EXPECT_EQ(shown.victories, 1);
    EXPECT_TRUE(isWon(state));
}

TEST_F(GameVictory, LevelWithNoPlacesIsAlwaysWon)
{
    start({"#####",
           "#@$.#",
           "#####"});
    EXPECT_TRUE(isWon(state));
    const Shown shown = press(Right);
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(shown.victories, 1);
}

TEST_F(GameVictory, ManyPlacesBeyondTwenty)
{
    start({"###############",
           "#@............#",
           "#.$$$$$$$$$$$$#",
           "#.oooooooooooo#",
           "#.#############",
           "#.............#",
           "##$$$$$$$$$$$$#",
           "##oooooooooooo#",
           "###############"});
    ASSERT_EQ(state.placeCount, 24);

    int victories = 0;
    for (int column = 2; column <= 13; ++column) {
        victories += press(Right).victories;
        victories += press(Down).victories;
        victories += press(Up).victories;
    }
    for (int column = 13; column > 1; --column)
        press(Left);
    for (int row = 1; row < 5; ++row)
        press(Down);
    ASSERT_EQ(state.playerCell, cellIndex(1, 5));
    for (int column = 2; column <= 13; ++column) {
        victories += press(Right).victories;
        const Shown shown = press(Down);
        EXPECT_EQ(shown.victories, column == 13 ? 1 : 0) << "column " << column;
        if (column < 13)
            victories += press(Up).victories;
    }
    EXPECT_EQ(victories, 0) << "no showing before the last push is won";
    EXPECT_TRUE(isWon(state));
}

TEST_F(GameBorder, OpenSidesWrapButNeverLeaveTheBoard)
{
    Art art(BoardRows, std::string(BoardColumns, '.'));
    start(art);
    state.playerCell = cellIndex(14, 1);
    state.board[state.playerCell] = Player;

    EXPECT_EQ(press(Right).count, 1);
    EXPECT_EQ(state.playerCell, cellIndex(0, 2)) << "right from column 14 goes on in the next row";
    EXPECT_EQ(press(Left).count, 1);
    EXPECT_EQ(state.playerCell, cellIndex(14, 1));

    // A push across the seam lands the item in column 0 of the next row.
    state.board[cellIndex(13, 1)] = Player;
    state.board[cellIndex(14, 1)] = Item;
    state.playerCell = cellIndex(13, 1);
    EXPECT_EQ(press(Right).count, 1);
    EXPECT_EQ(state.board[cellIndex(0, 2)], Item);

    const Board before = state.board;
    struct Refusal
    {
        CellIndex player;
        CellIndex item;   // -1: none
        CellIndex step;
    };
    for (const Refusal &r : {Refusal{cellIndex(3, 0), -1, Up},
                             Refusal{cellIndex(3, 11), -1, Down},
                             Refusal{0, -1, Left},
                             Refusal{179, -1, Right},
                             Refusal{cellIndex(3, 1), cellIndex(3, 0), Up},
                             Refusal{cellIndex(3, 10), cellIndex(3, 11), Down},
                             Refusal{1, 0, Left},
                             Refusal{178, 179, Right}}) {
        Board board = before;
        board[r.player] = Player;
        if (r.item >= 0)
            board[r.item] = Item;
        state.board = board;
        state.playerCell = r.player;
        EXPECT_FALSE(move(state, r.step, [] { ADD_FAILURE() << "refused move shown"; }))
            << "player " << r.player << " step " << r.step;
        EXPECT_EQ(state.board, board);
        EXPECT_EQ(state.playerCell, r.player);
    }
}
