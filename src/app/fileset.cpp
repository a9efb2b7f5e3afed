#include "app/fileset.h"

#include <filesystem>
#include <system_error>

#include "app/binaryfile.h"
#include "app/filesetnames.h"
#include "app/utf8path.h"

namespace velmora {
namespace {

// A sibling file: its bytes, or that it does not exist, or why it is unusable.
struct Member {
    std::string path;
    bool exists = false;
    Bytes bytes;
    std::string error;
};

Member ReadMember(const std::string& name) {
    const ResolvedFileName resolved = ResolveFileName(name, true);
    Member member{resolved.path, false, {}, resolved.error};
    if (!member.error.empty())
        return member;
    // Only an entry that is not there at all is missing; anything else under the name is
    // read, and a link leading nowhere or in a circle refuses the set like a damaged file.
    std::error_code ignored;
    if (std::filesystem::symlink_status(PathOf(member.path), ignored).type() ==
        std::filesystem::file_type::not_found)
        return member;
    member.exists = true;
    FileBytes file = ReadWholeFile(member.path);
    member.bytes = std::move(file.bytes);
    member.error = std::move(file.error);
    return member;
}

WeekFiles Failed(std::string error) {
    WeekFiles files;
    files.error = std::move(error);
    return files;
}

}  // namespace

WeekFileNames DerivedNames(const std::string& tipPlanName) {
    return {tipPlanName, BlockFilterName(tipPlanName), FilterValueName(tipPlanName),
            SequenceName(tipPlanName), SignChangeName(tipPlanName)};
}

WeekFiles ReadWeekFiles(const WeekFileNames& names) {
    WeekFiles files;
    const ResolvedFileName tipPlan = ResolveFileName(names.tipPlan);
    if (!tipPlan.ok())
        return Failed(tipPlan.error);
    TipPlanFileContent plan = ReadTipPlanFile(tipPlan.path);
    if (!plan.ok())
        return Failed(plan.error);
    files.records = std::move(plan.records);

    const Member blocks = ReadMember(names.blocks);
    const Member sequences = ReadMember(names.sequences);
    const Member values = ReadMember(names.values);
    const Member signChange = ReadMember(names.signChange);
    for (const Member* member : {&blocks, &sequences, &values, &signChange}) {
        if (!member->error.empty())
            return Failed(member->error);
        if (!member->exists && member != &values)
            files.missing.push_back(member->path);
    }

    BlocksContent blockContent = ParseBlocks(blocks.bytes);
    if (!blockContent.error.empty())
        return Failed(blocks.path + ": " + blockContent.error);
    files.blocks = std::move(blockContent.blocks);

    SequencesContent ruleContent = ParseSequences(sequences.bytes);
    if (!ruleContent.error.empty())
        return Failed(sequences.path + ": " + ruleContent.error);
    files.sequences = std::move(ruleContent.rules);

    // An empty filter value file lacks even the odds record: damaged, like any other.
    if (values.exists) {
        FilterValuesContent valueContent = ParseFilterValues(values.bytes);
        if (!valueContent.error.empty())
            return Failed(values.path + ": " + valueContent.error);
        files.values = std::move(valueContent.records);
        files.valuesPresent = true;
    }

    files.signChange = signChange.bytes;
    files.signChangePresent = signChange.exists;
    return files;
}

void CreateMissingSiblings(const WeekFiles& files) {
    for (const std::string& path : files.missing)
        WriteFileAtomically(path, {});
}

void ApplyWeekFilters(const WeekFiles& files, int n, TFilterSet& filters) {
    filters.blocks = files.blocks;
    filters.sequences = files.sequences;
    ApplyFilterValues(files.values, filters.odds, filters.percent);
    ApplySignChange(files.signChange, filters.signChange);
    ClampToGameCount(filters.signChange, n);
    filters.RecomputeChains();
}

TFilterSet FiltersOf(const WeekFiles& files, int n) {
    TFilterSet filters = TFilterSet::PassingAll(n);
    ApplyWeekFilters(files, n, filters);
    return filters;
}

}  // namespace velmora
