#include "readings/PinyinSyllables.h"

#include <algorithm>
#include <array>
#include <functional>

namespace lorvane {
namespace {

constexpr std::string_view AllSyllables =
    "a ai an ang ao ba bai ban bang bao bei ben beng bi bian biao bie bin bing bo bu ca cai can cang cao ce cen "
    "ceng cha chai chan chang chao che chen cheng chi chong chou chu chua chuai chuan chuang chui chun chuo ci cong "
    "cou cu cuan cui cun cuo da dai dan dang dao de dei den deng di dia dian diao die ding diu dong dou du duan dui "
    "dun duo e ei en eng er fa fan fang fei fen feng fiao fo fou fu ga gai gan gang gao ge gei gen geng gong gou gu "
    "gua guai guan guang gui gun guo ha hai han hang hao he hei hen heng hm hng hong hou hu hua huai huan huang hui "
    "hun huo ji jia jian jiang jiao jie jin jing jiong jiu ju juan jue jun ka kai kan kang kao ke kei ken keng kong "
    "kou ku kua kuai kuan kuang kui kun kuo la lai lan lang lao le lei leng li lia lian liang liao lie lin ling liu "
    "lo long lou lu luan lun luo lv lve m ma mai man mang mao me mei men meng mi mian miao mie min ming miu mo mou "
    "mu n na nai nan nang nao ne nei nen neng ng ni nian niang niao nie nin ning niu nong nou nu nuan nun nuo nv "
    "nve o ou pa pai pan pang pao pei pen peng pi pian piao pie pin ping po pou pu qi qia qian qiang qiao qie qin "
    "qing qiong qiu qu quan que qun ran rang rao re ren reng ri rong rou ru rua ruan rui run ruo sa sai san sang "
    "sao se sei sen seng sha shai shan shang shao she shei shen sheng shi shou shu shua shuai shuan shuang shui "
    "shun shuo si song sou su suan sui sun suo ta tai tan tang tao te tei teng ti tian tiao tie ting tong tou tu "
    "tuan tui tun tuo wa wai wan wang wei wen weng wo wu xi xia xian xiang xiao xie xin xing xiong xiu xu xuan xue "
    "xun ya yan yang yao ye yi yin ying yo yong you yu yuan yue yun za zai zan zang zao ze zei zen zeng zha zhai "
    "zhan zhang zhao zhe zhei zhen zheng zhi zhong zhou zhu zhua zhuai zhuan zhuang zhui zhun zhuo zi zong zou zu "
    "zuan zui zun zuo";

constexpr std::size_t SyllableCount =
    static_cast<std::size_t>(std::count(AllSyllables.begin(), AllSyllables.end(), ' ')) + 1;

constexpr std::array<std::string_view, SyllableCount> Syllables = [] {
    std::array<std::string_view, SyllableCount> syllables{};
    std::size_t start = 0;
    for (std::string_view& syllable : syllables) {
        const std::size_t end = std::min(AllSyllables.find(' ', start), AllSyllables.size());
        syllable = AllSyllables.substr(start, end - start);
        start = end + 1;
    }
    return syllables;
}();

// Letters as one number, five bits a letter (a is 1), the first highest and
// 0 for each place past the end: numbers in the order of the syllables,
// compared in one step.
constexpr std::optional<std::uint32_t> keyOf(std::string_view letters)
{
    if (letters.empty() || letters.size() > LongestPinyinSyllable) return std::nullopt;
    std::uint32_t key = 0;
    for (std::size_t at = 0; at < LongestPinyinSyllable; ++at) {
        std::uint32_t letter = 0;
        if (at < letters.size()) {
            if (letters[at] < 'a' || letters[at] > 'z') return std::nullopt;
            letter = static_cast<std::uint32_t>(letters[at] - 'a' + 1);
        }
        key = key << 5 | letter;
    }
    return key;
}

constexpr std::array<std::uint32_t, SyllableCount> Keys = [] {
    std::array<std::uint32_t, SyllableCount> keys{};
    for (std::size_t number = 0; number < SyllableCount; ++number) keys[number] = keyOf(Syllables[number]).value();
    return keys;
}();

static_assert(std::adjacent_find(Keys.begin(), Keys.end(), std::greater_equal<>()) == Keys.end(),
              "the syllables are in alphabetical order, each once, for the binary search");
static_assert(SyllableCount <= 0xFFFF);

}  // namespace

std::size_t PinyinSyllableCount() { return SyllableCount; }

std::string_view PinyinSyllableAt(std::size_t number) { return Syllables[number]; }

std::optional<std::uint16_t> FindPinyinSyllable(std::string_view letters)
{
    const std::optional<std::uint32_t> key = keyOf(letters);
    if (!key) return std::nullopt;
    // Halves without a branch to guess: the last key not above `key`.
    const std::uint32_t* last = Keys.data();
    for (std::size_t left = Keys.size(); left > 1; left -= left / 2)
        last = last[left / 2] <= *key ? last + left / 2 : last;
    if (*last != *key) return std::nullopt;
    return static_cast<std::uint16_t>(last - Keys.data());
}

}  // namespace lorvane
