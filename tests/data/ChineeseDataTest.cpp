// The shipped "chineese" data: Hanyu Pinyin to Russian in the Palladius system.
#include "ShippedLanguage.h"

namespace {

// Input in cp1252, as the front ends give it for this language's button.
struct PinyinData {
    static constexpr const char* key = "chineese";
};
using Pinyin = ShippedLanguage<PinyinData>;

} // namespace

TEST_F(Pinyin, LoadsWithoutMessages) {
    EXPECT_TRUE(transcriber() != nullptr);
    EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(Pinyin, InitialsAndFinals) {
    EXPECT_EQ(T("zhang chang shang rang"), "чжан чан шан жан");
    EXPECT_EQ(T("jia qia xia za ca sa"), "цзя ця ся цза ца са");
    // i after z c s is ы; after zh ch sh r it is и.
    EXPECT_EQ(T("zi ci si zhi chi shi ri"), "цзы цы сы чжи чи ши жи");
    // -n is нь, -ng н.
    EXPECT_EQ(T("ban bang min ming"), "бань бан минь мин");
    EXPECT_EQ(T("bie liu duo guo ruo"), "бе лю до го жо");
    EXPECT_EQ(T("dong xiong jiong"), "дун сюн цзюн");
    // ui is уй, but hui is хуэй (one line: the older хуй is not offered).
    EXPECT_EQ(T("gui kui sui"), "гуй куй суй");
    EXPECT_EQ(T("hui"), "хуэй");
    EXPECT_EQ(T("feng"), "фэн");
    EXPECT_EQ(T("er"), "эр");
}

TEST_F(Pinyin, ZeroInitialsYandW) {
    EXPECT_EQ(T("yi ya ye yao you yan yin yang ying yong"), "и я е яо ю янь инь ян ин юн");
    EXPECT_EQ(T("yo"), "ё");
    // w is в, except in wu.
    EXPECT_EQ(T("wu wa wo wai wei wan wen wang weng"), "у ва во вай вэй вань вэнь ван вэн");
}

TEST_F(Pinyin, UmlautFormsAndTheirSpellings) {
    // u after j q x y is ü.
    EXPECT_EQ(T("ju qu xu yu"), "цзюй цюй сюй юй");
    EXPECT_EQ(T("jue quan xun yue yuan yun"), "цзюэ цюань сюнь юэ юань юнь");
    // After l and n, ü is written ü, v or u:, and üe also ue.
    EXPECT_EQ(T("lü lv lu: lu"), "люй люй люй лу");
    EXPECT_EQ(T("nüe nve nu:e nue lüe"), "нюэ нюэ нюэ нюэ люэ");
    EXPECT_EQ(T("Lü Bu"), "Люй Бу");
    EXPECT_EQ(T("LÜ LV LU:"), "ЛЮЙ ЛЮЙ ЛЮЙ");
}

TEST_F(Pinyin, ToneMarksAreNotWritten) {
    EXPECT_EQ(T("Zhōngguó"), "Чжунго");
    EXPECT_EQ(T("Xí Jìnpíng"), "Си Цзиньпин");
    EXPECT_EQ(T("Nǚwā"), "Нюйва");
    EXPECT_EQ(T("lǘ lǜ"), "люй люй");
    EXPECT_EQ(T("ZHŌNGGUÓ"), "ЧЖУНГО");
    EXPECT_EQ(T("ê"), "э");
}

TEST_F(Pinyin, AFinalConsonantBeforeAVowelBeginsTheNextSyllable) {
    EXPECT_EQ(T("Jinan"), "Цзинань");    // ji-nan
    EXPECT_EQ(T("Xining"), "Синин");     // xi-ning
    EXPECT_EQ(T("Changan"), "Чаньгань"); // chan-gan
    EXPECT_EQ(T("Hunan"), "Хунань");
    EXPECT_EQ(T("Yunnan"), "Юньнань");
    EXPECT_EQ(T("Xian"), "Сянь");
    EXPECT_EQ(T("Erhai"), "Эрхай");
    // Where the shorter syllable does not exist (don, tia), the longer one stands.
    EXPECT_EQ(T("Tianan"), "Тяньань");
    EXPECT_EQ(T("Dongan"), "Дунъань");
}

TEST_F(Pinyin, TheApostropheDividesAndIsNotWritten) {
    EXPECT_EQ(T("Xi'an"), "Сиань");
    EXPECT_EQ(T("Xi’an"), "Сиань");
    EXPECT_EQ(T("Ji'an"), "Цзиань");
    EXPECT_EQ(T("pu'er"), "пуэр");
    // At the edge of a word it is a quote.
    EXPECT_EQ(T("‘Xi’an’"), "‘Сиань’");
    EXPECT_EQ(T("'Xi'an'"), "'Сиань'");
    // A hyphen stays.
    EXPECT_EQ(T("Xi-an"), "Си-ань");
}

TEST_F(Pinyin, HardSignAfterNgBeforeAVowel) {
    EXPECT_EQ(T("Chang'an"), "Чанъань");
    EXPECT_EQ(T("Xiong’an"), "Сюнъань");
    EXPECT_EQ(T("Wu Cheng'en"), "У Чэнъэнь");
    EXPECT_EQ(T("Chang'e"), "Чанъэ");
    EXPECT_EQ(T("Dongying"), "Дунъин");
    EXPECT_EQ(T("Guangyuan"), "Гуанъюань");
    EXPECT_EQ(T("Zhangye"), "Чжанъе");
    EXPECT_EQ(T("Hongwu"), "Хунъу");
    // Not after нь, not after a vowel, not before в.
    EXPECT_EQ(T("Tian'anmen"), "Тяньаньмэнь");
    EXPECT_EQ(T("Yan'an"), "Яньань");
    EXPECT_EQ(T("Shenyang"), "Шэньян");
    EXPECT_EQ(T("Tai'an"), "Тайань");
    EXPECT_EQ(T("Hongwen"), "Хунвэнь");
    // Nor across words.
    EXPECT_EQ(T("Wang Anshi"), "Ван Аньши");
}

TEST_F(Pinyin, LetterCaseFollowsTheInput) {
    EXPECT_EQ(T("Zhou"), "Чжоу");
    EXPECT_EQ(T("ZHOU"), "ЧЖОУ");
    EXPECT_EQ(T("zhou"), "чжоу");
    EXPECT_EQ(T("Jiang JIANG jiang"), "Цзян ЦЗЯН цзян");
    EXPECT_EQ(T("Guangzhou"), "Гуанчжоу");
    EXPECT_EQ(T("XI'AN"), "СИАНЬ");
    EXPECT_EQ(T("CHANG'AN"), "ЧАНЪАНЬ");
    EXPECT_EQ(T("CHANG'E"), "ЧАНЪЭ");
    EXPECT_EQ(T("MAO ANYING"), "МАО АНЬИН");
}

TEST_F(Pinyin, ErhuaAddsR) {
    EXPECT_EQ(T("nar"), "нар");
    EXPECT_EQ(T("yidianr"), "идяньр");
    EXPECT_EQ(T("wanr"), "ваньр");
    EXPECT_EQ(T("zher"), "чжэр");
    // Before a vowel r begins a syllable.
    EXPECT_EQ(T("Wanrong"), "Ваньжун");
}

TEST_F(Pinyin, EstablishedFormsOnlyForTheWholeWord) {
    EXPECT_EQ(T("Beijing"), "Пекин");
    EXPECT_EQ(T("BEIJING"), "ПЕКИН");
    EXPECT_EQ(T("Běijīng"), "Пекин");
    EXPECT_EQ(T("Ha'erbin"), "Харбин");
    EXPECT_EQ(T("Ha’erbin"), "Харбин");
    EXPECT_EQ(T("Xianggang"), "Гонконг");
    EXPECT_EQ(T("Huhehaote"), "Хух-Хото");
    EXPECT_EQ(T("Kongzi"), "Конфуций");
    EXPECT_EQ(T("majiang"), "маджонг");
    // A longer word or a part of one keeps the regular form.
    EXPECT_EQ(T("Beijingren"), "Бэйцзинжэнь");
    EXPECT_EQ(T("Shanxi"), "Шаньси");
    EXPECT_EQ(T("Shaanxi"), "Шэньси");
}

TEST_F(Pinyin, EstablishedTwoWordNames) {
    EXPECT_EQ(T("Li Bai"), "Ли Бо");
    EXPECT_EQ(T("LI BAI"), "ЛИ БО");
    EXPECT_EQ(T("Lu Xun"), "Лу Синь");
    EXPECT_EQ(T("Jiang Jieshi"), "Чан Кайши");
    EXPECT_EQ(T("Da Xing'anling"), "Большой Хинган");
    EXPECT_EQ(T("Renmin Ribao"), "Жэньминь жибао");
    // Each word alone is regular.
    EXPECT_EQ(T("Bai"), "Бай");
    EXPECT_EQ(T("Xun"), "Сюнь");
    EXPECT_EQ(T("Xing'anling"), "Синъаньлин");
}

TEST_F(Pinyin, EverythingElsePassesThrough) {
    EXPECT_EQ(T("Xi Jinping, 2013-2023!"), "Си Цзиньпин, 2013-2023!");
    EXPECT_EQ(T("(Mao)"), "(Мао)");
    EXPECT_EQ(T("Zhou: Han"), "Чжоу: Хань");
}
