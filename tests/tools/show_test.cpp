// show: the week's plan and every field of its filter files, compared with the files' bytes.
#include "cli_fixture.h"

namespace velmora::cli::testing {
namespace {

class ShowTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        const CliRun run = Ok({"show", "--plan", kWeek, "--json"});
        json_ = Json::parse(run.out);
    }

    // Compares fields of a record of the answer with the bytes of the record that starts at
    // `base`; flags (orNext, orSecond, active) must be true exactly for a non-zero byte.
    void ExpectFields(const Json& record, const std::vector<std::uint8_t>& bytes, std::size_t base,
                      const std::vector<std::pair<std::string, std::size_t>>& fields) const {
        for (const auto& [field, offset] : fields) {
            const std::uint8_t byte = bytes.at(base + offset);
            const Json& value = record.at(field);
            if (field.rfind("or", 0) == 0 || field == "active")
                EXPECT_EQ(value.get<bool>(), byte != 0) << field << " at " << base + offset;
            else
                EXPECT_EQ(value.get<int>(), byte) << field << " at " << base + offset;
        }
    }

    Json json_;
};

TEST_F(ShowTest, TheTipsAreTheAllowedSigns) {
    ASSERT_EQ(json_.at("games"), kWeekGames);
    ASSERT_EQ(json_.at("tips").size(), kWeekSigns.size());
    for (std::size_t g = 0; g < kWeekSigns.size(); ++g) {
        EXPECT_EQ(json_["tips"][g].at("game"), g + 1);
        for (const char sign : {'1', '0', '2'}) {
            const bool tipped = kWeekSigns[g].find(sign) != std::string::npos;
            EXPECT_EQ(json_["tips"][g].at(std::string(1, sign)).get<int>() > 0, tipped)
                << "game " << g + 1 << ", sign " << sign;
        }
    }
}

TEST_F(ShowTest, TheSignChangeFilterIsTheFilesBytes) {
    ExpectFields(json_.at("signChange"), FileBytes(WeekFile("tzw")), 0,
                 {{"min1", 0}, {"max1", 1}, {"min2", 2}, {"max2", 3}, {"orSecond", 4}});
}

// Sequence rules, 14 bytes: the pattern (9 for "*"), orNext, length, minCount, maxCount.
TEST_F(ShowTest, TheSequencesAreTheFilesRules) {
    const std::vector<std::uint8_t> bytes = FileBytes(WeekFile("seq"));
    const std::size_t rules = bytes.size() / 14;
    ASSERT_GT(rules, 0u);
    ASSERT_EQ(json_.at("sequences").size(), rules);
    for (std::size_t rule = 0; rule < rules; ++rule) {
        const std::size_t base = rule * 14;
        const Json& sequence = json_["sequences"][rule];
        ExpectFields(sequence, bytes, base,
                     {{"orNext", 10}, {"length", 11}, {"minCount", 12}, {"maxCount", 13}});
        std::string pattern;
        for (std::size_t at = base; at < base + bytes[base + 11]; ++at)
            pattern += bytes[at] == 9 ? '*' : static_cast<char>('0' + bytes[at]);
        EXPECT_EQ(sequence.at("pattern"), pattern) << "sequence " << rule;
    }
}

// Block filters, 46 bytes: a mark per game and sign code, minHits, maxHits, orNext, maxRun.
TEST_F(ShowTest, TheBlocksAreTheFilesBlocks) {
    const std::vector<std::uint8_t> bytes = FileBytes(WeekFile("tfd"));
    const std::size_t blocks = bytes.size() / 46;
    ASSERT_GT(blocks, 0u);
    ASSERT_EQ(json_.at("blocks").size(), blocks);
    for (std::size_t block = 0; block < blocks; ++block) {
        const std::size_t base = block * 46;
        const Json& entry = json_["blocks"][block];
        ExpectFields(entry, bytes, base,
                     {{"minHits", 42}, {"maxHits", 43}, {"orNext", 44}, {"maxRun", 45}});
        ASSERT_EQ(entry.at("marks").size(), static_cast<std::size_t>(kWeekGames));
        for (int game = 0; game < kWeekGames; ++game) {
            std::string expected;
            for (const int sign : {1, 0, 2}) {
                if (bytes[base + 3 * game + sign] != 0)
                    expected += static_cast<char>('0' + sign);
            }
            std::string listed;
            for (const Json& mark : entry["marks"][game])
                listed += mark.get<std::string>();
            EXPECT_EQ(listed, expected) << "block " << block << ", game " << game + 1;
        }
    }
}

// Filter values, 356 bytes a record, odds first: 14 x 3 doubles by game and sign code, the
// band, active, orNext. A value is zero exactly when its eight bytes are.
TEST_F(ShowTest, TheOddsAndPercentageFiltersAreTheFilesRecords) {
    const std::vector<std::uint8_t> bytes = FileBytes(WeekFile("bld"));
    ASSERT_GE(bytes.size(), 6u * 356);
    int chains = 0;
    for (std::size_t record = 0; record < 6; ++record) {
        const Json& entry = record == 0 ? json_.at("odds") : json_.at("percent").at(record - 1);
        const std::size_t base = record * 356;
        ExpectFields(entry, bytes, base, {{"active", 352}, {"orNext", 353}});
        ASSERT_EQ(entry.at("values").size(), static_cast<std::size_t>(kWeekGames));
        for (int game = 0; game < kWeekGames; ++game) {
            for (const int sign : {1, 0, 2}) {
                const std::size_t first = base + (game * 3 + sign) * 8;
                const bool stored = std::any_of(bytes.begin() + first, bytes.begin() + first + 8,
                                                [](std::uint8_t b) { return b != 0; });
                const double value = entry["values"][game].at(std::to_string(sign)).get<double>();
                EXPECT_EQ(value != 0, stored) << "record " << record << ", game " << game + 1
                                              << ", sign " << sign << ": " << value;
            }
        }
        if (record > 0 && bytes[base + 352] != 0 && bytes[base + 353] == 0)
            ++chains;
    }
    EXPECT_EQ(json_.at("chainCount"), chains);
    EXPECT_EQ(json_.at("requiredChains"), chains);
}

TEST_F(ShowTest, WithoutFilterFilesNothingRestrictsAndNoneIsCreated) {
    const Json bare = Json::parse(Ok({"show", "--plan", kBare, "--json"}).out);
    EXPECT_EQ(bare.at("blocks").size(), 0u);
    EXPECT_EQ(bare.at("sequences").size(), 0u);
    EXPECT_EQ(bare.at("chainCount"), 0);
    EXPECT_EQ(Listing("bare"), std::set<std::string>{"week.ttd"});
}

TEST_F(ShowTest, WithoutJsonASummary) {
    const CliRun run = Ok({"show", "--plan", kWeek});
    EXPECT_TRUE(Contains(run.out, "Spiele: 13")) << run;
    EXPECT_TRUE(Contains(run.out, "Prozentfilter: ")) << run;
}

}  // namespace
}  // namespace velmora::cli::testing
