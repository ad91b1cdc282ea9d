#include "util/key_sort.h"

#include <gtest/gtest.h>

#include <random>

namespace gleanix::util::keysort {
namespace {

using Keys = std::vector<std::string>;

// The straightforward sort the production one must agree with: a quicksort
// with the first key as pivot, smaller (ascending) or larger (descending)
// keys before it, everything else after it, each key carrying its index.
void referenceSort(bool descending, Keys& keys, std::vector<std::int32_t>& ints) {
  if (keys.size() <= 1) return;
  const std::string pivot = keys[0];
  const std::int32_t pivotInt = ints[0];
  Keys firstKeys, secondKeys;
  std::vector<std::int32_t> firstInts, secondInts;
  for (std::size_t i = 1; i < keys.size(); ++i) {
    const bool first = descending ? keys[i] > pivot : keys[i] < pivot;
    (first ? firstKeys : secondKeys).push_back(keys[i]);
    (first ? firstInts : secondInts).push_back(ints[i]);
  }
  referenceSort(descending, firstKeys, firstInts);
  referenceSort(descending, secondKeys, secondInts);
  keys = firstKeys;
  keys.push_back(pivot);
  keys.insert(keys.end(), secondKeys.begin(), secondKeys.end());
  ints = firstInts;
  ints.push_back(pivotInt);
  ints.insert(ints.end(), secondInts.begin(), secondInts.end());
}

struct Sorted {
  Keys keys;
  std::vector<std::int32_t> permutation;
};

Sorted sortedBy(bool descending, Keys keys) {
  TIntegerList permutation{99, 98};  // stale content must be replaced
  sortKeys(descending, keys, permutation);
  return {keys, permutation.Items()};
}

Sorted referenceSorted(bool descending, Keys keys) {
  std::vector<std::int32_t> ints(keys.size());
  for (std::size_t i = 0; i < ints.size(); ++i) ints[i] = static_cast<std::int32_t>(i);
  referenceSort(descending, keys, ints);
  return {keys, ints};
}

void expectSameAsReference(const Keys& keys, const std::string& what) {
  for (bool descending : {false, true}) {
    const Sorted got = sortedBy(descending, keys);
    const Sorted want = referenceSorted(descending, keys);
    EXPECT_EQ(got.keys, want.keys) << what << (descending ? " descending" : " ascending");
    EXPECT_EQ(got.permutation, want.permutation) << what << (descending ? " descending" : " ascending");
  }
}

// Keys from a small alphabet with bytes above 0x7F, so that there are many
// ties, shared prefixes and signed/unsigned traps.
Keys randomKeys(std::mt19937& rng, std::size_t n) {
  const std::string alphabet = std::string("aAbB\x7f\x80\x81\xfe\xff ", 10);
  std::uniform_int_distribution<std::size_t> len(0, 4), pick(0, alphabet.size() - 1);
  Keys keys(n);
  for (auto& k : keys) {
    const std::size_t l = len(rng);
    for (std::size_t i = 0; i < l; ++i) k.push_back(alphabet[pick(rng)]);
  }
  return keys;
}

TEST(KeySort, ExampleOrdersAndPermutations) {
  const Sorted up = sortedBy(false, {"b", "a", "b", "c"});
  EXPECT_EQ(up.keys, (Keys{"a", "b", "b", "c"}));
  EXPECT_EQ(up.permutation, (std::vector<std::int32_t>{1, 0, 2, 3}));
  const Sorted down = sortedBy(true, {"b", "a", "b", "c"});
  EXPECT_EQ(down.keys, (Keys{"c", "b", "b", "a"}));
  EXPECT_EQ(down.permutation, (std::vector<std::int32_t>{3, 0, 2, 1}));
}

TEST(KeySort, EmptyAndSingleLists) {
  EXPECT_TRUE(sortedBy(false, {}).permutation.empty());
  EXPECT_TRUE(sortedBy(true, {}).keys.empty());
  const Sorted one = sortedBy(true, {"x"});
  EXPECT_EQ(one.keys, Keys{"x"});
  EXPECT_EQ(one.permutation, std::vector<std::int32_t>{0});
}

TEST(KeySort, ComparesUnsignedBytesWithoutCaseFolding) {
  EXPECT_EQ(sortedBy(false, {"a", "B"}).keys, (Keys{"B", "a"}));
  // 0x82 (a lead byte) sorts after ASCII, as unsigned bytes do.
  EXPECT_EQ(sortedBy(false, {"\x82\xa0", "z"}).keys, (Keys{"z", "\x82\xa0"}));
  // A proper prefix is smaller; an empty key smallest of all.
  EXPECT_EQ(sortedBy(false, {"ab", "a", ""}).keys, (Keys{"", "a", "ab"}));
  // Bytes after a NUL still count.
  EXPECT_EQ(sortedBy(false, {std::string("a\0b", 3), std::string("a\0a", 3)}).permutation,
            (std::vector<std::int32_t>{1, 0}));
}

TEST(KeySort, KeysWithLineBreaksStayWhole) {
  const Sorted s = sortedBy(false, {"b\r\nz", "a\nb"});
  EXPECT_EQ(s.keys, (Keys{"a\nb", "b\r\nz"}));
  EXPECT_EQ(s.permutation, (std::vector<std::int32_t>{1, 0}));
}

TEST(KeySort, AgreesWithTheReferenceOnRandomInput) {
  std::mt19937 rng(20240611);
  for (std::size_t n : {2u, 3u, 7u, 50u, 400u, 2000u}) {
    for (int round = 0; round < 5; ++round) expectSameAsReference(randomKeys(rng, n), "random");
  }
}

TEST(KeySort, AgreesWithTheReferenceOnOrderedAndEqualInput) {
  std::mt19937 rng(7);
  Keys keys = randomKeys(rng, 700);
  std::sort(keys.begin(), keys.end());
  expectSameAsReference(keys, "sorted");
  std::reverse(keys.begin(), keys.end());
  expectSameAsReference(keys, "reverse sorted");
  expectSameAsReference(Keys(700, "same"), "all equal");
}

TEST(KeySort, HundredThousandSortedKeysDoNotExhaustTheStack) {
  Keys keys(100000);
  for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = std::to_string(1000000 + i);
  TIntegerList permutation;
  sortKeys(true, keys, permutation);
  ASSERT_EQ(permutation.Count(), 100000);
  EXPECT_EQ(permutation.Item(0), 99999);
  EXPECT_EQ(permutation.Item(99999), 0);
  EXPECT_EQ(keys.front(), "1099999");
}

TEST(KeySort, ApplyPermutationMovesOtherColumnsAlong) {
  Keys keys{"b", "a", "c"};
  Keys subjects{"subject b", "subject a", "subject c"};
  std::vector<int> marks{2, 1, 3};
  TIntegerList permutation;
  sortKeys(false, keys, permutation);
  applyPermutation(subjects, permutation);
  applyPermutation(marks, permutation);
  EXPECT_EQ(subjects, (Keys{"subject a", "subject b", "subject c"}));
  EXPECT_EQ(marks, (std::vector<int>{1, 2, 3}));
}

TEST(KeySort, ApplyPermutationRejectsIndicesOutsideTheList) {
  Keys items{"x", "y"};
  EXPECT_THROW(applyPermutation(items, TIntegerList{1, 2}), std::out_of_range);
  EXPECT_THROW(applyPermutation(items, TIntegerList{-1, 0}), std::out_of_range);
  EXPECT_EQ(items, (Keys{"x", "y"}));
}

TEST(KeySort, ComposedPermutationTracksTwoSortsBackToTheOriginal) {
  // Sort by one column, then by another: the composed permutation maps the
  // final rows to the original rows.
  const Keys original{"3", "1", "2", "1"};
  const Keys second{"x", "z", "y", "w"};
  Keys byFirst = original;
  TIntegerList permutation;
  sortKeys(false, byFirst, permutation);  // rows now 1,3,2,0
  Keys secondNow = second;
  applyPermutation(secondNow, permutation);
  TIntegerList order;
  sortKeys(true, secondNow, order);
  composePermutation(permutation, order);
  Keys rows = second;
  applyPermutation(rows, permutation);
  EXPECT_EQ(rows, secondNow);
  EXPECT_EQ(permutation.Items(), (std::vector<std::int32_t>{1, 2, 0, 3}));
}

TEST(KeySort, ComposeReadsOutOfRangeOrderAsIndexZero) {
  TIntegerList permutation{5, 6, 7};
  composePermutation(permutation, TIntegerList{2, 9, -1});
  EXPECT_EQ(permutation.Items(), (std::vector<std::int32_t>{7, 0, 0}));
}

TEST(KeySortIntegerList, OutOfRangeReadsZeroAndDeletesNothing) {
  TIntegerList list{10, 20, 30};
  EXPECT_EQ(list.Item(3), 0);
  EXPECT_EQ(list.Item(-1), 0);
  list.Delete(3);
  list.Delete(-1);
  EXPECT_EQ(list.Count(), 3);
  list.Delete(1);
  EXPECT_EQ(list.Items(), (std::vector<std::int32_t>{10, 30}));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace gleanix::util::keysort
