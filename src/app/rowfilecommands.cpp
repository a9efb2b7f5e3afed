#include "app/rowfilecommands.h"

#include <optional>

#include "app/rowfile.h"

namespace velmora {
namespace {

FileDialogRequest RowFileRequest(const Workspace& workspace) {
    return {"Tippreihen|*.prd", "PRD", workspace.rowFileName};
}

// Runs the open dialog and reads the chosen file; reports a refusal and returns nothing.
std::optional<TRowList> ChooseAndReadRows(Workspace& workspace, FileCommandView& view) {
    const std::optional<std::string> name = view.OpenFileName(RowFileRequest(workspace));
    if (!name)
        return std::nullopt;
    RowFileContent content = ReadRowFile(*name, workspace.games);
    if (!content.ok()) {
        view.ShowMessage(MessageKind::Error, content.error);
        return std::nullopt;
    }
    workspace.rowFileName = *name;
    return std::move(content.rows);
}

void AddRows(Workspace& workspace, FileCommandView& view, bool replace) {
    std::optional<TRowList> rows = ChooseAndReadRows(workspace, view);
    if (!rows)
        return;
    if (replace || workspace.rows.Games() != workspace.games) {
        workspace.rows = std::move(*rows);
    } else {
        workspace.rows.AppendAll(*rows);
    }
    ShowChangedSystem(workspace);
}

void WriteRows(Workspace& workspace, FileCommandView& view) {
    if (!IsValidGameCount(workspace.games))
        return;
    if (std::string error = WriteRowFile(workspace.rowFileName, workspace.rows); !error.empty())
        view.ShowMessage(MessageKind::Error, error);
}

}  // namespace

void System1Click(Workspace& workspace, FileCommandView& view) {
    AddRows(workspace, view, true);
}

void Systemffnen1Click(Workspace& workspace, FileCommandView& view) {
    AddRows(workspace, view, false);
}

void Systemspeichern1Click(Workspace& workspace, FileCommandView& view) {
    WriteRows(workspace, view);
}

void Systemspeichernunter1Click(Workspace& workspace, FileCommandView& view) {
    const std::optional<std::string> name = view.SaveFileName(RowFileRequest(workspace));
    if (!name)
        return;
    workspace.rowFileName = WithDefaultExtension(*name, "PRD");
    WriteRows(workspace, view);
}

void InFremdsystemvorhandeneReiheneliminieren1Click(Workspace& workspace, FileCommandView& view) {
    const std::optional<TRowList> foreign = ChooseAndReadRows(workspace, view);
    if (!foreign)
        return;
    if (workspace.rows.Games() == workspace.games)
        RemoveRowsPresentIn(workspace.rows, *foreign);
    ShowChangedSystem(workspace);
}

}  // namespace velmora
