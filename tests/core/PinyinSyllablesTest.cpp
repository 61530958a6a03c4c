#include <gtest/gtest.h>

#include <set>
#include <string>

#include "readings/PinyinSyllables.h"

namespace lorvane {
namespace {

// The search is checked against a plain set: every syllable, every string of
// up to three letters, and each syllable with a letter added or changed.
TEST(PinyinSyllables, EachIsFoundByItsLettersAndNothingElseIsFound)
{
    std::set<std::string, std::less<>> syllables;
    for (std::size_t number = 0; number < PinyinSyllableCount(); ++number) {
        EXPECT_EQ(number, FindPinyinSyllable(PinyinSyllableAt(number))) << PinyinSyllableAt(number);
        syllables.emplace(PinyinSyllableAt(number));
    }
    std::vector<std::string> candidates = {"", "zhuangg", "A", "v"};
    for (std::size_t at = 0; at < candidates.size(); ++at)
        for (char letter = 'a'; letter <= 'z' && candidates[at].size() < 3; ++letter)
            candidates.push_back(candidates[at] + letter);
    for (const std::string& syllable : syllables)
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            candidates.push_back(syllable + letter);
            candidates.push_back(syllable.substr(0, syllable.size() - 1) + letter);
        }
    for (const std::string& letters : candidates) {
        const auto found = FindPinyinSyllable(letters);
        ASSERT_EQ(syllables.contains(letters), found.has_value()) << letters;
        if (found) {
            EXPECT_EQ(letters, PinyinSyllableAt(*found));
        }
    }
    EXPECT_EQ(419u, PinyinSyllableCount());
}

}  // namespace
}  // namespace lorvane
