// How the five files of a week's set are named after its tip plan file.
#pragma once

#include <string>

namespace velmora {

// x.ttd gives x.tfd (the second-to-last character becomes "f").
std::string BlockFilterName(const std::string& tipPlanName);
// x.ttd gives x.bld (the third- and second-to-last characters become "b" and "l").
std::string FilterValueName(const std::string& tipPlanName);
// x.ttd gives x.seq and x.tzw.
std::string SequenceName(const std::string& tipPlanName);
std::string SignChangeName(const std::string& tipPlanName);
// x.ttd gives x.TTD: the form the tip plan name takes after every open and save.
std::string TipPlanNameTtd(const std::string& tipPlanName);

struct ResolvedFileName {
    std::string path;   // the file the name denotes, or the name to create it under
    std::string error;  // the name fits several files; none of them may be picked
    bool ok() const { return error.empty(); }
};

// The file a name denotes. Names of a set differ from the files on disk in the case of
// their letters (x.TTD for x.ttd, x.TfD for x.tfd). An entry of exactly the name, of whatever
// kind, is the name itself; otherwise one file whose name differs only in case is taken for
// it, and two or more of them are refused with a message naming them, for reading and writing
// alike. Without any, the name itself, its extension in small letters when
// `lowerNewExtension` is set.
ResolvedFileName ResolveFileName(const std::string& name, bool lowerNewExtension = false);

}  // namespace velmora
