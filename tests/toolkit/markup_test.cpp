#include "markup_lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "w:" for words, "t:" for tags, so a whole split reads as one list.
std::vector<std::string> cut(std::string_view text)
{
    std::vector<std::string> out;
    for (const markup::Item& i : markup::split(text))
        out.push_back((i.tag ? "t:" : "w:") + std::string(i.text));
    return out;
}

using V = std::vector<std::string>;

} // namespace

TEST(MarkupLexer, WordsEndAfterTheirSeparator)
{
    EXPECT_EQ(cut(" Level: "), (V{"w: ", "w:Level:", "w: "}));
    EXPECT_EQ(cut("Aufgaben-Nummer. Ja!Nein?a,b;c\r\nd"),
              (V{"w:Aufgaben-", "w:Nummer.", "w: ", "w:Ja!", "w:Nein?", "w:a,", "w:b;", "w:c\r", "w:\n", "w:d"}));
    EXPECT_EQ(cut("\n\n\n "), (V{"w:\n", "w:\n", "w:\n", "w: "}));
}

TEST(MarkupLexer, TagsAndWordsAlternate)
{
    EXPECT_EQ(cut("a<b>c</b>"), (V{"w:a", "t:b", "w:c", "t:/b"}));
    EXPECT_EQ(cut("<x=10><terminal=term,xs=927>"), (V{"t:x=10", "t:terminal=term,xs=927"}));
    EXPECT_EQ(cut("<br /> x"), (V{"t:br /", "w: ", "w:x"}));
}

TEST(MarkupLexer, DoubledClosingBracketStaysInTheTag)
{
    EXPECT_EQ(cut("<a>>b>c"), (V{"t:a>", "w:b>c"}));
    EXPECT_EQ(cut("<a>>>b"), (V{"t:a>>", "w:b"}));
}

TEST(MarkupLexer, BrokenInput)
{
    EXPECT_TRUE(cut("").empty());
    EXPECT_EQ(cut("<"), (V{"t:"}));
    EXPECT_EQ(cut("<unclosed tag"), (V{"t:unclosed tag"}));
    EXPECT_EQ(cut("x<a>>"), (V{"w:x", "t:a>"})); // the last ">" closes
    EXPECT_EQ(cut("<>"), (V{"t:"}));
    EXPECT_EQ(cut(">"), (V{"w:>"}));
    std::string zero("a\0b", 3);
    EXPECT_EQ(cut(zero), (V{std::string("w:a\0b", 5)}));
}

TEST(MarkupTags, NameAndValue)
{
    markup::Tag t = markup::parsetag("updowncontrol=udStufe,min=1");
    EXPECT_EQ(t.name, "updowncontrol");
    EXPECT_EQ(t.value, "udStufe,min=1");
    t = markup::parsetag("br /");
    EXPECT_EQ(t.name, "br");
    EXPECT_EQ(t.value, "");
    t = markup::parsetag("x= 50 %");
    EXPECT_EQ(t.name, "x");
    EXPECT_EQ(t.value, " 50 %");
    t = markup::parsetag("");
    EXPECT_EQ(t.name, "");
    EXPECT_EQ(t.value, "");
    t = markup::parsetag("save y=1");
    EXPECT_EQ(t.name, "save");
    EXPECT_EQ(t.value, "1");
}

TEST(MarkupTags, WidgetNameAndOptions)
{
    markup::WidgetSpec w = markup::splitwidget("btEdit,Aufgabenauswahl?,xs=130");
    EXPECT_EQ(w.name, "btEdit");
    EXPECT_EQ(w.options, "Aufgabenauswahl?,xs=130");
    w = markup::splitwidget("a,,b,OK");
    EXPECT_EQ(w.name, "a,b");
    EXPECT_EQ(w.options, "OK");
    w = markup::splitwidget("name\nxs=5");
    EXPECT_EQ(w.name, "name");
    EXPECT_EQ(w.options, "xs=5");
    w = markup::splitwidget("alone");
    EXPECT_EQ(w.name, "alone");
    EXPECT_EQ(w.options, "");
    w = markup::splitwidget(",,");
    EXPECT_EQ(w.name, ",");
    w = markup::splitwidget(",");
    EXPECT_EQ(w.name, "");
    EXPECT_EQ(w.options, "");
}

TEST(MarkupTags, NamesCompareWithoutCase)
{
    EXPECT_TRUE(markup::sameword("UpDownControl", "updowncontrol"));
    EXPECT_TRUE(markup::sameword("/CENTER", "/center"));
    EXPECT_FALSE(markup::sameword("b", "br"));
}
