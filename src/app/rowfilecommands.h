// The file menu's row file commands and "In Fremdsystem vorhandene Reihen eliminieren".
#pragma once

#include <cstdint>

#include "app/dialogs.h"
#include "app/workspace.h"
#include "model/messages.h"

namespace velmora {

class RowFileView : public FileDialogPort, public MessagePort {
  public:
    virtual void ShowSystemSize(std::int32_t rows) = 0;
};

// A refused or unreadable file, and a cancelled dialog, change neither the system nor the
// current row file name.

// "System öffnen": replaces the system by the rows of a chosen row file.
void System1Click(Workspace& workspace, RowFileView& view);
// "System anhängen": appends the rows of a chosen row file.
void Systemffnen1Click(Workspace& workspace, RowFileView& view);
// "System speichern": writes the system under the current row file name.
void Systemspeichern1Click(Workspace& workspace, RowFileView& view);
// "System speichern unter".
void Systemspeichernunter1Click(Workspace& workspace, RowFileView& view);
// Removes the rows that occur in a chosen row file, duplicates included.
void InFremdsystemvorhandeneReiheneliminieren1Click(Workspace& workspace, RowFileView& view);

}  // namespace velmora
