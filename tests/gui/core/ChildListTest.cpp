// The child list of the frame and the view container: order, growth and its failure,
// removal, the walks, and the one reference each entry owns. The global array operator new
// that the list grows with is replaced (qv_test_counted_allocation), so that a test can make
// it fail.
#include "gui/core/ChildList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/core/Frame.h"
#include "gui/core/ViewContainer.h"
#include "tests/gui/controls/ViewProbes.h"
#include "tests/support/allocation/CountedAllocation.h"

namespace {

using Log = std::vector<std::string>;

// Makes the storage's next growth fail for as long as it lives.
struct ArraysFail {
  ArraysFail() { counted_allocation::failNothrowArrays(true); }
  ~ArraysFail() { counted_allocation::failNothrowArrays(false); }
  ArraysFail(const ArraysFail&) = delete;
  ArraysFail& operator=(const ArraysFail&) = delete;
};

// Views with a name and a flag that tells of their deletion, made with the creator's one
// reference.
class Views {
 public:
  ProbeView* make(const std::string& name) {
    gone.push_back(std::make_unique<bool>(false));
    return new ProbeView(Rect(0, 0, 5, 5), name, &log, gone.back().get());
  }
  bool deleted(std::size_t madeAt) const { return *gone[madeAt]; }

  Log log;

 private:
  std::vector<std::unique_ptr<bool>> gone;
};

std::vector<View*> listed(const ChildList& list) {
  std::vector<View*> out;
  for (std::int32_t i = 0; i < list.count(); ++i) out.push_back(list.at(i));
  return out;
}

TEST(ChildList, KeepsTheOrderOfAddingAndFindsTheFirstEntry) {
  Views views;
  ChildList list;
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.at(0), nullptr);
  ProbeView* a = views.make("a");
  ProbeView* b = views.make("b");
  EXPECT_FALSE(list.add(nullptr));
  ASSERT_TRUE(list.add(a));
  ASSERT_TRUE(list.add(b));
  // The same view twice is two entries, each with its own reference.
  a->retain();
  ASSERT_TRUE(list.add(a));
  EXPECT_EQ(listed(list), (std::vector<View*>{a, b, a}));
  EXPECT_EQ(list.at(-1), nullptr);
  EXPECT_EQ(list.at(3), nullptr);
  EXPECT_EQ(list.indexOf(a), 0);
  EXPECT_EQ(list.indexOf(b), 1);
  EXPECT_EQ(list.indexOf(nullptr), -1);
  EXPECT_FALSE(list.contains(nullptr));
  View stranger(Rect{});
  EXPECT_FALSE(list.contains(&stranger));
  EXPECT_EQ(a->referenceCount(), 2);
  EXPECT_EQ(b->referenceCount(), 1);
}

TEST(ChildList, GrowsInBlocksWithoutTouchingTheReferences) {
  Views views;
  ChildList list;
  std::vector<View*> added;
  for (int i = 0; i < 61; ++i) {
    added.push_back(views.make("v"));
    ASSERT_TRUE(list.add(added.back())) << "entry " << i;
  }
  EXPECT_EQ(listed(list), added);
  for (View* view : added) EXPECT_EQ(view->referenceCount(), 1);
}

TEST(ChildList, AFailedGrowthLeavesTheListAndTheReferenceAlone) {
  Views views;
  ChildList list;
  std::vector<View*> added;
  for (int i = 0; i < 20; ++i) {
    added.push_back(views.make("v"));
    ASSERT_TRUE(list.add(added.back()));
  }
  ProbeView* refused = views.make("refused");
  {
    ArraysFail failing;
    EXPECT_FALSE(list.add(refused));
  }
  EXPECT_EQ(listed(list), added);
  EXPECT_EQ(refused->referenceCount(), 1);
  EXPECT_FALSE(list.contains(refused));
  // The full list takes the view once the storage can grow again.
  ASSERT_TRUE(list.add(refused));
  EXPECT_EQ(list.at(20), refused);
  // A list that has not grown yet fails its first add too.
  ChildList empty;
  ProbeView* first = views.make("first");
  {
    ArraysFail failing;
    EXPECT_FALSE(empty.add(first));
  }
  EXPECT_EQ(empty.count(), 0);
  first->release();
}

TEST(ChildList, TakingMovesLaterEntriesDownAndHandsTheReferenceBack) {
  Views views;
  ChildList list;
  ProbeView* a = views.make("a");
  ProbeView* b = views.make("b");
  ProbeView* c = views.make("c");
  list.add(a);
  list.add(b);
  list.add(c);
  EXPECT_EQ(list.take(-1), nullptr);
  EXPECT_EQ(list.take(3), nullptr);
  EXPECT_EQ(list.count(), 3);
  EXPECT_EQ(list.take(1), b);
  EXPECT_EQ(listed(list), (std::vector<View*>{a, c}));
  EXPECT_FALSE(views.deleted(1));
  EXPECT_EQ(b->referenceCount(), 1);
  b->release();
  EXPECT_TRUE(views.deleted(1));
  EXPECT_EQ(list.take(1), c);
  EXPECT_EQ(list.take(0), a);
  EXPECT_EQ(list.count(), 0);
  a->release();
  c->release();
}

TEST(ChildList, TakingAllEmptiesTheListBeforeHandingOutFirstToLast) {
  Views views;
  ChildList list;
  ProbeView* a = views.make("a");
  ProbeView* b = views.make("b");
  list.add(a);
  list.add(b);
  std::vector<View*> received;
  list.takeAll([&](View* view) {
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.contains(view));
    received.push_back(view);
  });
  EXPECT_EQ(received, (std::vector<View*>{a, b}));
  EXPECT_EQ(a->referenceCount(), 1);
  // The emptied list grows afresh.
  ASSERT_TRUE(list.add(a));
  EXPECT_EQ(listed(list), std::vector<View*>{a});
  b->release();
}

TEST(ChildList, DestroyingTheListReleasesEveryEntrysReference) {
  Views views;
  ProbeView* kept = views.make("kept");
  ProbeView* handed = views.make("handed");
  {
    ChildList list;
    kept->retain();
    list.add(kept);
    list.add(handed);
    kept->retain();
    list.add(kept);
  }
  EXPECT_TRUE(views.deleted(1));
  EXPECT_FALSE(views.deleted(0));
  EXPECT_EQ(kept->referenceCount(), 1);
  kept->release();
  EXPECT_TRUE(views.deleted(0));
}

TEST(ChildListWalks, GoBottomUpOrTopDownUntilAVisitAnswersTrue) {
  Views views;
  ChildList list;
  ProbeView* a = views.make("a");
  ProbeView* b = views.make("b");
  ProbeView* c = views.make("c");
  list.add(a);
  list.add(b);
  list.add(c);
  std::vector<View*> seen;
  const auto record = [&seen](View* view) {
    seen.push_back(view);
    return false;
  };
  EXPECT_FALSE(list.visitBottomUp(record));
  EXPECT_EQ(seen, (std::vector<View*>{a, b, c}));
  seen.clear();
  EXPECT_FALSE(list.visitTopDown(record));
  EXPECT_EQ(seen, (std::vector<View*>{c, b, a}));
  seen.clear();
  EXPECT_TRUE(list.visitTopDown([&](View* view) {
    seen.push_back(view);
    return view == b;
  }));
  EXPECT_EQ(seen, (std::vector<View*>{c, b}));
  ChildList empty;
  EXPECT_FALSE(empty.visitBottomUp([](View*) { return true; }));
  // The walks hand back every reference they held.
  EXPECT_EQ(a->referenceCount(), 1);
  EXPECT_EQ(c->referenceCount(), 1);
}

TEST(ChildListWalks, SkipWhoLeftMeanwhileAndKeepItAliveUntilTheEnd) {
  Views views;
  ChildList list;
  ProbeView* a = views.make("a");
  ProbeView* b = views.make("b");
  ProbeView* c = views.make("c");
  list.add(a);
  list.add(b);
  list.add(c);
  ProbeView* late = views.make("late");
  std::vector<View*> seen;
  bool aliveInside = false;
  list.visitBottomUp([&](View* view) {
    seen.push_back(view);
    if (view == a) {
      // b leaves and its reference goes; c leaves and comes back on top; late joins.
      list.take(list.indexOf(b))->release();
      list.add(list.take(list.indexOf(c)));
      list.add(late);
    }
    if (view == c) aliveInside = !views.deleted(1);
    return false;
  });
  EXPECT_EQ(seen, (std::vector<View*>{a, c}));
  EXPECT_TRUE(aliveInside);
  EXPECT_TRUE(views.deleted(1));
  EXPECT_EQ(listed(list), (std::vector<View*>{a, c, late}));
}

// The two holders on a list that cannot grow: nothing is attached and no reference moves.
TEST(ChildListHolders, AFrameThatCannotGrowAddsNothing) {
  Views views;
  Frame frame(Rect(0, 0, 100, 100), nullptr, nullptr);
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(frame.addChild(views.make("v")));
  ProbeView* refused = views.make("refused");
  views.log.clear();
  {
    ArraysFail failing;
    EXPECT_FALSE(frame.addChild(refused));
  }
  EXPECT_EQ(frame.childCount(), 20);
  EXPECT_FALSE(frame.hasChild(refused));
  EXPECT_EQ(refused->getFrame(), nullptr);
  EXPECT_TRUE(views.log.empty());
  EXPECT_EQ(refused->referenceCount(), 1);
  refused->release();
}

TEST(ChildListHolders, AContainerThatCannotGrowAddsNothing) {
  Views views;
  FakeFrame owner;
  auto* container = new ViewContainer(Rect(0, 0, 100, 100), &owner);
  ProbeView* refused = views.make("refused");
  {
    ArraysFail failing;
    container->addChild(refused, Rect(0, 0, 1, 1), false);
  }
  EXPECT_EQ(container->childCount(), 0);
  EXPECT_EQ(refused->getParent(), nullptr);
  EXPECT_EQ(refused->getFrame(), nullptr);
  EXPECT_TRUE(views.log.empty());
  EXPECT_EQ(refused->referenceCount(), 1);
  // Once it can grow, the container retains the child beside the creator, and its end
  // takes both references.
  container->addChild(refused);
  EXPECT_EQ(refused->referenceCount(), 2);
  container->release();
  EXPECT_TRUE(views.deleted(0));
}

}  // namespace
