#include "app/fileset.h"

#include <filesystem>
#include <system_error>

#include "app/binaryfile.h"
#include "app/filesetnames.h"

namespace velmora {
namespace {

// A sibling file: its bytes, or that it does not exist, or why it is unreadable.
struct Member {
    std::string path;
    bool exists = false;
    Bytes bytes;
    std::string error;
};

Member ReadMember(const std::string& name) {
    Member member{ResolveFileName(name, true), false, {}, {}};
    std::error_code ignored;
    if (!std::filesystem::exists(member.path, ignored))
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
    TipPlanFileContent plan = ReadTipPlanFile(ResolveFileName(names.tipPlan));
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
        if (!member->exists)
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

    if (!values.bytes.empty()) {
        FilterValuesContent valueContent = ParseFilterValues(values.bytes);
        if (!valueContent.error.empty())
            return Failed(values.path + ": " + valueContent.error);
        files.values = std::move(valueContent.records);
    }

    files.signChange = signChange.bytes;
    files.signChangePresent = signChange.exists;
    return files;
}

void CreateMissingSiblings(const WeekFiles& files) {
    for (const std::string& path : files.missing) {
        // An empty filter value file could not be opened again; that one stays missing.
        if (std::filesystem::path(path).extension() != ".bld")
            WriteFileAtomically(path, {});
    }
}

TFilterSet FiltersOf(const WeekFiles& files, int n) {
    TFilterSet filters = TFilterSet::PassingAll(n);
    filters.blocks = files.blocks;
    filters.sequences = files.sequences;
    ApplyFilterValues(files.values, filters.odds, filters.percent);
    ApplySignChange(files.signChange, filters.signChange);
    ClampToGameCount(filters.signChange, n);
    filters.RecomputeChains();
    return filters;
}

}  // namespace velmora
