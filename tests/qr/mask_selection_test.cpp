// The engine's six penalty rules, one at a time, on hand-made candidates:
// each scored by the engine's bit planes and by the module-by-module
// reference, which must agree.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "tests/qr/penalty_reference.h"

namespace {

// A candidate of version 1 (side 21) or 2 (side 25), all light, with its
// modules set by Dark().
struct Candidate {
    std::unique_ptr<ModuleMatrix> m = std::make_unique<ModuleMatrix>();
    explicit Candidate(int side = 21) {
        std::memset(m.get(), 0, sizeof(ModuleMatrix));
        m->side = static_cast<int16_t>(side);
    }
    void Dark(int x, int y) { m->modules[x * kMaxSide + y] = 1; }
    // Colours a horizontal line from (x, y) by the characters of `pattern`.
    void Row(int x, int y, const char* pattern) {
        for (int i = 0; pattern[i]; ++i) m->modules[(x + i) * kMaxSide + y] = pattern[i] == '1';
    }
    void Column(int x, int y, const char* pattern) {
        for (int i = 0; pattern[i]; ++i) m->modules[x * kMaxSide + y + i] = pattern[i] == '1';
    }
    PenaltyRules Score() const {
        const PenaltyRules planes = ScoreThroughPlanes(m.get());
        const PenaltyRules reference = ScorePenaltyRules(m.get());
        EXPECT_EQ(planes.rowRuns, reference.rowRuns);
        EXPECT_EQ(planes.columnRuns, reference.columnRuns);
        EXPECT_EQ(planes.blocks, reference.blocks);
        EXPECT_EQ(planes.rowFinders, reference.rowFinders);
        EXPECT_EQ(planes.columnFinders, reference.columnFinders);
        EXPECT_EQ(planes.balance, reference.balance);
        return planes;
    }
};

TEST(PenaltyRules, CornerSquaresAreTheThreeFinderCorners) {
    EXPECT_TRUE(InCornerSquare(0, 0, 21));
    EXPECT_TRUE(InCornerSquare(7, 7, 21));
    EXPECT_FALSE(InCornerSquare(8, 7, 21));
    EXPECT_TRUE(InCornerSquare(13, 0, 21));
    EXPECT_FALSE(InCornerSquare(12, 0, 21));
    EXPECT_TRUE(InCornerSquare(0, 20, 21));
    EXPECT_FALSE(InCornerSquare(20, 20, 21));
    EXPECT_FALSE(InCornerSquare(8, 8, 21));  // format modules are scored
}

// A checkerboard has no run, block or finder pattern anywhere.
Candidate Board(int side = 21) {
    Candidate c(side);
    for (int x = 0; x < side; ++x)
        for (int y = 0; y < side; ++y)
            if ((x + y) % 2) c.Dark(x, y);
    return c;
}

// Paints a dark run of `length` into row y from column x, with light modules
// on both sides.
void PaintRun(Candidate& c, int x, int y, int length) {
    std::string run(length + 2, '1');
    run.front() = run.back() = '0';
    c.Row(x - 1, y, run.c_str());
}

TEST(PenaltyRules, RunsScoreTheirLengthLessTwoFromFive) {
    EXPECT_EQ(Board().Score().Total(), 0);
    for (auto [length, points] : {std::pair{4, 0}, {5, 3}, {7, 5}, {11, 9}}) {
        Candidate c = Board();
        PaintRun(c, 9, 10, length);
        EXPECT_EQ(c.Score().rowRuns, points) << "run of " << length;
        EXPECT_EQ(c.Score().columnRuns, 0);
    }
}

TEST(PenaltyRules, ARunEndsAtACornerSquare) {
    // Row 3, columns 8 to 12 lie between the two top corner squares; the dark
    // modules inside the corners beside them do not lengthen the run.
    Candidate c = Board();
    c.Row(7, 3, "1111111");
    EXPECT_EQ(c.Score().rowRuns, 3);
    Candidate column = Board();
    column.Column(3, 7, "1111111");  // rows 8 to 12 between the left corners
    EXPECT_EQ(column.Score().columnRuns, 3);
}

TEST(PenaltyRules, BlocksAreTakenGreedilyWithoutSharingModules) {
    // Paint one area of one colour into a checkerboard.
    Candidate twoByThree = Board();
    twoByThree.Row(10, 10, "111"), twoByThree.Row(10, 11, "111");
    EXPECT_EQ(twoByThree.Score().blocks, 3);  // the standard would count 2 blocks
    Candidate threeByThree = Board();
    threeByThree.Row(10, 10, "111"), threeByThree.Row(10, 11, "111"), threeByThree.Row(10, 12, "111");
    EXPECT_EQ(threeByThree.Score().blocks, 3);  // the standard would count 4
    Candidate twoByFour = Board();
    twoByFour.Row(10, 10, "1111"), twoByFour.Row(10, 11, "1111");
    EXPECT_EQ(twoByFour.Score().blocks, 6);
}

TEST(PenaltyRules, FinderPatternsMustStartBeforeTheLastSevenModules) {
    // Row 10 of a light field: light everywhere but the pattern.
    Candidate atEnd;
    atEnd.Row(14, 10, "1011101");  // ends on column 20, the last
    Candidate beforeEnd;
    beforeEnd.Row(13, 10, "1011101");  // ends on column 19
    Candidate none;
    EXPECT_EQ(atEnd.Score().rowFinders, 0);
    EXPECT_EQ(beforeEnd.Score().rowFinders, 40);
    Candidate column;
    column.Column(10, 13, "1011101");
    EXPECT_EQ(column.Score().columnFinders, 40);
    EXPECT_EQ(column.Score().rowFinders, 0);
    EXPECT_EQ(none.Score().rowFinders + none.Score().columnFinders, 0);
    // Two patterns sharing a module: the scan jumps past the first.
    Candidate shared(25);
    shared.Row(8, 10, "1011101011101");
    EXPECT_EQ(shared.Score().rowFinders, 40);
}

TEST(PenaltyRules, BalanceTruncatesThePercentage) {
    // Side 21 counts 441 - 192 = 249 modules.
    for (auto [dark, points] : {std::pair{113, 10},   // 45.4 %: p 45, d 5
                                {124, 0},             // 49.8 %
                                {136, 0},             // 54.6 %: p 54, d 4
                                {137, 10},            // 55.0 %
                                {99, 20},             // 39.8 %: p 39, d 11
                                {0, 100}}) {
        Candidate c;
        int n = 0;
        for (int x = 0; x < 21 && n < dark; ++x)
            for (int y = 0; y < 21 && n < dark; ++y)
                if (!InCornerSquare(x, y, 21)) c.Dark(x, y), ++n;
        c.Dark(0, 0);  // corner modules never count
        EXPECT_EQ(c.Score().balance, points) << dark << " dark";
    }
}

}  // namespace
