#include "cli_json.h"

#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_support.h"

namespace velmora::cli {
namespace {

using Tree = nlohmann::ordered_json;

// Writes a tree through the writer, member by member, as the commands write their answers.
void Write(JsonWriter& json, const Tree& tree) {
    switch (tree.type()) {
        case Tree::value_t::object:
            json.BeginObject();
            for (const auto& [key, value] : tree.items()) {
                json.Key(key);
                Write(json, value);
            }
            json.End();
            break;
        case Tree::value_t::array:
            json.BeginArray();
            for (const Tree& element : tree)
                Write(json, element);
            json.End();
            break;
        case Tree::value_t::string:
            json.String(tree.get_ref<const std::string&>());
            break;
        case Tree::value_t::boolean:
            json.Bool(tree.get<bool>());
            break;
        case Tree::value_t::number_integer:
            json.Number(tree.get<std::int64_t>());
            break;
        case Tree::value_t::number_unsigned:
            json.Number(tree.get<std::uint64_t>());
            break;
        case Tree::value_t::number_float:
            json.Number(tree.get<double>());
            break;
        default:
            json.Null();
            break;
    }
}

// The text the commands printed when they built their answers as a tree.
std::string TreeText(const Tree& tree) {
    return tree.dump(2) + '\n';
}

std::string Streamed(const Tree& tree) {
    std::ostringstream out;
    JsonWriter json(out);
    Write(json, tree);
    json.Finish();
    return out.str();
}

TEST(JsonWriter, ScalarsAndEscapesAsTheTreePrintsThem) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const Tree tree = {
        {"empty list", Tree::array()},
        {"empty object", Tree::object()},
        {"nested empties", {Tree::array(), Tree::object(), {Tree::array()}}},
        {"texts",
         {"", "plain 1 0 2 ", "quote \" and \\ backslash", "Fälle, Größe", "tab\tnew\nline",
          std::string("\x01\x1f\x7f", 3), "/slash"}},
        {"integers",
         {0, -1, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(),
          std::numeric_limits<std::uint64_t>::max()}},
        {"doubles",
         {0.0, -0.0, 1.0, 0.1, 28.73931623931624, 4368190.952885761, 1e300, 5e-324, -2.5e-7,
          kInfinity, std::nan("")}},
        {"flags", {true, false, nullptr}},
        {"key \"quoted\" ä", 1},
    };
    EXPECT_EQ(Streamed(tree), TreeText(tree));
    EXPECT_EQ(Streamed(Tree::array()), "[]\n");
    EXPECT_EQ(Streamed(Tree("x")), "\"x\"\n");
}

// Random documents of nested lists and objects, of every size up to a few pieces of output.
Tree RandomTree(std::mt19937& random, int depth) {
    std::uniform_int_distribution<int> kind(0, depth >= 5 ? 4 : 6);
    switch (kind(random)) {
        case 0:
            return std::uniform_int_distribution<std::int64_t>(-100000, 100000)(random);
        case 1:
            return std::uniform_real_distribution<double>(-1e6, 1e6)(random);
        case 2:
            return random() % 2 == 0;
        case 3:
            return nullptr;
        case 4: {
            std::string text(random() % 12, ' ');
            for (char& c : text)
                c = "ab 19\"\\\n:"[random() % 9];
            return text;
        }
        case 5: {
            Tree list = Tree::array();
            for (int n = static_cast<int>(random() % 40); n > 0; --n)
                list.push_back(RandomTree(random, depth + 1));
            return list;
        }
        default: {
            Tree object = Tree::object();
            for (int n = static_cast<int>(random() % 8); n > 0; --n)
                object["k" + std::to_string(random() % 20)] = RandomTree(random, depth + 1);
            return object;
        }
    }
}

TEST(JsonWriter, RandomDocumentsAsTheTreePrintsThem) {
    std::mt19937 random(14);
    for (int round = 0; round < 300; ++round) {
        Tree tree = Tree::object();
        tree["rows"] = RandomTree(random, 0);
        tree["more"] = RandomTree(random, 0);
        ASSERT_EQ(Streamed(tree), TreeText(tree)) << "round " << round;
    }
}

TEST(JsonWriter, AnAnswerOfManyPiecesArrivesWhole) {
    Tree calls = Tree::array();
    for (int i = 0; i < 20000; ++i)
        calls.push_back({150 + i, -250, "0"});
    const Tree tree = {{"documents", {calls, Tree::array()}}};
    const std::string text = Streamed(tree);
    ASSERT_GT(text.size(), 4u * 64 * 1024);
    EXPECT_EQ(text, TreeText(tree));
}

TEST(JsonWriter, AStreamThatFailsFailsTheCommand) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    JsonWriter json(out);
    json.BeginArray();
    json.Number(1);
    json.End();
    try {
        json.Finish();
        FAIL() << "a failed stream was taken for a written answer";
    } catch (const CliError& error) {
        EXPECT_EQ(error.exitCode, kExitFailure);
        EXPECT_NE(error.message.find("Ausgabe"), std::string::npos);
    }
}

}  // namespace
}  // namespace velmora::cli
