#include "scenewright/core/script/ScriptFormatter.h"

#include "FreshProgramTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using scenewright::core::script::ScriptFormatter;

// Checks that `formatted` parses and is the same program as `original`.
void expectSameProgram(const std::string& original, const std::string& formatted)
{
    EXPECT_TRUE(scenewright::test::nodeAccepts(formatted)) << "input:\n" << original << "\noutput:\n" << formatted;
    const std::optional<bool> same = scenewright::test::sameSyntaxTree(original, formatted);
    if (same.has_value()) {
        EXPECT_TRUE(*same) << "input:\n" << original << "\noutput:\n" << formatted;
    }
}

// The text without blanks and line breaks, the spaces and separators beyond
// ASCII included.
std::string withoutWhitespace(const std::string& text)
{
    static const std::vector<std::string> kUnicodeBlanks = {"\xC2\xA0", "\xEF\xBB\xBF", "\xE1\x9A\x80",
        "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80"};
    std::string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f') {
            continue;
        }
        const auto blank = std::find_if(kUnicodeBlanks.begin(), kUnicodeBlanks.end(),
            [&](const std::string& b) { return text.compare(i, b.size(), b) == 0; });
        const bool enSpace = text.compare(i, 2, "\xE2\x80") == 0 && i + 2 < text.size()
            && static_cast<unsigned char>(text[i + 2]) >= 0x80 && static_cast<unsigned char>(text[i + 2]) <= 0x8A;
        if (blank != kUnicodeBlanks.end() || enSpace) {
            i += (blank != kUnicodeBlanks.end() ? blank->size() : 3) - 1;
            continue;
        }
        kept += c;
    }
    return kept;
}

// Shaped like the generator's output: statements ended by ";" and a line feed,
// braces at line ends, whole-line comments, quoted strings.
const std::string kGeneratedScript = "// door - primitive\n"
                                     "var door0 = theStage.getObjectByName('door');\n"
                                     "function onClick1(event) {\n"
                                     "if (actor.getPosition().distance(door0.getPosition()) < 5.0) {\n"
                                     "chat.print('Hello there');\n"
                                     "}\n"
                                     "else {\n"
                                     "door0.opacity = 0.5;\n"
                                     "}\n"
                                     "for(var i = 0; i < 3; i++) {\n"
                                     "removeAnimator(anim2);\n"
                                     "}\n"
                                     "}\n"
                                     "door0.addEventHandler(new MouseEventHandler(onClick1));\n";

TEST(AcornAvailability, SyntaxTreesCanBeCompared)
{
    if (!scenewright::test::sameSyntaxTree("a;", "a;").has_value()) {
        GTEST_SKIP() << "acorn cannot be loaded: syntax trees are not compared, only node --check runs";
    }
    EXPECT_FALSE(*scenewright::test::sameSyntaxTree("a + b;", "a - b;"));
}

TEST(BeautifyLayout, FollowsTheStatementAndBlockRules)
{
    EXPECT_EQ(ScriptFormatter::beautify("a = 1;\nb = 2;\n"), "a = 1;\r\nb = 2;\r\n");
    EXPECT_EQ(ScriptFormatter::beautify("if (x) {\nf();\n}\n"), "if (x) { \r\n\tf();\r\n} \r\n");
    EXPECT_EQ(
        ScriptFormatter::beautify("if (a) {\n  // note  \n  b();\n}\n"), "if (a) { \r\n// note\r\n\tb();\r\n} \r\n");
    // The for header keeps its own blanks; the blank before "{" adds to " { ".
    EXPECT_EQ(ScriptFormatter::beautify("for(i = 0; i < n; i++) {\nx();\n}\n"),
        "for(i = 0; i < n; i++)  { \r\n\tx();\r\n} \r\n");
    // Extra closing braces make the depth negative and the indentation empty.
    EXPECT_EQ(ScriptFormatter::beautify("}\n}\n{\nx();\n}\n"), "\r\n} \r\n} \r\n { \r\nx();\r\n} \r\n");
}

TEST(BeautifyLayout, JoinsElseToTheClosingBraceOnlyAfterALineBreak)
{
    EXPECT_EQ(ScriptFormatter::beautify("if (a) {\nb();\n}\nelse {\nc();\n}\n"),
        "if (a) { \r\n\tb();\r\n} else  { \r\n\tc();\r\n} \r\n");
    EXPECT_EQ(ScriptFormatter::beautify("if (a) {\nb();\n} else {\nc();\n}\n"),
        "if (a) { \r\n\tb();\r\n} else  { \r\n\tc();\r\n} \r\n");
}

TEST(BeautifyLayout, GeneratedScriptComesOutExactly)
{
    const std::string expected = "// door - primitive\r\n"
                                 "var door0 = theStage.getObjectByName('door');\r\n"
                                 "function onClick1(event) { \r\n"
                                 "\tif (actor.getPosition().distance(door0.getPosition()) < 5.0) { \r\n"
                                 "\t\tchat.print('Hello there');\r\n"
                                 "\t} else  { \r\n"
                                 "\t\tdoor0.opacity = 0.5;\r\n"
                                 "\t} \r\n"
                                 "\tfor(var i = 0; i < 3; i++)  { \r\n"
                                 "\t\tremoveAnimator(anim2);\r\n"
                                 "\t} \r\n"
                                 "} \r\n"
                                 "door0.addEventHandler(new MouseEventHandler(onClick1));\r\n";
    const std::string beautified = ScriptFormatter::beautify(kGeneratedScript);
    EXPECT_EQ(beautified, expected);
    expectSameProgram(kGeneratedScript, beautified);
}

TEST(BeautifyLiterals, SeparatorsInsideLiteralsAndCommentsDoNotSplit)
{
    const std::string script = "chat.print('Hi; come in');\n"
                               "// door; left {\n"
                               "var s = \"{x}\", t = 'it\\'s; {';\n"
                               "var r = /[;{}]/g;\n"
                               "var u = `a;${ {b: 1}.b }}`;\n";
    const std::string beautified = ScriptFormatter::beautify(script);
    EXPECT_EQ(beautified,
        "chat.print('Hi; come in');\r\n"
        "// door; left {\r\n"
        "var s = \"{x}\", t = 'it\\'s; {';\r\n"
        "var r = /[;{}]/g;\r\n"
        "var u = `a;${ {b: 1}.b }}`;\r\n");
    expectSameProgram(script, beautified);
    EXPECT_EQ(ScriptFormatter::beautify("/* { ; } */\nx = 1;\n"), "/* { ; } */x = 1;\r\n");
}

TEST(BeautifyKeepsMeaning, KeepsLineBreaksThatJoiningWouldBreak)
{
    struct Case {
        std::string script;
        std::string kept; // must appear in the output
    };
    const std::vector<Case> cases = {
        {"var a = 1\nvar b = 2\n", "var a = 1\r\nvar b = 2"},
        {"function f() {\nreturn\n42;\n}\n", "return\r\n\t42;"},
        {"var i = 0, c = 1\ni\n++c\n", "i\r\n++c"},
        {"var x = 1 // note; left\nvar y = 2;\n", "// note; left\r\nvar y = 2;"},
        {"var\nx = 1;\n", "var\r\nx = 1;"},
        {"var a = 4, b = 2\na = b /\n/re/.source.length;\n", "/\r\n/re/"},
        {"x = 1\n{ y(); }\n", "x = 1\r\n{ \r\n"},
        {"if (a) x = function() { }\nelse y = 2;\n", "} \r\nelse"},
        // The line break before "else" ends a comment: joining would swallow the else.
        {"if (a) {\nb();\n}\n// note\nelse {\nc();\n}\n", "// note\r\nelse"},
        // A character between the line break and "else" stays.
        {"if (a) (function(){\n}\n)\nelse b();\n", ")\r\nelse b()"},
    };
    for (const Case& c : cases) {
        const std::string beautified = ScriptFormatter::beautify(c.script);
        EXPECT_NE(beautified.find(c.kept), std::string::npos) << c.script << "\n->\n" << beautified;
        expectSameProgram(c.script, beautified);
    }
}

TEST(CompressHazards, KeepsTheProgramOnOneLine)
{
    struct Case {
        std::string script;
        std::string compressed;
    };
    const std::vector<Case> cases = {
        {"var a = 'x y' ;\nvar b = 'z' ;\n", "var a='x y';var b='z';"},
        {"function f() {\n  var ret = 1\n  return ret\n}\n", "function f(){var ret=1;return ret}"},
        {"var x = 1 // note; {\nvar y = 2\n", "var x=1;var y=2"},
        {"var s = 'it\\'s  a  test', t = \"say \\\"hi  there\\\"\";",
            "var s='it\\'s  a  test',t=\"say \\\"hi  there\\\"\";"},
        {"var s = 'a', r = /a  b/g.test(s) / 2, q = r / 2 / 3;", "var s='a',r=/a  b/g.test(s)/2,q=r/2/3;"},
        {"var a = 1, b = 2, c = 3, d = 4, e = 5;\nx = a + +b - -c + ++d - --e;",
            "var a=1,b=2,c=3,d=4,e=5;x=a+ +b- -c+ ++d- --e;"},
        {"var f = function() {\n  return 1\n}\nvar g = 2\n", "var f=function(){return 1};var g=2"},
        {"function g() {\n  for (;;) {\n    break\n  }\n  return\n}\n", "function g(){for(;;){break}return}"},
        {"var a, b = 1, c = 2\na = b\n++c\n", "var a,b=1,c=2;a=b;++c"},
        {"if (a)\n  b()\nelse\n  c()\n", "if(a)b();else c()"},
        {"var t = `a  ${ b  +  `c  d` }  e`\n", "var t=`a  ${ b  +  `c  d` }  e`"},
        {"var x = 1.5 .toFixed(1), y = 1 .toString();", "var x=1.5 .toFixed(1),y=1 .toString();"},
        // A "/" after an operand divides, so the next line continues the statement.
        {"var re = 1, g = {test: 0}, a, b = 2\na = b\n/re/g.test\n", "var re=1,g={test:0},a,b=2;a=b/re/g.test"},
        {"var a, b = 1\na = b // c\n/* d */ + 1\n", "var a,b=1;a=b+1"},
        {"var r = /x/ in {}, q = typeof /y/", "var r=/x/ in{},q=typeof/y/"},
        // No operator may follow an arrow function's body: the line break ends
        // the statement and the "/" starts a regular expression.
        {"var f = () => {}\n/a  b/.test('x')\n", "var f=()=>{};/a  b/.test('x')"},
        {"var g = (() => {}\n, 2)\n", "var g=(()=>{},2)"},
        // "<", "!" and "--" fuse as a group: joined they open a comment.
        {"var a = 1, b = 2, c = a <! --b, d = a <!/* e */--b;", "var a=1,b=2,c=a<! --b,d=a<! --b;"},
    };
    for (const Case& c : cases) {
        const std::string compressed = ScriptFormatter::compress(c.script);
        EXPECT_EQ(compressed, c.compressed);
        EXPECT_EQ(ScriptFormatter::compress(compressed), compressed);
        expectSameProgram(c.script, compressed);
    }
}

TEST(CompressHazards, GeneratedAndBeautifiedScriptsStayTheSameProgram)
{
    const std::string compressed = ScriptFormatter::compress(kGeneratedScript);
    expectSameProgram(kGeneratedScript, compressed);
    EXPECT_EQ(ScriptFormatter::compress(ScriptFormatter::beautify(kGeneratedScript)), compressed);
    const std::string beautified = ScriptFormatter::beautify(compressed);
    expectSameProgram(kGeneratedScript, beautified);
}

TEST(CompressHazards, CommentsAndBlanksAloneGiveNothing)
{
    EXPECT_EQ(ScriptFormatter::compress("// a\n  \n/* b\n */\n\t\r\n"), "");
    EXPECT_EQ(ScriptFormatter::compress(""), "");
    EXPECT_EQ(ScriptFormatter::beautify(""), "");
}

TEST(HostileInput, UnterminatedLiteralsEndAtTheirLineAndCommentsAtTheText)
{
    EXPECT_EQ(ScriptFormatter::compress("x = 'abc\ny = 2;"), "x='abc\ny=2;");
    EXPECT_EQ(ScriptFormatter::compress("r = /abc\ns = 1"), "r=/abc\ns=1");
    EXPECT_EQ(ScriptFormatter::compress("a = 1; /* never closed; { }\nb = 2;"), "a=1;");
    EXPECT_EQ(ScriptFormatter::compress("t = `open ${ x\ny"), "t=`open ${ x\ny");
    EXPECT_EQ(ScriptFormatter::compress("x = 'a\\\r\r' "), "x='a\\\r\r' ");
    EXPECT_EQ(ScriptFormatter::beautify("x = 'abc  \ny = 2;"), "x = 'abc\r\ny = 2;");
    EXPECT_EQ(
        ScriptFormatter::beautify("a = 1;\n/* never closed; { }\nb = 2;"), "a = 1;\r\n/* never closed; { }\nb = 2;");
    for (const std::string s : {"'", "\"\\", "`", "`${", "/*", "/", "x = /[", "'\\\r\n", "#!", "<!--", "-->"}) {
        const std::string compressed = ScriptFormatter::compress(s);
        EXPECT_EQ(ScriptFormatter::compress(compressed), compressed) << s;
        EXPECT_EQ(withoutWhitespace(ScriptFormatter::beautify(s)), withoutWhitespace(s)) << s;
    }
}

TEST(HostileInput, SpacesAndLineSeparatorsBeyondAsciiSeparateTokens)
{
    // A no-break space or a line separator is no part of a word, so the "/"
    // after it opens a regular expression, and the separator ends a statement.
    const std::string script = "var y, x = (\xC2\xA0/a b/)\xE2\x80\xA8y = 1\xE3\x80\x80+\xEF\xBB\xBF" "2";
    const std::string compressed = ScriptFormatter::compress(script);
    EXPECT_EQ(compressed, "var y,x=(/a b/);y=1+2");
    EXPECT_TRUE(scenewright::test::nodeAccepts(script));
    EXPECT_TRUE(scenewright::test::nodeAccepts(ScriptFormatter::beautify(script)));

    const std::string regexOnSecondLine = "\xE2\x80\xA8/}/";
    EXPECT_EQ(ScriptFormatter::compress(regexOnSecondLine), "/}/");
    EXPECT_NE(ScriptFormatter::beautify(regexOnSecondLine).find("/}/"), std::string::npos);
}

TEST(HostileInput, ANewLineNeverStartsWithTheTokensOfAComment)
{
    // "--" and ">" after "}" or ";" are tokens; at a line's start they would
    // open a comment that swallows the rest of the line.
    for (const std::string script : {"}-->''", "a;-->'x'", "{-->'y'"}) {
        const std::string beautified = ScriptFormatter::beautify(script);
        EXPECT_EQ(beautified.find("\n-->"), std::string::npos) << beautified;
        EXPECT_EQ(beautified.find("\t-->"), std::string::npos) << beautified;
        EXPECT_NE(beautified.find("-- >'"), std::string::npos) << beautified;
    }
    // A comment that starts its line in the script stays one.
    EXPECT_EQ(ScriptFormatter::beautify("a\n--> note\nb"), "a\r\n--> note\r\nb");
}

TEST(HostileInput, AnyBytesGiveStableResultsAndBeautifyLosesNothing)
{
    const std::vector<std::string> pieces = {"return", "if", "else", "for(", "function", "class", "do", "while", "=>",
        "${", "*/", "/*", "//", "-->", "<!--", "++", "--", "`", "'", "\"", "/", "\n", "\r", "}", "{", "(", ")", ";",
        "\\", "x", "1", " ", "\xE2\x80\xA8", "\xFF", std::string(1, '\0')};
    std::mt19937 random(20240607);
    for (int round = 0; round < 30000; ++round) {
        std::string script;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            script += round % 2 == 0 ? std::string(1, static_cast<char>(random() % 256))
                                     : pieces[random() % pieces.size()];
        }
        const std::string compressed = ScriptFormatter::compress(script);
        ASSERT_EQ(ScriptFormatter::compress(compressed), compressed) << script;
        ASSERT_EQ(withoutWhitespace(ScriptFormatter::beautify(script)), withoutWhitespace(script)) << script;
    }
}

TEST(HostileInput, NumbersEscapedNamesAndLetKeepTheirMeaningInBothModes)
{
    struct Case {
        std::string script;
        std::string compressed;
        std::string beautified;
        bool isScript = true; // parses, so both results must be the same program
    };
    const std::vector<Case> cases = {
        // A number ending in its point ends the statement at the line break.
        {"var x = 1.\nvar y = 2;\n", "var x=1.;var y=2;", "var x = 1.\r\nvar y = 2;\r\n"},
        {"var x = 1\n.5\nfoo()\n", "var x=1;.5;foo()", "var x = 1\r\n.5\r\nfoo()"},
        {"var a = 1..toString()\nvar b = .5.toFixed(1)\n", "var a=1..toString();var b=.5.toFixed(1)",
            "var a = 1..toString()\r\nvar b = .5.toFixed(1)"},
        // "\u{61}" is one character of a name: its braces open no block.
        {"var \\u{61} = 1;\nvar b = \\u{61}\n", "var \\u{61}=1;var b=\\u{61}", "var \\u{61} = 1;\r\nvar b = \\u{61}"},
        {"if (\\u{61}) {\nb();\n}\n", "if(\\u{61}){b();}", "if (\\u{61}) { \r\n\tb();\r\n} \r\n"},
        // Separate tokens that joined would spell such an escape (a fuzz finding) stay apart.
        {"var \\u {61} = 1, \\u{ 62} = 2, \\u{63 } = 3\n", "var \\u {61}=1,\\u{ 62}=2,\\u{63 }=3",
            "var \\u { \r\n\t61\r\n} \r\n= 1, \\u { \r\n\t62\r\n} \r\n= 2, \\u { \r\n\t63\r\n} \r\n= 3", false},
        // "let" is a plain name unless a name, "[" or "{" follows.
        {"var let = 1\nlet\n''\n", "var let=1;let;''", "var let = 1\r\nlet\r\n''"},
        {"let\nx = 1\n", "let x=1", "let\r\nx = 1"},
        {"var let = 4, g = 2\nlet\n/2/g\n", "var let=4,g=2;let/2/g", "var let = 4, g = 2\r\nlet/2/g"},
        // A fuzz finding: "#!" that beautify moved to the very start read as a comment.
        {std::string("\v#!\v#]`ZZ!ZZ\n`"), " #!#]`ZZ!ZZ\n`", " #!\v#]`ZZ!ZZ\n`", false},
    };
    for (const Case& c : cases) {
        const std::string compressed = ScriptFormatter::compress(c.script);
        const std::string beautified = ScriptFormatter::beautify(c.script);
        EXPECT_EQ(compressed, c.compressed);
        EXPECT_EQ(beautified, c.beautified);
        EXPECT_EQ(ScriptFormatter::compress(compressed), compressed) << c.script;
        if (c.isScript) {
            expectSameProgram(c.script, compressed);
            expectSameProgram(c.script, beautified);
        }
    }
}

TEST(HostileInput, DeepNestingStaysBounded)
{
    std::string braces = std::string(100000, '{');
    for (int i = 0; i < 10000; ++i) {
        braces += "x;\n";
    }
    // Indentation stops growing, so the output stays a small multiple of the input.
    EXPECT_LT(ScriptFormatter::beautify(braces).size(), braces.size() * 10);

    std::string templates;
    for (int i = 0; i < 100000; ++i) {
        templates += "`${";
    }
    EXPECT_EQ(ScriptFormatter::compress(templates), templates);
    const std::string parens(200000, '(');
    EXPECT_EQ(ScriptFormatter::compress(parens), parens);
}

} // namespace
