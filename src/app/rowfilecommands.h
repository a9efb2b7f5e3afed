// The file menu's row file commands and "In Fremdsystem vorhandene Reihen eliminieren".
#pragma once

#include "app/dialogs.h"
#include "app/workspace.h"
#include "model/messages.h"

namespace velmora {

// What the file commands need from the window: its file dialogs and message boxes.
class FileCommandView : public FileDialogPort, public MessagePort {};

// A refused or unreadable file, and a cancelled dialog, change neither the system nor the
// current row file name.

// "System öffnen": replaces the system by the rows of a chosen row file.
void System1Click(Workspace& workspace, FileCommandView& view);
// "System anhängen": appends the rows of a chosen row file.
void Systemffnen1Click(Workspace& workspace, FileCommandView& view);
// "System speichern": writes the system under the current row file name.
void Systemspeichern1Click(Workspace& workspace, FileCommandView& view);
// "System speichern unter".
void Systemspeichernunter1Click(Workspace& workspace, FileCommandView& view);
// Removes the rows that occur in a chosen row file, duplicates included.
void InFremdsystemvorhandeneReiheneliminieren1Click(Workspace& workspace, FileCommandView& view);

}  // namespace velmora
