#include "document/undo_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace tessaly {
namespace {

using Log = std::vector<std::string>;

// A step that only writes what is done to it into a log.
class ProbeEntry final : public UndoEntry {
public:
    ProbeEntry(Log& log, std::string name)
        : m_log(log)
        , m_name(std::move(name))
    {
    }
    ~ProbeEntry() override { m_log.push_back("destroy " + m_name); }
    void redo() override { m_log.push_back("redo " + m_name); }
    void undo() override { m_log.push_back("undo " + m_name); }

private:
    Log& m_log;
    std::string m_name;
};

class UndoHistoryTest : public ::testing::Test {
protected:
    void push(const std::string& name) { history.push(std::make_unique<ProbeEntry>(log, name)); }

    Log log;
    UndoHistory history;
};

TEST_F(UndoHistoryTest, AnEmptyHistoryHasNothingToUndoOrRedo)
{
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_FALSE(history.undo());
    EXPECT_FALSE(history.redo());
    EXPECT_TRUE(history.isAtSavedPoint());
}

TEST_F(UndoHistoryTest, PushTakesTheStepWithoutApplyingIt)
{
    push("a");
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    history.push(nullptr);
    EXPECT_EQ(history.count(), 1);
}

TEST_F(UndoHistoryTest, UndoAndRedoWalkTheStepsInOrder)
{
    push("a");
    push("b");
    push("c");
    EXPECT_TRUE(history.undo());
    EXPECT_TRUE(history.undo());
    EXPECT_TRUE(history.canRedo());
    EXPECT_TRUE(history.redo());
    EXPECT_TRUE(history.undo());
    EXPECT_TRUE(history.undo());
    EXPECT_FALSE(history.undo());
    EXPECT_FALSE(history.canUndo());
    EXPECT_TRUE(history.redo());
    EXPECT_TRUE(history.redo());
    EXPECT_TRUE(history.redo());
    EXPECT_FALSE(history.redo());
    EXPECT_EQ(log, (Log{"undo c", "undo b", "redo b", "undo b", "undo a", "redo a", "redo b", "redo c"}));
}

TEST_F(UndoHistoryTest, PushDiscardsEveryUndoneStep)
{
    push("a");
    push("b");
    push("c");
    history.undo();
    history.undo();
    log.clear();
    push("d");
    EXPECT_EQ(log, (Log{"destroy c", "destroy b"}));
    EXPECT_EQ(history.count(), 2);
    EXPECT_FALSE(history.canRedo());
    log.clear();
    history.undo();
    history.undo();
    EXPECT_EQ(log, (Log{"undo d", "undo a"}));
}

TEST_F(UndoHistoryTest, UndoingEverythingReturnsToTheStateAfterOpening)
{
    push("a");
    push("b");
    EXPECT_FALSE(history.isAtSavedPoint());
    history.undo();
    EXPECT_FALSE(history.isAtSavedPoint());
    history.undo();
    EXPECT_TRUE(history.isAtSavedPoint()); // both the cursor and the marker are none
}

TEST_F(UndoHistoryTest, TheSavedPointFollowsUndoAndRedo)
{
    push("a");
    push("b");
    history.markSaved();
    EXPECT_TRUE(history.isAtSavedPoint());
    history.undo();
    EXPECT_FALSE(history.isAtSavedPoint());
    history.redo();
    EXPECT_TRUE(history.isAtSavedPoint());
    push("c");
    EXPECT_FALSE(history.isAtSavedPoint());
    history.undo();
    EXPECT_TRUE(history.isAtSavedPoint());
}

TEST_F(UndoHistoryTest, ASavedStepDiscardedByANewEditIsNeverTheSavedPointAgain)
{
    push("a");
    push("b");
    history.markSaved();
    history.undo();
    push("c"); // discards b, the saved step
    EXPECT_FALSE(history.isAtSavedPoint());
    history.undo(); // back to a: the same content as some saved state, yet unsaved
    EXPECT_FALSE(history.isAtSavedPoint());
    history.undo();
    EXPECT_FALSE(history.isAtSavedPoint());
    // New steps may well reuse the discarded step's memory; none of them may
    // count as saved.
    for (int i = 0; i < 50; ++i) {
        push(std::to_string(i)); // (not "n" + ...: GCC 12 warns falsely about that at -O3)
        ASSERT_FALSE(history.isAtSavedPoint()) << i;
        history.undo();
        ASSERT_FALSE(history.isAtSavedPoint()) << i;
    }
    history.markSaved();
    EXPECT_TRUE(history.isAtSavedPoint());
}

TEST_F(UndoHistoryTest, ASavedPointBeforeEveryStepSurvivesDiscarding)
{
    history.markSaved(); // right after opening
    push("a");
    history.undo();
    push("b"); // discards a
    EXPECT_FALSE(history.isAtSavedPoint());
    history.undo();
    EXPECT_TRUE(history.isAtSavedPoint());
}

TEST_F(UndoHistoryTest, ClearDestroysEveryStepAndForgetsTheSavedPoint)
{
    push("a");
    push("b");
    history.undo();
    history.markSaved();
    push("c");
    log.clear();
    history.clear();
    std::sort(log.begin(), log.end());
    EXPECT_EQ(log, (Log{"destroy a", "destroy c"})); // b went with the push of c
    EXPECT_EQ(history.count(), 0);
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_TRUE(history.isAtSavedPoint());
}

} // namespace
} // namespace tessaly
